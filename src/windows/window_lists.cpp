// The two window lists: the rebuild of the visible list, the once-a-second
// maintenance, the window submenus of the tray menu, and the operations that
// hide other programs' windows and show them again.
#include "windows/window_lists.h"

#include <exception>
#include <iterator>
#include <set>
#include <variant>
#include <vector>

#include "platform/shell_windows.h"
#include "windows/window_grid.h"

namespace nimbul::windows {

namespace {
// How long after an activation the list is built once more.
constexpr unsigned kSettleMs = 300;
}  // namespace

WindowLists::WindowLists(ui::Application& app, ui::ProgramHost& host, const ListControls& c)
    : app_(app),
      host_(host),
      form_(c.form),
      StringGrid1(c.StringGrid1),
      StringGrid2(c.StringGrid2),
      PopupMenu1(c.PopupMenu1),
      ImglistPHide(c.ImglistPHide),
      Hideprogram1(c.Hideprogram1),
      Showprogram1(c.Showprogram1),
      Verstecken1(c.Verstecken1),
      Anzeigen1(c.Anzeigen1),
      DesktopIconsausblenden1(c.DesktopIconsausblenden1),
      ToolButton7(c.ToolButton7),
      HideTaskbar1(c.HideTaskbar1),
      ToolButton12(c.ToolButton12),
      settled_(app, kSettleMs, false),
      journal_(app.Sys().registry, app.Sys().wm) {
  settled_.OnTimer = [this] {
    settled_.SetEnabled(false);
    RefreshWindowList();
  };
}

void WindowLists::RefreshAfterActivation() {
  RefreshWindowList();
  settled_.SetEnabled(false);
  settled_.SetEnabled(true);
}

void WindowLists::ShowAllForClose() {
  closing_ = true;
  while (EntryCount(StringGrid2) > 0) ShowFirstHidden();
  Journal();
}

void WindowLists::Journal() { journal_.Sync(Entries(StringGrid2)); }

void WindowLists::RecoverHidden() {
  for (const WindowEntry& e : journal_.Recover()) AppendEntry(StringGrid2, e);
  // Written afresh: what could not be proven is gone from it too.
  Journal();
}


namespace {

// The windows below `from` in the Z-order that the lists show, top first:
// visible, neither the desktop nor the application window, not titled " ",
// and, unless `withUntitled`, with a title. `take` gets each with its title.
template <class Take>
void WalkBelow(platform::WindowManager& wm, platform::Hwnd from, platform::Hwnd appWindow, bool withUntitled,
               Take take) {
  for (platform::Hwnd w = from; !IsNull(w);) {
    w = wm.GetWindow(w, platform::kGwHwndNext);
    std::string title = wm.GetWindowTextA(w);
    if (title == platform::kBlankTitle) continue;
    if (!wm.IsWindowVisible(w)) continue;
    if (title == platform::kDesktopTitle) continue;
    if (w == appWindow) continue;
    if (title.empty() && !withUntitled) continue;
    take(w, std::move(title));
  }
}

}  // namespace

void WindowLists::RefreshWindowList() {
  auto& wm = app_.Sys().wm;
  std::vector<WindowEntry> entries;
  try {
    // The walk starts below the main window: it and whatever lies above it
    // (always-on-top windows among them) are never listed.
    WalkBelow(wm, form_.Handle(), app_.Handle(), false, [&](platform::Hwnd w, std::string title) {
      entries.push_back({std::move(title), HandleText(w)});
    });
  } catch (const std::exception&) {
    // A failed rebuild keeps what it found and leaves the toggles as they were.
    SetEntries(StringGrid1, entries);
    return;
  }
  SetEntries(StringGrid1, entries);

  // Keep the toggles true to the screen when something else hid or showed these.
  bool desktopVisible = wm.IsWindowVisible(wm.FindWindowA(platform::kDesktopClass));
  DesktopIconsausblenden1.SetChecked(!desktopVisible);
  ToolButton7.SetDown(!desktopVisible);
  bool taskbarVisible = wm.IsWindowVisible(wm.FindWindowA(platform::kTaskbarClass));
  HideTaskbar1.SetChecked(!taskbarVisible);
  ToolButton12.SetDown(!taskbarVisible);
  host_.Flags().TaskbarHiddenFlag = !taskbarVisible;
}

void WindowLists::Timer1Timer() {
  auto& wm = app_.Sys().wm;
  try {
    PrunePendingHides();
    // Hidden list: titles follow their windows; entries of closed windows go.
    const int n = EntryCount(StringGrid2);
    for (int p = 1; p <= n; ++p) {
      // After a removal in this tick the later positions may lie past the end.
      if (p > EntryCount(StringGrid2)) continue;
      platform::Hwnd h{};
      if (!ParseHandle(StringGrid2.Cell(kHandleCol, p), &h)) continue;
      std::string title = wm.GetWindowTextA(h);
      if (title != StringGrid2.Cell(kNameCol, p)) SetName(StringGrid2, p, title);
      // The entry that moves up into this position is looked at next tick.
      if (title.empty() && !wm.IsWindow(h)) RemoveEntry(StringGrid2, p);
    }
    Journal();
    // Visible list: titles only; no entry is added or removed.
    for (int p = 1; p <= EntryCount(StringGrid1); ++p) {
      platform::Hwnd h{};
      if (!ParseHandle(StringGrid1.Cell(kHandleCol, p), &h)) continue;
      std::string title = wm.GetWindowTextA(h);
      if (title != StringGrid1.Cell(kNameCol, p)) SetName(StringGrid1, p, title);
    }
  } catch (const std::exception&) {
    // A failed tick ends silently; the next one starts afresh.
  }
}

namespace {

// The first icon that CopyIcon accepts: the window's small class icon, its
// owner's small class icon, its large class icon, the program's own icon.
platform::IconOwner WindowIcon(platform::WindowManager& wm, platform::Hwnd w, platform::Hicon own) {
  const platform::Hwnd owner{wm.GetWindowLongA(w, platform::kGwlHwndParent)};
  const platform::Hicon candidates[] = {platform::Hicon{wm.GetClassLongA(w, platform::kGclHiconSm)},
                                        IsNull(owner) ? platform::Hicon{}
                                                      : platform::Hicon{wm.GetClassLongA(owner, platform::kGclHiconSm)},
                                        platform::Hicon{wm.GetClassLongA(w, platform::kGclHicon)}, own};
  for (platform::Hicon c : candidates) {
    if (IsNull(c)) continue;
    if (platform::IconOwner copy = wm.CopyIcon(c)) return copy;
  }
  return {};
}

}  // namespace

void WindowLists::BuildTrayWindowMenus() {
  auto& wm = app_.Sys().wm;
  const platform::Hicon ownIcon{wm.GetClassLongA(form_.Handle(), platform::kGclHicon)};
  try {
    PopupMenu1.SetImages(&ImglistPHide);
    ImglistPHide.Clear();
    int image = 0;
    Hideprogram1.Clear();
    WalkBelow(wm, form_.Handle(), app_.Handle(), true, [&](platform::Hwnd w, const std::string& title) {
      ImglistPHide.Add(WindowIcon(wm, w, ownIcon));
      auto& item = Hideprogram1.Add(kTrayWindowItem, title);
      item.SetImageIndex(image++);
      item.SetPayload(w);
      item.OnClick = [this](ui::MenuItem& it) { TrayHideWindowClick(it); };
    });
    Showprogram1.Clear();
    for (int p = 1; p <= EntryCount(StringGrid2); ++p) {
      WindowEntry e = EntryAt(StringGrid2, p);
      if (e.handle == "0") continue;
      platform::Hwnd h{};
      bool named = ParseHandle(e.handle, &h) && wm.IsWindow(h);
      ImglistPHide.Add(named ? WindowIcon(wm, h, ownIcon) : wm.CopyIcon(ownIcon));
      auto& item = Showprogram1.Add(kTrayWindowItem, e.name);
      item.SetImageIndex(image++);
      item.SetPayload(ui::ListPosition{p});
      item.OnClick = [this](ui::MenuItem& it) { TrayShowWindowClick(it); };
    }
    if (Hideprogram1.Count() > 0) {
      Hideprogram1.Add("", "-");
      Hideprogram1.Add("", "All windows").OnClick = [this](ui::MenuItem&) { TrayHideAllClick(); };
    }
    if (Showprogram1.Count() > 0) {
      Showprogram1.Add("", "-");
      Showprogram1.Add("", "All windows").OnClick = [this](ui::MenuItem&) { TrayShowAllClick(); };
    }
  } catch (const std::exception&) {
    // A failed build keeps the items made so far.
  }
}



namespace {
// How long a target's program may take to answer before it counts as not answering.
constexpr unsigned kAnswerMs = 200;
}  // namespace

void WindowLists::ShowTarget(platform::Hwnd w, int cmd) {
  auto& wm = app_.Sys().wm;
  // A program that stopped answering would block a plain ShowWindow for as
  // long as it hangs; the request is posted to it instead. The probe also
  // catches a program that stopped only a moment ago.
  if (wm.IsHungAppWindow(w) || (wm.IsWindow(w) && !wm.AnswersWithin(w, kAnswerMs))) {
    wm.ShowWindowAsync(w, cmd);
    if (cmd == platform::kSwHide)
      pendingHide_[w] = wm.GetWindowProcessId(w);
    else
      pendingHide_.erase(w);
    return;
  }
  wm.ShowWindow(w, cmd);
  if (cmd != platform::kSwHide) pendingHide_.erase(w);
}

void WindowLists::PrunePendingHides() {
  auto& wm = app_.Sys().wm;
  // A posted hide is done once its window is hidden or gone; a handle kept
  // longer would make hide-all pass over a new window that reuses it.
  for (auto it = pendingHide_.begin(); it != pendingHide_.end();)
    it = wm.IsWindowVisible(it->first) && wm.GetWindowProcessId(it->first) == it->second ? std::next(it)
                                                                                          : pendingHide_.erase(it);
}

void WindowLists::StringGrid1DblClick() {
  WindowEntry s = SelectedEntry(StringGrid1);
  if (ContainsEntry(StringGrid2, s)) return;
  if (s.handle.empty() || s.handle == "Handle") return;
  platform::Hwnd h{};
  if (!ParseHandle(s.handle, &h)) return;
  ShowTarget(h, platform::kSwHide);
  AppendEntry(StringGrid2, s);
  Journal();
  RefreshWindowList();
}

void WindowLists::StringGrid2DblClick() {
  WindowEntry s = SelectedEntry(StringGrid2);
  if (s.handle.empty() || s.handle == "Handle") return;
  platform::Hwnd h{};
  if (!ParseHandle(s.handle, &h)) return;
  ShowTarget(h, platform::kSwShowNoActivate);
  RemoveEntry(StringGrid2, StringGrid2.Row());
  Journal();
  RefreshWindowList();
  if (!host_.Flags().MinimizedFlag) host_.BringToFront();
}

void WindowLists::ShowFirstHidden() {
  int before = EntryCount(StringGrid2);
  if (host_.MainCanFocus()) StringGrid2.SetFocus();
  SelectEntry(StringGrid2, 1);
  StringGrid2DblClick();
  // An entry that could not be shown must not be met again and again.
  if (EntryCount(StringGrid2) >= before) RemoveEntry(StringGrid2, 1);
  Journal();
}

void WindowLists::ToolButton1Click() {
  if (host_.MainCanFocus()) StringGrid2.SetFocus();
  StringGrid2DblClick();
}

void WindowLists::ToolButton2Click() {
  if (host_.MainCanFocus()) StringGrid1.SetFocus();
  StringGrid1DblClick();
}

void WindowLists::ToolButton10Click() {
  while (EntryCount(StringGrid2) > 0) {
    int before = EntryCount(StringGrid2);
    if (host_.MainCanFocus()) StringGrid2.SetFocus();
    SelectEntry(StringGrid2, 1);
    StringGrid2DblClick();
    if (host_.MainCanFocus()) StringGrid1.SetFocus();
    // An entry whose handle cannot be read would otherwise be met forever.
    if (EntryCount(StringGrid2) >= before) break;
  }
}

void WindowLists::ToolButton11Click() {
  // Handles hidden by this run: a window that refuses to hide while its
  // title keeps changing must still end the loop.
  std::set<std::string> hiddenNow;
  PrunePendingHides();
  while (EntryCount(StringGrid1) > 0 && !closing_) {
    // The bottom-most window first; a window whose hiding is only posted
    // (its program hangs) is passed over rather than ending the run.
    WindowEntry l;
    for (int p = EntryCount(StringGrid1); p >= 1; --p) {
      WindowEntry e = EntryAt(StringGrid1, p);
      platform::Hwnd h{};
      if (ParseHandle(e.handle, &h) && pendingHide_.count(h)) continue;
      l = e;
      break;
    }
    if (l.handle.empty()) return;
    if (ContainsEntry(StringGrid2, l) || hiddenNow.count(l.handle)) return;
    app_.ProcessMessages();
    // The program may have been closed while messages ran: every hidden
    // window has been shown again then, and nothing more may be hidden.
    if (closing_) return;
    platform::Hwnd h{};
    if (!ParseHandle(l.handle, &h)) return;
    AppendEntry(StringGrid2, l);
    Journal();
    hiddenNow.insert(l.handle);
    ShowTarget(h, platform::kSwHide);
    RefreshWindowList();
    ShowHeader(StringGrid2);
    if (host_.MainCanFocus()) StringGrid2.SetFocus();
  }
}

void WindowLists::HKAktHotKeyEvent() {
  auto& wm = app_.Sys().wm;
  if (app_.Active()) return;
  platform::Hwnd w = wm.GetForegroundWindow();
  std::string title = wm.GetWindowTextA(w);
  std::string handle = HandleText(w);
  if (ContainsHandle(StringGrid2, handle)) return;
  bool shell = w == wm.FindWindowA(platform::kDesktopClass) || w == wm.FindWindowA(platform::kTaskbarClass);
  if (!shell && title != " ") {
    // Nothing here reads the result back, so the request is only posted:
    // the hotkey never waits on the window's program, answering or not.
    // Recorded first: a run that ends right after the hide still leaves the window to the next start.
    AppendEntry(StringGrid2, {title, handle});
    Journal();
    wm.ShowWindowAsync(w, platform::kSwHide);
  }
  host_.BringToFront();
}

void WindowLists::KHAFVHotKeyEvent() {
  app_.Restore();
  host_.BringToFront();
  RefreshWindowList();
  ToolButton11Click();
  host_.SendToTray();
}

void WindowLists::AFSMHotKeyEvent() {
  if (EntryCount(StringGrid2) == 0) return;
  while (EntryCount(StringGrid2) > 1) ShowFirstHidden();
  SelectEntry(StringGrid2, 1);
  WindowEntry last = EntryAt(StringGrid2, 1);
  if (last.handle.empty() || last.handle == "Handle") return;
  platform::Hwnd h{};
  if (ParseHandle(last.handle, &h)) ShowTarget(h, platform::kSwShow);
  ShowEmpty(StringGrid2);
  Journal();
}

void WindowLists::TrayHideWindowClick(const ui::MenuItem& item) {
  auto& wm = app_.Sys().wm;
  const auto* window = std::get_if<platform::Hwnd>(&item.Payload());
  if (!window) return;
  const platform::Hwnd w = *window;
  ShowTarget(w, platform::kSwHide);
  AppendEntry(StringGrid2, {wm.GetWindowTextA(w), SignedHandleText(w)});
  Journal();
}

void WindowLists::TrayShowWindowClick(const ui::MenuItem& item) {
  const auto* position = std::get_if<ui::ListPosition>(&item.Payload());
  if (!position) return;
  const int p = position->value;
  if (p < 1 || p > EntryCount(StringGrid2)) return;
  platform::Hwnd h{};
  WindowEntry e = EntryAt(StringGrid2, p);
  if (ParseHandle(e.handle, &h)) ShowTarget(h, platform::kSwShow);
  RemoveEntry(StringGrid2, p);
  Journal();
  RefreshWindowList();
}

void WindowLists::TrayHideAllClick() {
  // The handles first: the items are rebuilt whenever the menu opens again.
  std::vector<ui::MenuPayload> windows;
  for (int i = 0; i < Hideprogram1.Count(); ++i) {
    const ui::MenuItem& it = Hideprogram1[i];
    if (it.Name() == kTrayWindowItem) windows.push_back(it.Payload());
  }
  for (const ui::MenuPayload& w : windows) {
    ui::MenuItem item("", "");
    item.SetPayload(w);
    TrayHideWindowClick(item);
  }
}

void WindowLists::TrayShowAllClick() {
  while (EntryCount(StringGrid2) > 0) {
    int n = EntryCount(StringGrid2);
    platform::Hwnd h{};
    if (ParseHandle(EntryAt(StringGrid2, n).handle, &h))
      ShowTarget(h, platform::kSwShowNoActivate);
    RemoveEntry(StringGrid2, n);
    Journal();
  }
  ShowEmpty(StringGrid2);
  Journal();
}

void WindowLists::Fenster1Click() {
  Verstecken1.SetEnabled(false);
  Anzeigen1.SetEnabled(false);
  if (StringGrid1.Focused()) Verstecken1.SetEnabled(true);
  if (StringGrid2.Focused()) Anzeigen1.SetEnabled(true);
}

}  // namespace nimbul::windows
