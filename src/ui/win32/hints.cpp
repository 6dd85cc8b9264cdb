#include "ui/win32/hints.h"

#include "ui/control.h"

namespace nimbul::ui::win32 {

void Hints::MouseOver(const Control& c, HWND hwnd) {
  // The system reports the mouse leaving only to a window that asked.
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = hwnd;
  ::TrackMouseEvent(&track);
  if (owner_ != &c) HintFrom(&c);
}

void Hints::MouseLeft(const Control& c) {
  // Leaving a control also leaves its parts (the buttons of a tool bar).
  if (owner_ && (owner_ == &c || owner_->Parent() == &c)) HintFrom(nullptr);
}

void Hints::HintFrom(const Control* c) {
  owner_ = c;
  show_(c ? c->Hint() : std::string());
}

void Hints::MenuHint(const std::string& hint) {
  owner_ = nullptr;
  show_(hint);
}

void Hints::HintChanged(const Control& c) {
  if (owner_ == &c) HintFrom(&c);
}

void Hints::ControlGone(const Control& c) {
  if (owner_ == &c) owner_ = nullptr;
}

}  // namespace nimbul::ui::win32
