// The main window's two lists: the rebuild of the visible list, the
// once-a-second maintenance, and the window submenus of the tray menu.
#include <exception>

#include "app/main_window.h"
#include "windows/window_grid.h"

namespace nimbul::app {

using windows::WindowEntry;

void TfrmNimbulMain::RefreshWindowList() {
  auto& wm = App().Sys().wm;
  const platform::Hwnd appWindow = App().Handle();
  std::vector<WindowEntry> entries;
  try {
    // The walk starts below the main window: it and whatever lies above it
    // (always-on-top windows among them) are never listed.
    for (platform::Hwnd w = Handle(); !IsNull(w);) {
      w = wm.GetWindow(w, platform::kGwHwndNext);
      std::string title = wm.GetWindowTextA(w);
      if (title == " ") continue;
      if (!wm.IsWindowVisible(w)) continue;
      if (title == "Program Manager") continue;
      if (w == appWindow) continue;
      if (title.empty()) continue;
      entries.push_back({std::move(title), windows::HandleText(w)});
    }
  } catch (const std::exception&) {
    // A failed rebuild keeps what it found and leaves the toggles as they were.
    windows::SetEntries(StringGrid1, entries);
    return;
  }
  windows::SetEntries(StringGrid1, entries);

  // Keep the toggles true to the screen when something else hid or showed these.
  bool desktopVisible = wm.IsWindowVisible(wm.FindWindowA("Progman"));
  DesktopIconsausblenden1.SetChecked(!desktopVisible);
  ToolButton7.SetDown(!desktopVisible);
  bool taskbarVisible = wm.IsWindowVisible(wm.FindWindowA("Shell_TrayWnd"));
  HideTaskbar1.SetChecked(!taskbarVisible);
  ToolButton12.SetDown(!taskbarVisible);
  TaskbarHiddenFlag = !taskbarVisible;
}

void TfrmNimbulMain::Timer1Timer() {
  auto& wm = App().Sys().wm;
  try {
    // Hidden list: titles follow their windows; entries of closed windows go.
    const int n = windows::EntryCount(StringGrid2);
    for (int p = 1; p <= n; ++p) {
      // After a removal in this tick the later positions may lie past the end.
      if (p > windows::EntryCount(StringGrid2)) continue;
      platform::Hwnd h{};
      if (!windows::ParseHandle(StringGrid2.Cell(windows::kHandleCol, p), &h)) continue;
      std::string title = wm.GetWindowTextA(h);
      if (title != StringGrid2.Cell(windows::kNameCol, p)) windows::SetName(StringGrid2, p, title);
      // The entry that moves up into this position is looked at next tick.
      if (title.empty() && !wm.IsWindow(h)) windows::RemoveEntry(StringGrid2, p);
    }
    // Visible list: titles only; no entry is added or removed.
    for (int p = 1; p <= windows::EntryCount(StringGrid1); ++p) {
      platform::Hwnd h{};
      if (!windows::ParseHandle(StringGrid1.Cell(windows::kHandleCol, p), &h)) continue;
      std::string title = wm.GetWindowTextA(h);
      if (title != StringGrid1.Cell(windows::kNameCol, p)) windows::SetName(StringGrid1, p, title);
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

void TfrmNimbulMain::BuildTrayWindowMenus() {
  auto& wm = App().Sys().wm;
  const platform::Hwnd appWindow = App().Handle();
  const platform::Hicon ownIcon{wm.GetClassLongA(Handle(), platform::kGclHicon)};
  try {
    PopupMenu1.SetImages(&ImglistPHide);
    ReleaseTrayIcons();
    int image = 0;
    Hideprogram1.Clear();
    for (platform::Hwnd w = Handle(); !IsNull(w);) {
      w = wm.GetWindow(w, platform::kGwHwndNext);
      std::string title = wm.GetWindowTextA(w);
      if (title == " " || !wm.IsWindowVisible(w) || title == "Program Manager" || w == appWindow) continue;
      ImglistPHide.Add(WindowIcon(wm, w, ownIcon));
      auto& item = Hideprogram1.Add(kTrayWindowItem, title);
      item.SetImageIndex(image++);
      item.SetTag(static_cast<std::int32_t>(platform::Raw(w)));
      item.OnClick = [this](ui::MenuItem& it) { TrayHideWindowClick(it); };
    }
    Showprogram1.Clear();
    for (int p = 1; p <= windows::EntryCount(StringGrid2); ++p) {
      WindowEntry e = windows::EntryAt(StringGrid2, p);
      if (e.handle == "0") continue;
      platform::Hwnd h{};
      bool named = windows::ParseHandle(e.handle, &h) && wm.IsWindow(h);
      ImglistPHide.Add(named ? WindowIcon(wm, h, ownIcon) : wm.CopyIcon(ownIcon));
      auto& item = Showprogram1.Add(kTrayWindowItem, e.name);
      item.SetImageIndex(image++);
      item.SetTag(p);
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

}  // namespace nimbul::app
