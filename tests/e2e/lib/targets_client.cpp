#include "targets_client.h"

#include <stdexcept>

#include "desktop.h"
#include "remote_controls.h"

namespace nimbul::e2e {
namespace {

HWND ControlWindowOf(DWORD processId) {
  HWND w = nullptr;
  while ((w = FindWindowExA(HWND_MESSAGE, w, targets::kControlClass, nullptr)) != nullptr) {
    if (ProcessOf(w) == processId) return w;
  }
  return nullptr;
}

}  // namespace

Targets Targets::Open(const std::vector<TargetSpec>& windows) {
  std::string arguments;
  std::string className = targets::kDefaultTargetClass;
  bool shown = true;
  for (const TargetSpec& spec : windows) {
    if (spec.className != className) {
      className = spec.className;
      arguments += " --class " + QuoteArgument(className);
    }
    if (spec.shown != shown) {
      shown = spec.shown;
      arguments += shown ? " --shown" : " --hidden";
    }
    if (spec.refusesHide) arguments += " --refuse-hide";
    if (!spec.holdsFile.empty()) arguments += " --hold " + QuoteArgument(spec.holdsFile);
    // An empty title still needs its own argument.
    arguments += " " + (spec.title.empty() ? std::string("\"\"") : QuoteArgument(spec.title));
    if (!spec.childClass.empty()) arguments += " --child " + QuoteArgument(spec.childClass);
  }

  Targets t;
  t.process_ = Process::Start(DriverFolder() + "targets.exe", arguments);
  const DWORD pid = t.process_.id();
  t.control_ = WaitFor([&] { return t.process_.Running() ? ControlWindowOf(pid) : nullptr; });
  if (!t.control_) {
    auto code = t.process_.WaitForExit(Millis(0));
    throw std::runtime_error("the target helper did not come up" +
                             (code ? " (exit code " + std::to_string(*code) + ")" : std::string()));
  }
  const auto count = static_cast<size_t>(SendWithDeadline(t.control_, targets::kGetWindowCount, 0, 0));
  for (size_t i = 0; i < count; ++i) {
    t.windows_.push_back(reinterpret_cast<HWND>(SendWithDeadline(t.control_, targets::kGetWindow, i, 0)));
  }
  return t;
}

Targets::~Targets() {
  if (process_.Running()) Quit();
}

void Targets::Post(UINT command, WPARAM wParam, LPARAM lParam) const {
  if (!PostMessageA(control_, command, wParam, lParam)) {
    throw std::runtime_error("the target helper is gone");
  }
}

void Targets::SetTitle(size_t index, const std::string& title) const {
  SendWithDeadline(windows_.at(index), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.c_str()));
}

void Targets::Show(size_t index, int showCommand) const { Post(targets::kShowTarget, index, showCommand); }

void Targets::Close(size_t index) const { Post(targets::kCloseTarget, index); }

bool Targets::HoldHotkey(WORD virtualKey) const {
  return SendWithDeadline(control_, targets::kHoldHotkey, virtualKey, 0) != 0;
}

bool Targets::Foreground(HWND window) const {
  return SendWithDeadline(control_, targets::kForeground, 0, reinterpret_cast<LPARAM>(window)) != 0;
}

void Targets::Interlude(Millis duration, std::optional<size_t> then) const {
  Post(targets::kInterlude, static_cast<WPARAM>(duration.count()), then ? static_cast<LPARAM>(*then + 1) : 0);
}

void Targets::Hang(Millis duration) const { Post(targets::kHang, static_cast<WPARAM>(duration.count())); }

std::optional<Targets::Key> Targets::LastKey() const {
  const auto packed = static_cast<DWORD>(SendWithDeadline(control_, targets::kGetLastKey, 0, 0));
  if (packed == 0) return std::nullopt;
  return Key{LOWORD(packed), HIWORD(packed)};
}

std::optional<DWORD> Targets::Quit() {
  if (!process_.Running()) return process_.WaitForExit(Millis(0));
  PostMessageA(control_, targets::kQuit, 0, 0);
  auto code = process_.WaitForExit();
  if (!code) process_.Kill();
  return code;
}

}  // namespace nimbul::e2e
