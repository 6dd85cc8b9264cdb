// The base of the child controls' peers: geometry, visibility, enabled state,
// caption, hint, mouse moves and focus, common to every kind.
#pragma once
#include <windows.h>

#include "ui/control.h"
#include "ui/peer.h"
#include "ui/win32/peer_window.h"

namespace nimbul::ui::win32 {

class FormPeer;

class ControlPeer : public Peer, public PeerWindow {
 public:
  ControlPeer(PeerContext& context, Control& control);
  ~ControlPeer() override;

  void Changed(Prop p, int index, int sub) override;
  platform::Hwnd Handle() const override;
  void SetFocus() override;

  Control& Model() const { return control_; }
  // Where a child control goes inside this one, in this window's client coordinates.
  virtual void PlaceChild(const Control& child, RECT* r);

 protected:
  // A standard control, created with the model's state and then subclassed.
  bool Create(const char* className, DWORD style, DWORD exStyle, const char* text);
  // A window of a class of our own.
  bool CreateOwnWindow(const char* className, const ClassLook& look, DWORD style, DWORD exStyle);
  // The identifier the control gets at creation.
  virtual int ControlId();
  // The size of a control whose model leaves width or height at 0.
  virtual SIZE NaturalSize() const;
  // Last adjustment of the window's rectangle (a label grows to show all its text).
  virtual void Fit(RECT* r) const;
  // Properties beyond the common ones; the default sets the window text from the caption.
  virtual void OnChanged(Prop p, int index, int sub);

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  virtual LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
  virtual LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
  LRESULT OnChar(WPARAM wParam, LPARAM lParam);

  void ApplyBounds();
  RECT ModelRect() const;
  FormPeer* OwnerFormPeer() const;
  void SetFont(HFONT font);

 private:
  DWORD CommonStyle() const;
  void ArrangeTabOrder();
  void ApplyTip();
  void KeepAbovePictures();
  HWND ParentWindow() const;

  Control& control_;
};

}  // namespace nimbul::ui::win32
