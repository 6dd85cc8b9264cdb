// The pictures on the dialogs' buttons: one strip of 16x16 images in the
// program's resources, drawn by scripts/draw_pictures.py (its GLYPHS list
// keeps this order), magenta where transparent.
#pragma once

namespace nimbul::ui {

enum class Glyph {
  None = -1,
  Finished,
  OpenFile,
  SaveIcon,
  Information,
  DefaultColor,
  DefaultTextColor,
  Program,
};

inline constexpr char kGlyphResource[] = "GLYPHS";
inline constexpr int kGlyphSize = 16;

}  // namespace nimbul::ui
