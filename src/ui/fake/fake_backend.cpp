#include "ui/fake/fake_backend.h"

#include "ui/application.h"
#include "ui/form.h"

namespace nimbul::ui::fake {

namespace {

class FakePeer : public Peer {
 public:
  FakePeer(FakeBackend& backend, Control& c) : backend_(backend), c_(c) {}
  ~FakePeer() override { backend_.ControlGone(c_); }
  void Changed(Prop, int, int) override {}
  void SetFocus() override {
    if (c_.CanFocus()) backend_.SetFocusTo(&c_);
  }

 protected:
  FakeBackend& backend_;
  Control& c_;
};

class FakeFormPeer : public FakePeer {
 public:
  FakeFormPeer(FakeBackend& backend, Form& f, platform::Hwnd appWindow) : FakePeer(backend, f), f_(f) {
    auto& wm = backend.Desktop().wm;
    hwnd_ = wm.AddWindow(f.Caption(), "T" + f.Name(), false, appWindow);
    wm.Get(hwnd_).enabled = f.Enabled();
  }
  ~FakeFormPeer() override { backend_.Desktop().wm.CloseWindow(hwnd_); }
  platform::Hwnd Handle() const override { return hwnd_; }
  void Changed(Prop p, int, int) override {
    auto& wm = backend_.Desktop().wm;
    switch (p) {
      case Prop::Caption: wm.SetTitle(hwnd_, f_.Caption()); break;
      case Prop::Enabled: wm.Get(hwnd_).enabled = f_.Enabled(); break;
      case Prop::Visible:
        if (f_.Visible())
          backend_.FormShown(f_);
        else
          backend_.FormHidden(f_);
        break;
      default: break;
    }
  }
  void SetFocus() override {}

 private:
  Form& f_;
  platform::Hwnd hwnd_;
};

class NullMenuPeer : public MenuPeer {
 public:
  void MenuChanged() override {}
};

}  // namespace

std::unique_ptr<Peer> FakeBackend::CreatePeer(Control& c) {
  if (c.GetKind() == Kind::Form) return std::make_unique<FakeFormPeer>(*this, static_cast<Form&>(c), appWindow_);
  return std::make_unique<FakePeer>(*this, c);
}

std::unique_ptr<MenuPeer> FakeBackend::CreateMenuPeer(Menu&) { return std::make_unique<NullMenuPeer>(); }

platform::Hwnd FakeBackend::CreateApplicationWindow(const std::string& title) {
  appWindow_ = desktop_.wm.AddWindow(title, "TApplication", true);
  return appWindow_;
}

void FakeBackend::SetApplicationTitle(const std::string& title) { desktop_.wm.SetTitle(appWindow_, title); }

void FakeBackend::ShowApplicationWindow(bool show) {
  appWindowShown = show;
  desktop_.wm.Get(appWindow_).visible = show;
}

void FakeBackend::MinimizeApplication() {
  hiddenByMinimize_.clear();
  if (app_) {
    // Every visible form is hidden, the application window goes to the taskbar.
    if (Form* main = app_->MainForm()) {
      if (main->Visible()) {
        hiddenByMinimize_.push_back(main);
        desktop_.wm.Get(main->Handle()).visible = false;
      }
    }
  }
  desktop_.wm.Get(appWindow_).iconic = true;
  if (ApplicationActive()) desktop_.wm.SetForeground({});
  appActive_ = false;
}

void FakeBackend::RestoreApplication() {
  // Restoring shows the application window again, as SW_RESTORE does.
  desktop_.wm.Get(appWindow_).iconic = false;
  desktop_.wm.Get(appWindow_).visible = true;
  appWindowShown = true;
  for (Form* f : hiddenByMinimize_)
    if (f->Visible()) {
      desktop_.wm.Get(f->Handle()).visible = true;
      desktop_.wm.BringToTop(f->Handle());
    }
  hiddenByMinimize_.clear();
}

Control* FakeBackend::FocusedControl() {
  if (focused_ && !focused_->CanFocus()) focused_ = nullptr;
  return focused_;
}

bool FakeBackend::ApplicationActive() {
  platform::Hwnd fg = desktop_.wm.GetForegroundWindow();
  if (IsNull(fg)) return false;
  if (fg == appWindow_) return true;
  auto& wm = desktop_.wm;
  return wm.Exists(fg) && wm.Get(fg).owner == appWindow_ && !IsNull(appWindow_);
}

void FakeBackend::PopupMenuAt(PopupMenu& m, int, int) { lastPopup = &m; }

void FakeBackend::FormShown(Form& f) {
  auto& wm = desktop_.wm;
  platform::Hwnd h = f.Handle();
  wm.Get(h).visible = true;
  bool wasActive = ApplicationActive();
  wm.BringToTop(h);
  wm.SetForeground(h);
  wm.Get(appWindow_).lastActivePopup = h;
  if (!wasActive && app_) app_->SystemActivated();
  f.SystemActivated();
}

void FakeBackend::FormHidden(Form& f) {
  auto& wm = desktop_.wm;
  platform::Hwnd h = f.Handle();
  wm.Get(h).visible = false;
  if (focused_ && focused_->OwnerForm() == &f) focused_ = nullptr;
  if (wm.GetForegroundWindow() == h) {
    f.SystemDeactivated();
    wm.SetForeground({});
  }
}

void FakeBackend::ControlGone(Control& c) {
  if (focused_ == &c) focused_ = nullptr;
}

void FakeBackend::Resize(Form& f, int outerW, int outerH) {
  int minW = f.MinTrackWidth(), minH = f.MinTrackHeight();
  if (outerW < minW) outerW = minW;
  if (outerH < minH) outerH = minH;
  f.SystemResized(outerW, outerH, outerW - kFrameW, outerH - kFrameH);
}

void FakeBackend::ActivateOther(platform::Hwnd w) {
  bool wasActive = ApplicationActive();
  platform::Hwnd fg = desktop_.wm.GetForegroundWindow();
  desktop_.wm.SetForegroundWindow(w);
  if (wasActive && app_) {
    if (Form* f = app_->MainForm(); f && f->Handle() == fg) f->SystemDeactivated();
    app_->SystemDeactivated();
  }
}

void FakeBackend::RaiseForm(Form& f) {
  desktop_.wm.BringToTop(f.Handle());
  f.SystemZOrderChanged();
}

void FakeBackend::ActivateForm(Form& f) {
  bool wasActive = ApplicationActive();
  desktop_.wm.SetForegroundWindow(f.Handle());
  desktop_.wm.Get(appWindow_).lastActivePopup = f.Handle();
  if (!wasActive && app_) app_->SystemActivated();
  f.SystemActivated();
}

}  // namespace nimbul::ui::fake
