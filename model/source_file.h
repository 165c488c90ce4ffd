// Reading a scene file whole, within kMaxSceneBytes.
#ifndef KELVANE_MODEL_SOURCE_FILE_H
#define KELVANE_MODEL_SOURCE_FILE_H

#include <string>

// The bytes of the file at path; throws SceneError when it cannot be read or
// is larger than kMaxSceneBytes (found before anything is read).
std::string readSourceFile(const std::string& path);

#endif
