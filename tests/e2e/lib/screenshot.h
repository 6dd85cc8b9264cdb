// A picture of the whole screen (under Wine: the virtual desktop), taken by
// a failing test so its log comes with what the user would have seen.
#pragma once
#include <windows.h>

#include <string>

namespace nimbul::e2e {

// Writes the screen, or the part of it in `area`, as a 24-bit BMP file;
// returns false when capturing or writing failed.
bool SaveScreenshot(const std::string& path, const RECT* area = nullptr);

// When NIMBUL_DOCS_SHOTS names a folder, a picture of `window` and `margin`
// pixels around it (cut at the screen's edges) goes there as `name` for the
// documentation; only then it waits a moment first, so the picture shows the
// windows fully painted.
void SaveDocsShot(const char* name, HWND window, int margin = 0);

}  // namespace nimbul::e2e
