// A picture of the whole screen (under Wine: the virtual desktop), taken by
// a failing test so its log comes with what the user would have seen.
#pragma once
#include <string>

namespace nimbul::e2e {

// Writes the screen as a 24-bit BMP file; returns false when capturing or
// writing failed.
bool SaveScreenshot(const std::string& path);

// When NIMBUL_DOCS_SHOTS names a folder, a picture for the documentation
// goes there as `name`; only then it waits a moment first, so the picture
// shows the windows fully painted.
void SaveDocsShot(const char* name);

}  // namespace nimbul::e2e
