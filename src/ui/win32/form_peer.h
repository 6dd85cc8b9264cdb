// A form: a real top-level window owned by the application window.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/peer.h"
#include "ui/win32/peer_window.h"

namespace nimbul::ui::win32 {

class FormRegistry;
class NativeMenu;

class FormPeer : public Peer, public PeerWindow {
 public:
  FormPeer(PeerContext& context, Form& form);
  ~FormPeer() override;

  void Changed(Prop p, int index, int sub) override;
  platform::Hwnd Handle() const override;
  void SetFocus() override;

  Form& Model() const { return form_; }
  // The live peer of a form, or of a top-level window; null when none.
  static FormPeer* Of(const FormRegistry& forms, const Form& form);
  static FormPeer* AtWindow(const FormRegistry& forms, HWND hwnd);
  // Focus inside the form: remembered, so activation brings it back.
  void ChildFocused(HWND child) { lastFocus_ = child; }
  void FocusChild(HWND child);
  void AttachMenuBar(NativeMenu* menu);
  // The menu peer goes; the window keeps showing its menu until it is destroyed.
  void DetachMenuBar(const NativeMenu* menu);
  // A control's hint as a tooltip over it; an empty text takes the tooltip away.
  void SetTip(HWND control, const std::string& text);
  // Menu shortcuts of the form's main menu, while the form is the active one.
  bool TranslateShortcut(MSG& msg);
  void ScheduleMenuRebuild();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnMenuCommand(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override;

 private:
  LRESULT OnSize(WPARAM kind, LPARAM lParam);
  LRESULT OnMove(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetMinMaxInfo(MINMAXINFO* info);
  LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
  LRESULT OnWindowPosChanged(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
  LRESULT OnClose();
  LRESULT OnSysCommand(WPARAM command, LPARAM lParam);
  LRESULT OnNcPaint(WPARAM wParam, LPARAM lParam);
  LRESULT OnNcActivate(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  LRESULT OnInitMenu(HMENU menu);
  LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam);
  LRESULT OnMenuSelect(WPARAM wParam, LPARAM lParam);
  LRESULT OnEnterMenuLoop(WPARAM wParam, LPARAM lParam);
  LRESULT OnExitMenuLoop(WPARAM wParam, LPARAM lParam);
  LRESULT OnRebuildMenus();
  LRESULT OnReportGeometry();
  LRESULT OnMeasureItem(WPARAM wParam, MEASUREITEMSTRUCT* item);
  LRESULT OnDrawItem(WPARAM wParam, DRAWITEMSTRUCT* item);

  void ApplyBounds();
  void ApplyVisible();
  void ApplyIcon();
  void CenterOnScreen();
  void ReportGeometry();
  void PaintCaption();
  bool ClickDialogButton(bool isDefault);

  Form& form_;
  NativeMenu* menuBar_ = nullptr;
  // The tooltip window of the form's hints, made with the first one; an owned
  // window, destroyed with the form.
  HWND tips_ = nullptr;
  std::vector<HWND> tipped_;
  HWND lastFocus_ = nullptr;
  int reportedClientW_ = -1, reportedClientH_ = -1;
  bool reporting_ = false;
  bool boundsPending_ = false;
  bool shownOnce_ = false;
  bool active_ = false;
  bool rebuildPosted_ = false;
  bool reportPosted_ = false;
};

}  // namespace nimbul::ui::win32
