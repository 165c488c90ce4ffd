// Indexed PNG files: 8-bit palette images whose PLTE holds all 256 entries
// of a display palette, so that a frame's pixels keep their exact indices.
#ifndef KELVANE_PLATFORM_PNG_IO_H
#define KELVANE_PLATFORM_PNG_IO_H

#include <cstdint>
#include <string>
#include <vector>

#include "platform/host/host.h"

namespace platform {

// Writes width x height palette indices, row by row, with `palette`. On
// failure returns false, removes what was written and says why in `error`
// (when given).
bool writeIndexedPng(const std::string& path, const std::uint8_t* pixels, int width, int height,
                     const Palette& palette, std::string* error);

// Reads a palette PNG of any bit depth as one index per pixel; palette
// entries the file does not hold are black. On failure returns false,
// leaves the outputs as they were and says why in `error` (when given).
bool readIndexedPng(const std::string& path, std::vector<std::uint8_t>& pixels, int& width, int& height,
                    Palette& palette, std::string* error);

}  // namespace platform

#endif
