// The link between a control model and whatever shows it.
#pragma once
#include <memory>

#include "platform/types.h"

namespace nimbul::ui {

class Control;
class Form;
class Menu;

// Which property of a model changed; peers re-read what they need.
enum class Prop {
  Caption,
  Bounds,
  Visible,
  Enabled,
  Color,
  Hint,
  Rows,       // row count, fixed rows or the whole contents of a grid
  Cell,       // one cell of a grid: index = row, sub = column
  Selection,  // selected row of a grid, or the focused item
  TopRow,     // a grid is asked to show a row at its top
  ColWidths,
  Checked,   // tick of a check box, down state of a tool button
  Images,    // image list contents or image index
  Text,      // text of an edit, status bar, hotkey field value
  Items,     // list contents other than grid rows
  Style,     // gradient steps, fonts, cursor and other decoration
  Position,  // progress bar position
};

class Peer {
 public:
  virtual ~Peer() = default;
  virtual void Changed(Prop p, int index = -1, int sub = -1) = 0;
  // The control's window, 0 when it has none.
  virtual platform::Hwnd Handle() const { return {}; }
  virtual void SetFocus() {}
};

class MenuPeer {
 public:
  virtual ~MenuPeer() = default;
  // Anything in the menu tree changed: captions, ticks, items added or removed.
  virtual void MenuChanged() = 0;
};

}  // namespace nimbul::ui
