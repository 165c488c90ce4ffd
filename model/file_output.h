// Writes a file whole or not at all: the bytes go to a temporary file in
// the same folder, which is renamed over the target once everything is
// written and flushed, so a reader never sees half a file and a failed
// write leaves the old file as it was. A target that exists and is not a
// regular file (a device, a pipe) cannot be replaced and is written in
// place.
#ifndef KELVANE_MODEL_FILE_OUTPUT_H
#define KELVANE_MODEL_FILE_OUTPUT_H

#include <string>

// Writes data to path; false with a message naming path and the reason
// when any step fails, in which case no temporary file is left behind.
bool writeWholeFile(const std::string& path, const std::string& data, std::string& error);

#endif
