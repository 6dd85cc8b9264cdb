#include "hotkeys/key_hot.h"

namespace nimbul::hotkeys {

namespace {
constexpr const char* kAtomName = "Shortcut";
}

unsigned ModifierFlags(TShortCut value) {
  unsigned flags = 0;
  if (value & kScAlt) flags |= platform::kModAlt;
  if (value & kScCtrl) flags |= platform::kModControl;
  if (value & kScShift) flags |= platform::kModShift;
  return flags;
}

TKeyHot::TKeyHot(platform::Hotkeys& hotkeys, TShortCut stored) : hotkeys_(hotkeys) { SetShortCut(stored); }

TKeyHot::~TKeyHot() {
  // The atom table is system-wide: a reference kept past our end would stay
  // until the user logs off.
  UnregisterShortCut();
}

void TKeyHot::SetShortCut(TShortCut value) {
  shortCut_ = value;
  RegisterShortCut();
}

void TKeyHot::RegisterShortCut() {
  UnregisterShortCut();
  hotKeyId_ = hotkeys_.GlobalAddAtomA(kAtomName);
  // Without an identifier a registration could never be withdrawn again.
  if (!hotKeyId_) return;
  if (!window_) window_ = hotkeys_.CreateHotkeyWindow([this](unsigned id) { OnHotkey(id); });
  // A combination the system refuses raises no event; Registered() tells.
  registered_ = hotkeys_.RegisterHotKey(window_.get(), platform::Raw(hotKeyId_.get()), ModifierFlags(shortCut_),
                                        static_cast<unsigned>(shortCut_ & ~kScModifiers));
}

void TKeyHot::UnregisterShortCut() {
  if (!hotKeyId_) return;
  hotkeys_.UnregisterHotKey(window_.get(), platform::Raw(hotKeyId_.get()));
  registered_ = false;
  hotKeyId_.reset();
}

void TKeyHot::OnHotkey(unsigned id) {
  // An unregistered component holds identifier 0, which must not match a stray message.
  if (!hotKeyId_ || id != platform::Raw(hotKeyId_.get())) return;
  if (HotKeyEvent) HotKeyEvent(*this);
}

}  // namespace nimbul::hotkeys
