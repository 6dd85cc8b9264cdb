// The two window lists: the rebuild of the visible list, the once-a-second
// maintenance, the window submenus of the tray menu, and the operations that
// hide other programs' windows and show them again.
#include "windows/window_lists.h"

#include <exception>
#include <iterator>
#include <set>
#include <utility>
#include <variant>
#include <vector>

#include "platform/shell_windows.h"
#include "windows/window_grid.h"

namespace nimbul::windows {

namespace {
// How long after an activation, or after a window was shown from the hidden
// list, the list is built once more.
constexpr unsigned kSettleMs = 300;
// How long the window of the hotkey's posted hide has to be gone.
constexpr unsigned kConfirmMs = 500;
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
      settled_(app, kSettleMs, false),
      confirm_(app, kConfirmMs, false),
      journal_(app.Sys().registry, app.Sys().wm) {
  settled_.OnTimer = [this] {
    settled_.SetEnabled(false);
    // A window shown by a busy program comes up when that program gets to it,
    // on top of Nimbulon if that is after Nimbulon came to the front: then
    // Nimbulon, if still in front, rises above it again, as it did at once.
    if (std::exchange(raiseWhenSettled_, false) && app_.Active()) host_.BringToFront();
    // The user may have chosen a row since the activation; the late rebuild keeps it.
    Rebuild(true);
  };
  confirm_.OnTimer = [this] { ConfirmPostedHides(); };
  // The views report the entry the user chose as they showed it.
  StringGrid1.OnUserSelect = [this](ui::RowKey key) { visible_.Choose(key); };
  StringGrid2.OnUserSelect = [this](ui::RowKey key) { hidden_.Choose(key); };
  Render(visible_, StringGrid1);
  Render(hidden_, StringGrid2);
}

void WindowLists::RefreshAfterActivation() {
  RefreshWindowList();
  RebuildWhenSettled();
}

void WindowLists::RebuildWhenSettled() {
  settled_.SetEnabled(false);
  settled_.SetEnabled(true);
}

void WindowLists::ShowAllForClose() {
  closing_ = true;
  while (!hidden_.Empty()) ShowFirstHidden();
}

template <class Change>
void WindowLists::EditVisible(Change change) {
  try {
    change(visible_);
  } catch (...) {
    Render(visible_, StringGrid1);
    throw;
  }
  Render(visible_, StringGrid1);
}

template <class Change, class Then>
void WindowLists::EditHidden(Change change, Then journaled) {
  // What changed before a failure is in the journal and on screen all the same.
  try {
    change(hidden_);
  } catch (...) {
    journal_.Sync(hidden_.Entries());
    Render(hidden_, StringGrid2);
    throw;
  }
  journal_.Sync(hidden_.Entries());
  journaled();
  Render(hidden_, StringGrid2);
}

void WindowLists::ChooseHidden(int position) {
  hidden_.ChoosePosition(position);
  Render(hidden_, StringGrid2);
}

void WindowLists::RecoverHidden() {
  // Written afresh even when nothing is recovered: what could not be proven is gone from it too.
  EditHidden([&](WindowList& l) {
    for (WindowEntry& e : journal_.Recover()) l.Append(std::move(e));
  });
}

namespace {

// The windows below `from` in the Z-order that the lists show, top first:
// visible and on screen (not cloaked), neither the application window nor
// one of the shell's, not titled " ", and, unless `withUntitled`, with a
// title. `take` gets each with its title.
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
    if (wm.IsCloaked(w) || platform::IsShellWindow(wm, w)) continue;
    take(w, std::move(title));
  }
}

}  // namespace

void WindowLists::RefreshWindowList() { Rebuild(false); }

void WindowLists::Rebuild(bool keepChoice) {
  auto& wm = app_.Sys().wm;
  std::vector<WindowEntry> entries;
  bool complete = true;
  try {
    // The walk starts below the main window: it and whatever lies above it
    // (always-on-top windows among them) are never listed.
    WalkBelow(wm, form_.Handle(), app_.Handle(), false, [&](platform::Hwnd w, std::string title) {
      entries.push_back({w, std::move(title)});
    });
  } catch (const std::exception&) {
    // A failed rebuild keeps what it found; the shell's toggles stay as they were.
    complete = false;
  }
  EditVisible([&](WindowList& l) { l.Replace(std::move(entries), keepChoice); });
  if (!complete) return;
  if (!keepChoice || visible_.PositionOf(visible_.Chosen()) == 1) StringGrid1.SetTopRow(1);
  if (OnRebuilt) OnRebuilt();
}

void WindowLists::Timer1Timer() {
  auto& wm = app_.Sys().wm;
  try {
    PrunePendingHides();
    // Hidden list: titles follow their windows; entries of closed windows go.
    EditHidden([&](WindowList& l) {
      const int n = l.Count();
      for (int p = 1; p <= n; ++p) {
        // After a removal in this tick the later positions may lie past the end.
        if (p > l.Count()) continue;
        const platform::Hwnd h = l.At(p).window;
        std::string title = wm.GetWindowTextA(h);
        if (title != l.At(p).name) l.SetName(p, title);
        // The entry that moves up into this position is looked at next tick.
        if (title.empty() && !wm.IsWindow(h)) l.Remove(p);
      }
    });
    // Visible list: titles only; no entry is added or removed.
    EditVisible([&](WindowList& l) {
      for (int p = 1; p <= l.Count(); ++p) {
        std::string title = wm.GetWindowTextA(l.At(p).window);
        if (title != l.At(p).name) l.SetName(p, title);
      }
    });
  } catch (const std::exception&) {
    // A failed tick ends silently; the next one starts afresh.
  }
}

namespace {

// The first icon that CopyIcon accepts: the window's small class icon, its
// owner's small class icon, its large class icon, the program's own icon.
platform::IconOwner WindowIcon(platform::WindowManager& wm, platform::Hwnd w, platform::Hicon own) {
  const platform::Hwnd owner{wm.GetWindowLongA(w, platform::kGwlHwndParent)};
  const platform::Hicon candidates[] = {
      platform::Hicon{wm.GetClassLongA(w, platform::kGclHiconSm)},
      IsNull(owner) ? platform::Hicon{} : platform::Hicon{wm.GetClassLongA(owner, platform::kGclHiconSm)},
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
    for (int p = 1; p <= hidden_.Count(); ++p) {
      const WindowEntry& e = hidden_.At(p);
      if (IsNull(e.window)) continue;
      ImglistPHide.Add(wm.IsWindow(e.window) ? WindowIcon(wm, e.window, ownIcon) : wm.CopyIcon(ownIcon));
      auto& item = Showprogram1.Add(kTrayWindowItem, e.name);
      item.SetImageIndex(image++);
      // The entry itself, not its row: the list may change while the menu is open.
      item.SetPayload(hidden_.KeyAt(p));
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

bool WindowLists::HideTarget(platform::Hwnd w) {
  auto& wm = app_.Sys().wm;
  ShowTarget(w, platform::kSwHide);
  // A hide only posted to a hung program is settled later, as before.
  if (pendingHide_.count(w)) return true;
  return !wm.IsWindowVisible(w);
}

void WindowLists::ConfirmPostedHides() {
  auto& wm = app_.Sys().wm;
  confirm_.SetEnabled(false);
  std::vector<WindowEntry> waiting;
  waiting.swap(unconfirmed_);
  for (const WindowEntry& e : waiting) {
    // Shown again through the program meanwhile (F7, say): nothing to settle.
    if (!hidden_.ContainsWindow(e.window)) continue;
    if (!wm.IsWindowVisible(e.window)) continue;
    // Still on screen: its program may only have been too busy to take the
    // posted hide yet. Asked once more, and waited for where the program
    // answers (posted again where it does not): only a window that answered
    // and stayed was never hidden. Dropped from the list on a guess, a window
    // hidden a moment later would be lost.
    if (HideTarget(e.window)) continue;
    EditHidden([&](WindowList& l) {
      for (int p = l.Count(); p >= 1; --p)
        if (l.At(p).window == e.window) {
          l.Remove(p);
          break;
        }
    });
    refused_.push_back(e.name);
  }
  if (!refused_.empty()) RefreshWindowList();
  TellRefused();
}

void WindowLists::TellRefused() {
  if (refused_.empty()) return;
  std::string text =
      refused_.size() == 1 ? "This window could not be hidden:\n" : "These windows could not be hidden:\n";
  for (const std::string& title : refused_) text += "\"" + title + "\"\n";
  text += "\nPrograms running as administrator can only be hidden by a Nimbulon running as administrator.";
  refused_.clear();
  app_.ShowMessage(text);
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
  const WindowEntry* chosen = visible_.ChosenEntry();
  if (!chosen) return;
  const WindowEntry s = *chosen;
  if (hidden_.Contains(s)) return;
  if (!HideTarget(s.window)) {
    refused_.push_back(s.name);
    TellRefused();
    return;
  }
  EditHidden([&](WindowList& l) { l.Append(s); });
  RefreshWindowList();
}

void WindowLists::StringGrid2DblClick() {
  const WindowList::Key key = hidden_.Chosen();
  const WindowEntry* chosen = hidden_.Find(key);
  if (!chosen) return;
  ShowTarget(chosen->window, platform::kSwShowNoActivate);
  EditHidden([&](WindowList& l) { l.Remove(l.PositionOf(key)); });
  RefreshWindowList();
  if (host_.Flags().MinimizedFlag) return;
  host_.BringToFront();
  raiseWhenSettled_ = true;
  RebuildWhenSettled();
}

void WindowLists::ShowFirstHidden() {
  const int before = hidden_.Count();
  if (host_.MainCanFocus()) StringGrid2.SetFocus();
  ChooseHidden(1);
  StringGrid2DblClick();
  // An entry that could not be shown must not be met again and again.
  if (hidden_.Count() >= before) EditHidden([](WindowList& l) { l.Remove(1); });
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
  while (!hidden_.Empty()) {
    const int before = hidden_.Count();
    if (host_.MainCanFocus()) StringGrid2.SetFocus();
    ChooseHidden(1);
    StringGrid2DblClick();
    if (host_.MainCanFocus()) StringGrid1.SetFocus();
    if (hidden_.Count() >= before) break;
  }
}

void WindowLists::ToolButton11Click() {
  HideAll();
  TellRefused();
}

void WindowLists::HideAll() {
  // Windows hidden by this run, and windows that stayed on screen: neither
  // may be met again, whatever their titles do meanwhile.
  std::set<platform::Hwnd> hiddenNow, refusedNow;
  PrunePendingHides();
  while (!visible_.Empty() && !closing_) {
    // The bottom-most window first; a window whose hiding is only posted
    // (its program hangs), or that refused, is passed over rather than ending the run.
    const WindowEntry* last = nullptr;
    for (int p = visible_.Count(); p >= 1 && !last; --p) {
      const platform::Hwnd w = visible_.At(p).window;
      if (!pendingHide_.count(w) && !refusedNow.count(w)) last = &visible_.At(p);
    }
    if (!last) return;
    const WindowEntry l = *last;
    if (hidden_.Contains(l) || hiddenNow.count(l.window)) return;
    app_.ProcessMessages();
    // The program may have been closed while messages ran: every hidden
    // window has been shown again then, and nothing more may be hidden.
    if (closing_) return;
    EditHidden([&](WindowList& list) { list.Append(l); });
    hiddenNow.insert(l.window);
    if (!HideTarget(l.window)) {
      EditHidden([](WindowList& list) { list.Remove(list.Count()); });
      hiddenNow.erase(l.window);
      refusedNow.insert(l.window);
      refused_.push_back(l.name);
    }
    RefreshWindowList();
    if (host_.MainCanFocus()) StringGrid2.SetFocus();
  }
}

void WindowLists::HKAktHotKeyEvent() {
  auto& wm = app_.Sys().wm;
  if (app_.Active()) return;
  const platform::Hwnd w = wm.GetForegroundWindow();
  std::string title = wm.GetWindowTextA(w);
  if (hidden_.ContainsWindow(w)) return;
  bool shell = platform::IsShellWindow(wm, w) || wm.IsCloaked(w);
  if (shell || title == " ") {
    host_.BringToFront();
    return;
  }
  // Recorded in the journal first: a run that ends right after the hide still
  // leaves the window to the next start. Nothing here reads the result back,
  // so the request is only posted: the hotkey never waits on the window's
  // program. Nimbulon comes to the front at once (under Wine the window's
  // program hides sooner so than when left to itself), and only then does
  // the grid draw the new row, which costs a list view under Wine a
  // millisecond or two.
  const auto record = [&](WindowList& l) { l.Append({w, title}); };
  const auto hideAndComeToFront = [&] {
    wm.ShowWindowAsync(w, platform::kSwHide);
    host_.BringToFront();
  };
  EditHidden(record, hideAndComeToFront);
  unconfirmed_.push_back({w, std::move(title)});
  confirm_.SetEnabled(true);
}

void WindowLists::KHAFVHotKeyEvent() {
  app_.Restore();
  host_.BringToFront();
  RefreshWindowList();
  ToolButton11Click();
  host_.SendToTray();
}

void WindowLists::AFSMHotKeyEvent() {
  if (hidden_.Empty()) return;
  while (hidden_.Count() > 1) ShowFirstHidden();
  // The window hidden last comes back activated.
  ChooseHidden(1);
  ShowTarget(hidden_.At(1).window, platform::kSwShow);
  EditHidden([](WindowList& l) { l.Replace({}); });
}

void WindowLists::TrayHideWindowClick(const ui::MenuItem& item) {
  HideFromMenu(item);
  TellRefused();
}

void WindowLists::HideFromMenu(const ui::MenuItem& item) {
  auto& wm = app_.Sys().wm;
  const auto* window = std::get_if<platform::Hwnd>(&item.Payload());
  if (!window) return;
  const platform::Hwnd w = *window;
  if (!HideTarget(w)) {
    refused_.push_back(wm.GetWindowTextA(w));
    return;
  }
  EditHidden([&](WindowList& l) { l.Append({w, wm.GetWindowTextA(w), true}); });
}

void WindowLists::TrayShowWindowClick(const ui::MenuItem& item) {
  const auto* key = std::get_if<ui::RowKey>(&item.Payload());
  if (!key) return;
  // An entry that went while the menu was open (its window closed) is not
  // replaced by whichever entry took its row.
  const WindowEntry* e = hidden_.Find(*key);
  if (!e) return;
  ShowTarget(e->window, platform::kSwShow);
  EditHidden([&](WindowList& l) { l.Remove(l.PositionOf(*key)); });
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
    HideFromMenu(item);
  }
  TellRefused();
}

void WindowLists::TrayShowAllClick() {
  // Last hidden first, none activated.
  while (!hidden_.Empty()) {
    ShowTarget(hidden_.At(hidden_.Count()).window, platform::kSwShowNoActivate);
    EditHidden([](WindowList& l) { l.Remove(l.Count()); });
  }
}

void WindowLists::Fenster1Click() {
  Verstecken1.SetEnabled(false);
  Anzeigen1.SetEnabled(false);
  if (StringGrid1.Focused()) Verstecken1.SetEnabled(true);
  if (StringGrid2.Focused()) Anzeigen1.SetEnabled(true);
}

}  // namespace nimbul::windows
