// Base of every control model: name, geometry, visibility, hint, children.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/peer.h"

namespace nimbul::ui {

class Application;
class Form;

enum class Kind {
  Form,
  Panel,
  Label,
  Button,
  CheckBox,
  Edit,
  Memo,
  ToolBar,
  ToolButton,
  Splitter,
  StringGrid,
  StatusBar,
  HotKeyField,
  ListView,
  IconImage,
  ProgressBar,
  Image,
  Animate,
  PageControl,
};

enum class Align { None, Top, Bottom, Left, Right, Client };

// Colours are 32-bit values: 0x00BBGGRR, or 0x80000000 plus a system colour index.
using Color = std::uint32_t;
constexpr Color kClWindow = 0x80000005u;
constexpr Color kClWindowText = 0x80000008u;
constexpr Color kClBtnFace = 0x8000000Fu;
constexpr Color kClBlue = 0x00FF0000u;
constexpr Color kClBlack = 0x00000000u;
constexpr Color kClNavy = 0x00800000u;
constexpr Color kClWhite = 0x00FFFFFFu;
// No colour of its own (clNone): the control draws in the system's colours.
constexpr Color kClNone = 0x1FFFFFFFu;

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
};

class Control {
 public:
  Control(Control* parent, Kind kind, std::string name);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Kind GetKind() const { return kind_; }
  const std::string& Name() const { return name_; }
  Control* Parent() const { return parent_; }
  const std::vector<Control*>& Children() const { return children_; }
  Form* OwnerForm();
  Application& App();

  const Rect& Bounds() const { return bounds_; }
  void SetBounds(int left, int top, int width, int height);
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }
  void SetWidth(int w) { SetBounds(bounds_.left, bounds_.top, w, bounds_.height); }
  void SetHeight(int h) { SetBounds(bounds_.left, bounds_.top, bounds_.width, h); }
  Align GetAlign() const { return align_; }
  void SetAlign(Align a) { align_ = a; }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool v);
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool e);
  const std::string& Caption() const { return caption_; }
  virtual void SetCaption(const std::string& c);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& h);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool s) { showHint_ = s; }
  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int t) { tabOrder_ = t; }

  // Focus, through the peer. Focused() asks the application's backend.
  bool CanFocus();
  void SetFocus();
  bool Focused();

  // Mouse moved over the control (raised by the peer).
  std::function<void()> OnMouseMove;
  void MouseMove();
  std::function<void()> OnClick;
  void Click();
  // A character typed while the control has the focus (for a form: Esc while
  // none of its controls takes it).
  std::function<void(char key)> OnKeyPress;
  void KeyPress(char key);

  Peer* GetPeer() const { return peer_.get(); }
  void AttachPeer(std::unique_ptr<Peer> p) { peer_ = std::move(p); }
  void DetachPeer() { peer_.reset(); }
  platform::Hwnd Handle() const { return peer_ ? peer_->Handle() : platform::Hwnd{}; }

 protected:
  void Changed(Prop p, int index = -1, int sub = -1) {
    if (peer_) peer_->Changed(p, index, sub);
  }
  // Runs an event handler under the application's error handling.
  void Raise(const std::function<void()>& handler);

 private:
  Control* parent_;
  Kind kind_;
  std::string name_;
  std::vector<Control*> children_;
  Rect bounds_;
  Align align_ = Align::None;
  bool visible_ = true;
  bool enabled_ = true;
  bool showHint_ = false;
  int tabOrder_ = -1;
  std::string caption_;
  std::string hint_;
  std::unique_ptr<Peer> peer_;
};

}  // namespace nimbul::ui
