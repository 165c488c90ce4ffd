// Space saves the frame on the screen as an indexed PNG in the current
// folder, named kelvane-0001.png, kelvane-0002.png, ...: the first number
// whose file does not exist yet, taken by an exclusive create, so that no
// file is ever overwritten.
#ifndef KELVANE_APP_SCREENSHOT_H
#define KELVANE_APP_SCREENSHOT_H

#include <cstdint>
#include <string>
#include <vector>

#include "display/screen_capture.h"

constexpr int kMaxScreenshots = 9999;

// The PNG file of an image: one IHDR, PLTE and IDAT chunk, the image data
// in stored (uncompressed) deflate blocks, which every reader accepts and
// which needs no compression library on any system.
std::vector<std::uint8_t> encodeIndexedPng(const ScreenImage& image);

// Writes `bytes` to the first free kelvane-NNNN.png in `folder` ("" for the
// current one). The name it used, or empty with `error` set.
std::string saveNumbered(const std::string& folder, const std::vector<std::uint8_t>& bytes, std::string& error);

// Captures the Viewer's frame and saves it; says on stdout where, or on
// stderr why not.
void saveScreenshot();

#endif
