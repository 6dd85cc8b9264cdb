// The hint line follows the mouse: the hint of the control it rests on, of
// the tool button under it, or of the highlighted menu entry; "" when it
// leaves. The menu owns the line until the mouse rests on a control again.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace nimbul::ui {
class Control;
}

namespace nimbul::ui::win32 {

class Hints {
 public:
  explicit Hints(std::function<void(const std::string&)> show) : show_(std::move(show)) {}

  void MouseOver(const Control& c, HWND hwnd);
  void MouseLeft(const Control& c);
  // A part of a control (a tool button) became the one under the mouse; null: none.
  void HintFrom(const Control* c);
  void HintChanged(const Control& c);
  void MenuHint(const std::string& hint);
  void ControlGone(const Control& c);

 private:
  std::function<void(const std::string&)> show_;
  const Control* owner_ = nullptr;
};

}  // namespace nimbul::ui::win32
