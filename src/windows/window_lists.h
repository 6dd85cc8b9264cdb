// The two window lists and every operation that hides or shows other
// programs' windows: the rebuild of the visible list, the once-a-second
// maintenance, the tray menu's window submenus and the hide and show handlers.
// The main window owns the controls; this object owns the logic and its state.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/types.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/menu.h"
#include "ui/program_host.h"
#include "ui/string_grid.h"
#include "ui/timer.h"
#include "ui/tool_bar.h"
#include "windows/hidden_journal.h"
#include "windows/window_list.h"

namespace nimbul::windows {

// The main window's controls that the lists drive, by their designer names.
struct ListControls {
  ui::Form& form;
  ui::StringGrid& StringGrid1;  // visible windows
  ui::StringGrid& StringGrid2;  // windows hidden by the program
  ui::PopupMenu& PopupMenu1;    // the tray menu
  ui::ImageList& ImglistPHide;  // icons of its window submenus
  ui::MenuItem& Hideprogram1;
  ui::MenuItem& Showprogram1;
  ui::MenuItem& Verstecken1;
  ui::MenuItem& Anzeigen1;
};

// The name of the window items of the tray submenus (the others are the
// separator and "All windows").
inline constexpr const char* kTrayWindowItem = "TrayWindowItem";

class WindowLists {
 public:
  WindowLists(ui::Application& app, ui::ProgramHost& host, const ListControls& c);

  const WindowList& Visible() const { return visible_; }
  const WindowList& Hidden() const { return hidden_; }

  void RefreshWindowList();
  // After each rebuild that walked the whole desktop.
  std::function<void()> OnRebuilt;
  // Now, and once more when the activation has settled: a program that
  // activates the window may raise it in the Z-order only afterwards.
  void RefreshAfterActivation();
  // The list is built once more when things have settled (the late rebuild):
  // also after the main window rose without an activation.
  void RebuildWhenSettled();
  void Timer1Timer();
  void BuildTrayWindowMenus();

  void StringGrid1DblClick();
  void StringGrid2DblClick();
  void ToolButton1Click();
  void ToolButton2Click();
  void ToolButton10Click();
  void ToolButton11Click();
  void HKAktHotKeyEvent();
  void KHAFVHotKeyEvent();
  void AFSMHotKeyEvent();
  void Fenster1Click();
  void TrayHideWindowClick(const ui::MenuItem& item);
  void TrayShowWindowClick(const ui::MenuItem& item);
  void TrayHideAllClick();
  void TrayShowAllClick();
  // Closing: every hidden window comes back, and nothing more may be hidden.
  void ShowAllForClose();
  // The session did not end after all: hiding works again.
  void SessionGoesOn() { closing_ = false; }
  // At start: the windows a run that ended without closing left hidden.
  void RecoverHidden();

 private:
  // Shows the first hidden entry as a double-click does; drops it if it cannot be shown.
  void ShowFirstHidden();
  // The rebuild; `keepChoice` keeps the user's chosen entry when its window is still listed.
  void Rebuild(bool keepChoice);
  // Every change of a list goes through these: the list changes, its grid
  // draws it, and the hidden list's journal follows it.
  template <class Change>
  void EditVisible(Change change);
  // `journaled` runs once the journal holds the change, before the grid shows it.
  template <class Change, class Then>
  void EditHidden(Change change, Then journaled);
  template <class Change>
  void EditHidden(Change change) {
    EditHidden(change, [] {});
  }
  void ChooseHidden(int position);
  // Hides or shows another program's window without ever waiting on it.
  void ShowTarget(platform::Hwnd w, int cmd);
  // Hides a window; false when it is still on screen although its program
  // answers (it runs as administrator, or refuses): such a window is never
  // recorded as hidden.
  bool HideTarget(platform::Hwnd w);
  // The hotkey only posts its hide: a moment later, a window still on screen
  // (and not hung) goes from the hidden list again.
  void ConfirmPostedHides();
  // One message per operation names the windows that could not be hidden.
  void TellRefused();
  void HideAll();
  void HideFromMenu(const ui::MenuItem& item);
  void PrunePendingHides();

  ui::Application& app_;
  ui::ProgramHost& host_;
  ui::Form& form_;
  ui::StringGrid &StringGrid1, &StringGrid2;
  ui::PopupMenu& PopupMenu1;
  ui::ImageList& ImglistPHide;
  ui::MenuItem &Hideprogram1, &Showprogram1, &Verstecken1, &Anzeigen1;
  WindowList visible_{true};
  WindowList hidden_;
  bool closing_ = false;
  ui::Timer settled_;
  bool raiseWhenSettled_ = false;  // a window was shown below Nimbulon
  ui::Timer confirm_;
  std::vector<WindowEntry> unconfirmed_;  // posted by the hotkey, not yet seen hidden
  std::vector<std::string> refused_;      // titles of this operation's windows that stayed on screen
  HiddenJournal journal_;
  // Windows whose hiding was only posted (their program did not answer).
  // With each, the process that owned it: a handle given to a new window is
  // not the window whose hiding was posted.
  std::map<platform::Hwnd, std::uint32_t> pendingHide_;
};

}  // namespace nimbul::windows
