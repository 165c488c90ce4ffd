// A scene opened from the file named on the command line, in place of the
// built-in one: read, checked and built before the window and the display
// are touched, and framed so that it fills the part of the screen the
// built-in scene fills.
#ifndef KELVANE_APP_SCENE_FILE_H
#define KELVANE_APP_SCENE_FILE_H

#include "display/viewer.h"

// WinMain's result when the scene file could not be opened.
constexpr int kBadSceneStatus = 3;

// Half the diagonal of the built-in scene's bounding box: the size a scene
// from a file is scaled to.
constexpr float kBuiltInSceneRadius = 1.958515f;

// Builds the scene of the file at path into sceneTree. On failure writes
// the reader's one-line message ("file:line:col: error: ...") to stderr,
// leaves sceneTree null and returns false.
bool openSceneFile(const char* path);

// Frames viewer for the scene openSceneFile built; nothing when no file
// was opened.
void frameOpenedScene(Viewer& viewer);
// As if no file had been opened (resetProgramState); sceneTree is not
// touched.
void forgetSceneFile();

#endif
