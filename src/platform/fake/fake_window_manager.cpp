#include <algorithm>
#include <stdexcept>

#include "platform/fake/fake_desktop.h"

namespace nimbul::platform::fake {

namespace {
bool SameClass(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}
}  // namespace

Hwnd FakeWindowManager::AddWindow(const std::string& title, const std::string& className, bool visible, Hwnd owner) {
  Hwnd h{next_};
  next_ += 4;
  FakeWindow w;
  w.hwnd = h;
  w.processId = nextProcess_++;
  w.title = title;
  w.className = className;
  w.visible = visible;
  w.owner = owner;
  windows_[h] = w;
  // New windows go on top of the normal windows, below the topmost ones.
  auto it = std::find_if(zorder_.begin(), zorder_.end(), [&](Hwnd x) { return !topmost_.count(x); });
  zorder_.insert(it, h);
  return h;
}

Hwnd FakeWindowManager::AddChildWindow(const std::string& className, Hwnd parent) {
  Hwnd h{next_};
  next_ += 4;
  FakeWindow w;
  w.hwnd = h;
  w.className = className;
  w.parent = parent;
  w.topLevel = false;
  windows_[h] = w;
  return h;
}

void FakeWindowManager::CloseWindow(Hwnd w) {
  // Its child windows go with it.
  for (auto it = windows_.begin(); it != windows_.end();)
    it = !it->second.topLevel && it->second.parent == w ? windows_.erase(it) : std::next(it);
  windows_.erase(w);
  zorder_.erase(std::remove(zorder_.begin(), zorder_.end(), w), zorder_.end());
  topmost_.erase(w);
  if (foreground_ == w) foreground_ = Hwnd{};
}

FakeWindow& FakeWindowManager::Get(Hwnd w) {
  auto it = windows_.find(w);
  if (it == windows_.end()) throw std::out_of_range("no such fake window");
  return it->second;
}

void FakeWindowManager::BringToTop(Hwnd w) {
  auto it = std::find(zorder_.begin(), zorder_.end(), w);
  if (it == zorder_.end()) return;
  zorder_.erase(it);
  if (topmost_.count(w)) {
    zorder_.insert(zorder_.begin(), w);
    return;
  }
  auto pos = std::find_if(zorder_.begin(), zorder_.end(), [&](Hwnd x) { return !topmost_.count(x); });
  zorder_.insert(pos, w);
}

void FakeWindowManager::SendToBottom(Hwnd w) {
  auto it = std::find(zorder_.begin(), zorder_.end(), w);
  if (it == zorder_.end()) return;
  zorder_.erase(it);
  zorder_.push_back(w);
}

void FakeWindowManager::MakeTopmost(Hwnd w) {
  topmost_.insert(w);
  BringToTop(w);
}

Hwnd FakeWindowManager::GetWindow(Hwnd w, unsigned cmd) {
  if (cmd != kGwHwndNext) return {};
  auto it = std::find(zorder_.begin(), zorder_.end(), w);
  if (it == zorder_.end() || ++it == zorder_.end()) return {};
  return *it;
}

std::string FakeWindowManager::GetWindowTextA(Hwnd w) {
  auto it = windows_.find(w);
  if (it == windows_.end()) return "";
  return it->second.title.substr(0, 255);
}

bool FakeWindowManager::IsWindowVisible(Hwnd w) {
  auto it = windows_.find(w);
  if (it == windows_.end()) return false;
  // A window is visible only if it and its parent chain are; owners do not count.
  return it->second.visible;
}

bool FakeWindowManager::IsWindowEnabled(Hwnd w) {
  auto it = windows_.find(w);
  return it != windows_.end() && it->second.enabled;
}

Hwnd FakeWindowManager::FindWindowA(const std::string& className) {
  for (Hwnd h : zorder_)
    if (SameClass(windows_[h].className, className)) return h;
  return {};
}

Hwnd FakeWindowManager::FindWindowExA(Hwnd parent, Hwnd after, const std::string& className) {
  std::vector<Hwnd> candidates;
  if (IsNull(parent)) {
    candidates = zorder_;
  } else {
    // Children in the order they were made: handles only grow.
    for (const auto& [h, w] : windows_)
      if (!w.topLevel && w.parent == parent) candidates.push_back(h);
  }
  auto it = candidates.begin();
  if (!IsNull(after)) {
    it = std::find(candidates.begin(), candidates.end(), after);
    if (it == candidates.end()) return {};
    ++it;
  }
  for (; it != candidates.end(); ++it)
    if (SameClass(windows_[*it].className, className)) return *it;
  return {};
}

bool FakeWindowManager::ApplyShow(Hwnd w, int cmd) {
  auto it = windows_.find(w);
  if (onShow) onShow(w, cmd);
  if (it == windows_.end()) return false;
  FakeWindow& win = it->second;
  bool wasVisible = win.visible;
  switch (cmd) {
    case kSwHide:
      if (!win.refusesHide) win.visible = false;
      if (foreground_ == w && !win.visible) foreground_ = Hwnd{};
      break;
    case kSwShowNoActivate:
      win.visible = true;
      win.iconic = false;
      break;
    case kSwShowMinimized:
    case kSwMinimize:
      win.visible = true;
      win.iconic = true;
      if (foreground_ == w) foreground_ = Hwnd{};
      break;
    default:  // show and activate
      win.visible = true;
      win.iconic = false;
      foreground_ = w;
      BringToTop(w);
      break;
  }
  return wasVisible;
}

bool FakeWindowManager::ShowWindow(Hwnd w, int cmd) {
  showCalls.push_back({w, cmd, false});
  auto it = windows_.find(w);
  // A hung window would block the caller; the fake refuses to pretend.
  if (it != windows_.end() && (it->second.hung || it->second.stalled))
    throw std::logic_error("ShowWindow on a window that does not answer would block the caller");
  return ApplyShow(w, cmd);
}

bool FakeWindowManager::ShowWindowAsync(Hwnd w, int cmd) {
  showCalls.push_back({w, cmd, true});
  auto it = windows_.find(w);
  if (it != windows_.end() && it->second.postedLate) return true;
  return ApplyShow(w, cmd);
}

bool FakeWindowManager::IsHungAppWindow(Hwnd w) {
  auto it = windows_.find(w);
  return it != windows_.end() && it->second.hung;
}

bool FakeWindowManager::AnswersWithin(Hwnd w, unsigned) {
  auto it = windows_.find(w);
  return it != windows_.end() && !it->second.hung && !it->second.stalled;
}

bool FakeWindowManager::SetForegroundWindow(Hwnd w) {
  foregroundCalls.push_back(w);
  if (!Exists(w)) return false;
  foreground_ = w;
  if (activationRaises) BringToTop(w);
  return true;
}

Hwnd FakeWindowManager::GetLastActivePopup(Hwnd w) {
  auto it = windows_.find(w);
  if (it == windows_.end()) return {};
  Hwnd p = it->second.lastActivePopup;
  return !IsNull(p) && Exists(p) ? p : w;
}

std::uint32_t FakeWindowManager::GetClassLongA(Hwnd w, int index) {
  auto it = windows_.find(w);
  if (it == windows_.end()) return 0;
  if (index == kGclHiconSm) return Raw(it->second.classSmallIcon);
  if (index == kGclHicon) return Raw(it->second.classIcon);
  return 0;
}

std::uint32_t FakeWindowManager::GetWindowLongA(Hwnd w, int index) {
  auto it = windows_.find(w);
  if (it == windows_.end() || index != kGwlHwndParent) return 0;
  return Raw(it->second.owner);
}

IconOwner FakeWindowManager::CopyIcon(Hicon icon) {
  if (IsNull(icon) || (!icons_.count(icon) && !copies_.count(icon))) return {};
  Hicon h{nextIcon_++};
  copies_.insert(h);
  return IconOwner(h, [this](Hicon c) { copies_.erase(c); });
}

int FakeWindowManager::GetSystemMetrics(int index) {
  switch (index) {
    case kSmCyScreen: return 768;
    case kSmCxBorder: return 1;
    case kSmCxHscroll: return 16;
    default: return 0;
  }
}

bool FakeWindowManager::SystemParametersInfoA(unsigned action, unsigned param, std::uint32_t* previous, unsigned) {
  spiCalls.push_back(action);
  if (action == kSpiSetScreenSaverRunning) {
    if (previous) *previous = systemKeysState;
    systemKeysState = param;
  }
  return true;
}

int FakeWindowManager::MessageBoxA(Hwnd owner, const std::string& text, const std::string& caption, unsigned flags) {
  boxes.push_back({owner, text, caption, flags});
  if (answerBox) return answerBox(boxes.back());
  unsigned buttons = flags & 0xF;
  return buttons == kMbYesNo ? kIdYes : kIdOk;
}

unsigned FakeWindowManager::MapVirtualKeyA(unsigned code, unsigned) {
  // A plausible layout: every code has a scan code unless a name is missing.
  return keyNames.count(code + 0x100) ? code + 0x100 : 0;
}

bool FakeWindowManager::SameTextIgnoringCase(const std::string& a, const std::string& b) {
  auto fold = [](char c) {
    const auto u = static_cast<unsigned char>(c);
    const bool upper = (u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7);
    return upper ? static_cast<unsigned char>(u + 0x20) : u;
  };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (fold(a[i]) != fold(b[i])) return false;
  return true;
}

std::string FakeWindowManager::GetKeyNameTextA(long lParam) {
  auto it = keyNames.find(static_cast<unsigned>(lParam >> 16));
  return it == keyNames.end() ? "" : it->second;
}

}  // namespace nimbul::platform::fake
