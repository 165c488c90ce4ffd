// A frame of palette indices drawn into the page's canvas, one canvas
// pixel per frame pixel; the page scales the canvas, kept sharp, by CSS.
#ifndef KELVANE_PLATFORM_HOST_WEB_WEB_BLIT_H
#define KELVANE_PLATFORM_HOST_WEB_WEB_BLIT_H

#include <cstdint>
#include <memory>
#include <string>

#include "platform/host/host.h"

namespace platform {

// Converts the 640 x 480 `pixels` through `palette` into `rgba` (allocated
// on first use and kept for the next frame) and puts it on the canvas that
// `selector` names.
void blitFrame(const std::string& selector, const std::uint8_t* pixels, const Palette& palette,
               std::unique_ptr<std::uint8_t[]>& rgba);

}  // namespace platform

#endif
