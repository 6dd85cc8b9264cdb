// The operations that hide other programs' windows and show them again.
#include <set>

#include "app/main_window.h"
#include "windows/window_grid.h"

namespace nimbul::app {

using windows::WindowEntry;

namespace {
// How long a target's program may take to answer before it counts as not answering.
constexpr unsigned kAnswerMs = 200;
}  // namespace

void TfrmNimbulMain::ShowTarget(platform::Hwnd w, int cmd) {
  auto& wm = App().Sys().wm;
  // A program that stopped answering would block a plain ShowWindow for as
  // long as it hangs; the request is posted to it instead. The probe also
  // catches a program that stopped only a moment ago.
  if (wm.IsHungAppWindow(w) || (wm.IsWindow(w) && !wm.AnswersWithin(w, kAnswerMs))) {
    wm.ShowWindowAsync(w, cmd);
    if (cmd == platform::kSwHide) pendingHide_.insert(w);
    return;
  }
  wm.ShowWindow(w, cmd);
  if (cmd != platform::kSwHide) pendingHide_.erase(w);
}

void TfrmNimbulMain::StringGrid1DblClick() {
  WindowEntry s = windows::SelectedEntry(StringGrid1);
  if (windows::ContainsEntry(StringGrid2, s)) return;
  if (s.handle.empty() || s.handle == "Handle") return;
  platform::Hwnd h{};
  if (!windows::ParseHandle(s.handle, &h)) return;
  ShowTarget(h, platform::kSwHide);
  windows::AppendEntry(StringGrid2, s);
  RefreshWindowList();
}

void TfrmNimbulMain::StringGrid2DblClick() {
  WindowEntry s = windows::SelectedEntry(StringGrid2);
  if (s.handle.empty() || s.handle == "Handle") return;
  platform::Hwnd h{};
  if (!windows::ParseHandle(s.handle, &h)) return;
  ShowTarget(h, platform::kSwShowNoActivate);
  windows::RemoveEntry(StringGrid2, StringGrid2.Row());
  RefreshWindowList();
  if (!MinimizedFlag) App().BringToFront();
}

void TfrmNimbulMain::ShowFirstHidden() {
  int before = windows::EntryCount(StringGrid2);
  if (MainCanFocus()) StringGrid2.SetFocus();
  windows::SelectEntry(StringGrid2, 1);
  StringGrid2DblClick();
  // An entry that could not be shown must not be met again and again.
  if (windows::EntryCount(StringGrid2) >= before) windows::RemoveEntry(StringGrid2, 1);
}

void TfrmNimbulMain::ToolButton1Click() {
  if (MainCanFocus()) StringGrid2.SetFocus();
  StringGrid2DblClick();
}

void TfrmNimbulMain::ToolButton2Click() {
  if (MainCanFocus()) StringGrid1.SetFocus();
  StringGrid1DblClick();
}

void TfrmNimbulMain::ToolButton10Click() {
  while (windows::EntryCount(StringGrid2) > 0) {
    int before = windows::EntryCount(StringGrid2);
    if (MainCanFocus()) StringGrid2.SetFocus();
    windows::SelectEntry(StringGrid2, 1);
    StringGrid2DblClick();
    if (MainCanFocus()) StringGrid1.SetFocus();
    // An entry whose handle cannot be read would otherwise be met forever.
    if (windows::EntryCount(StringGrid2) >= before) break;
  }
}

void TfrmNimbulMain::ToolButton11Click() {
  // Handles hidden by this run: a window that refuses to hide while its
  // title keeps changing must still end the loop.
  std::set<std::string> hiddenNow;
  while (windows::EntryCount(StringGrid1) > 0 && !closing_) {
    // The bottom-most window first; a window whose hiding is only posted
    // (its program hangs) is passed over rather than ending the run.
    WindowEntry l;
    for (int p = windows::EntryCount(StringGrid1); p >= 1; --p) {
      WindowEntry e = windows::EntryAt(StringGrid1, p);
      platform::Hwnd h{};
      if (windows::ParseHandle(e.handle, &h) && pendingHide_.count(h)) continue;
      l = e;
      break;
    }
    if (l.handle.empty()) return;
    if (windows::ContainsEntry(StringGrid2, l) || hiddenNow.count(l.handle)) return;
    App().ProcessMessages();
    // The program may have been closed while messages ran: every hidden
    // window has been shown again then, and nothing more may be hidden.
    if (closing_) return;
    platform::Hwnd h{};
    if (!windows::ParseHandle(l.handle, &h)) return;
    windows::AppendEntry(StringGrid2, l);
    hiddenNow.insert(l.handle);
    ShowTarget(h, platform::kSwHide);
    RefreshWindowList();
    windows::ShowHeader(StringGrid2);
    if (MainCanFocus()) StringGrid2.SetFocus();
  }
}

void TfrmNimbulMain::HKAktHotKeyEvent() {
  auto& wm = App().Sys().wm;
  if (App().Active()) return;
  platform::Hwnd w = wm.GetForegroundWindow();
  std::string title = wm.GetWindowTextA(w);
  std::string handle = windows::HandleText(w);
  if (windows::ContainsHandle(StringGrid2, handle)) return;
  bool shell = w == wm.FindWindowA("Progman") || w == wm.FindWindowA("Shell_Traywnd");
  if (!shell && title != " ") {
    // Nothing here reads the result back, so the request is only posted:
    // the hotkey never waits on the window's program, answering or not.
    wm.ShowWindowAsync(w, platform::kSwHide);
    windows::AppendEntry(StringGrid2, {title, handle});
  }
  App().BringToFront();
}

void TfrmNimbulMain::KHAFVHotKeyEvent() {
  App().Restore();
  App().BringToFront();
  RefreshWindowList();
  ToolButton11Click();
  ToolButton8Click();
}

void TfrmNimbulMain::AFSMHotKeyEvent() {
  if (windows::EntryCount(StringGrid2) == 0) return;
  while (windows::EntryCount(StringGrid2) > 1) ShowFirstHidden();
  windows::SelectEntry(StringGrid2, 1);
  WindowEntry last = windows::EntryAt(StringGrid2, 1);
  if (last.handle.empty() || last.handle == "Handle") return;
  platform::Hwnd h{};
  if (windows::ParseHandle(last.handle, &h)) ShowTarget(h, platform::kSwShow);
  windows::ShowEmpty(StringGrid2);
}

void TfrmNimbulMain::KHTASKHotKeyEvent() {
  if (MinimizedFlag) {
    App().SetShowMainForm(true);
    App().BringToFront();
    if (peers_.taskbarButton) peers_.taskbarButton->Hide();
    Show();
    App().Restore();
    MinimizedFlag = false;
    App().BringToFront();
  } else {
    ToolButton8Click();
    if (TaskbarHiddenFlag && peers_.taskbarButton) peers_.taskbarButton->Show();
    MinimizedFlag = true;
    App().BringToFront();
  }
}

void TfrmNimbulMain::TrayHideWindowClick(ui::MenuItem& item) {
  auto& wm = App().Sys().wm;
  auto w = static_cast<platform::Hwnd>(item.Tag());
  ShowTarget(w, platform::kSwHide);
  windows::AppendEntry(StringGrid2, {wm.GetWindowTextA(w), windows::SignedHandleText(w)});
}

void TfrmNimbulMain::TrayShowWindowClick(ui::MenuItem& item) {
  int p = item.Tag();
  if (p < 1 || p > windows::EntryCount(StringGrid2)) return;
  platform::Hwnd h{};
  WindowEntry e = windows::EntryAt(StringGrid2, p);
  if (windows::ParseHandle(e.handle, &h)) ShowTarget(h, platform::kSwShow);
  windows::RemoveEntry(StringGrid2, p);
  RefreshWindowList();
}

void TfrmNimbulMain::TrayHideAllClick() {
  // The handles first: the items are rebuilt whenever the menu opens again.
  std::vector<std::int32_t> handles;
  for (int i = 0; i < Hideprogram1.Count(); ++i) {
    ui::MenuItem& it = Hideprogram1[i];
    if (it.Name() != kTrayWindowItem) continue;
    handles.push_back(it.Tag());
  }
  for (std::int32_t h : handles) {
    ui::MenuItem tmp("", "");
    tmp.SetTag(h);
    TrayHideWindowClick(tmp);
  }
}

void TfrmNimbulMain::TrayShowAllClick() {
  while (windows::EntryCount(StringGrid2) > 0) {
    int n = windows::EntryCount(StringGrid2);
    platform::Hwnd h{};
    if (windows::ParseHandle(windows::EntryAt(StringGrid2, n).handle, &h))
      ShowTarget(h, platform::kSwShowNoActivate);
    windows::RemoveEntry(StringGrid2, n);
  }
  windows::ShowEmpty(StringGrid2);
}

void TfrmNimbulMain::Fenster1Click() {
  Verstecken1.SetEnabled(false);
  Anzeigen1.SetEnabled(false);
  if (StringGrid1.Focused()) Verstecken1.SetEnabled(true);
  if (StringGrid2.Focused()) Anzeigen1.SetEnabled(true);
}

}  // namespace nimbul::app
