// A top-level window of the program, owned by the application window.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/menu.h"

namespace nimbul::ui {

enum class BorderStyle { Sizeable, Dialog, ToolWindow, SizeToolWindow, None };
enum class FormPosition { Designed, ScreenCenter };

class Form : public Control {
 public:
  Form(Application& app, std::string name);
  ~Form() override;

  Application& FormApp() { return app_; }

  BorderStyle Border() const { return border_; }
  void SetBorder(BorderStyle b) { border_ = b; }
  // A dialog border with a minimize box beside the close box.
  bool MinimizeBox() const { return minimizeBox_; }
  void SetMinimizeBox(bool m) { minimizeBox_ = m; }
  // Always on top of the other programs' windows.
  bool TopMost() const { return topMost_; }
  void SetTopMost(bool t) { topMost_ = t; }
  FormPosition Position() const { return position_; }
  void SetPosition(FormPosition p) { position_ = p; }
  // Outer size is Width()/Height(); the client size comes from the peer.
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }
  // Sets the size of the client area (the peer works out the outer size).
  void SetClientSize(int w, int h);
  MainMenu* Menu() const { return menu_; }
  void SetMenu(MainMenu* m) {
    menu_ = m;
    AddMenu(m);
  }
  // Every menu of the form (main and popup), so they get their peers with it.
  void AddMenu(ui::Menu* m) { menus_.push_back(m); }
  const std::vector<ui::Menu*>& Menus() const { return menus_; }
  // Smallest outer size the user can drag the window to (0: the system's).
  int MinTrackWidth() const { return minW_; }
  int MinTrackHeight() const { return minH_; }
  void SetMinTrackSize(int w, int h) {
    minW_ = w;
    minH_ = h;
  }
  // Title bar gradient: start colour and number of steps.
  Color GradientStart() const { return gradientStart_; }
  int GradientSteps() const { return gradientSteps_; }
  void SetGradientSteps(int s) {
    if (s != gradientSteps_) {
      gradientSteps_ = s;
      Changed(Prop::Style);
    }
  }
  const std::string& IconResource() const { return icon_; }
  void SetIconResource(const std::string& r) { icon_ = r; }
  // An icon shown in the title bar instead of the resource one (0: the
  // resource one). The form does not own it.
  platform::Hicon Icon() const { return iconHandle_; }
  void SetIcon(platform::Hicon icon) {
    if (icon != iconHandle_) {
      iconHandle_ = icon;
      Changed(Prop::Images);
    }
  }

  void Show();
  void Hide();
  // Asks the form to close: OnClose runs, then the form hides; closing the
  // main form ends the message loop.
  void Close();
  bool IsActive();  // it is the active window of the program
  void SetVisible(bool v) override;

  // Events, raised under the application's error handling.
  std::function<void()> OnCreate, OnShow, OnHide, OnActivate, OnDeactivate, OnResize, OnClose;
  // The form moved in the Z-order while on screen (raised by the system or
  // another program, with or without an activation).
  std::function<void()> OnZOrderChange;

  // Called by the peer (or the fake desktop) when the system reports the event.
  void SystemResized(int outerW, int outerH, int clientW, int clientH);
  void SystemActivated();
  void SystemDeactivated();
  void SystemZOrderChanged();
  void SystemCloseRequest() { Close(); }

  // Lays out the children by Align within the client area.
  void Realign();
  void DoCreate();

 private:
  Application& app_;
  BorderStyle border_ = BorderStyle::Sizeable;
  FormPosition position_ = FormPosition::Designed;
  bool topMost_ = false;
  bool minimizeBox_ = false;
  int clientWidth_ = 0, clientHeight_ = 0;
  MainMenu* menu_ = nullptr;
  std::vector<ui::Menu*> menus_;
  int minW_ = 0, minH_ = 0;
  Color gradientStart_ = kClBlue;
  int gradientSteps_ = 255;
  std::string icon_;
  platform::Hicon iconHandle_{};
  bool closing_ = false;
};

// Lays out `children` inside `area` by their Align, in creation order.
void AlignChildren(const std::vector<Control*>& children, Rect area);

}  // namespace nimbul::ui
