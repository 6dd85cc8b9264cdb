// The simple control models: panels, labels, buttons, edits, bars.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/pictures.h"
#include "ui/control.h"
#include "ui/glyphs.h"
#include "ui/image_list.h"

namespace nimbul::ui {

class Panel : public Control {
 public:
  Panel(Control* parent, std::string name) : Control(parent, Kind::Panel, std::move(name)) {}
  bool SingleBorder() const { return singleBorder_; }
  void SetSingleBorder(bool b) { singleBorder_ = b; }
  // A thin sunken edge inside the panel's bounds.
  bool BevelLowered() const { return bevelLowered_; }
  void SetBevelLowered(bool b) { bevelLowered_ = b; }
  // The fill colour (the dialog colour unless set).
  Color FillColor() const { return color_; }
  void SetFillColor(Color c) {
    if (c != color_) {
      color_ = c;
      Changed(Prop::Color);
    }
  }
  // A panel that acts as a button: hand cursor, takes the focus by Tab and
  // clicks on the space bar.
  bool Clickable() const { return clickable_; }
  void SetClickable(bool c) { clickable_ = c; }
  // Lays the children out by their Align inside this control's client area.
  void Realign();

 private:
  bool singleBorder_ = false;
  bool bevelLowered_ = false;
  bool clickable_ = false;
  Color color_ = kClBtnFace;
};

// One page of a page control; its caption is the tab's text.
class TabSheet : public Panel {
 public:
  using Panel::Panel;
};

// Pages with tabs; only the active page shows.
class PageControl : public Control {
 public:
  PageControl(Control* parent, std::string name) : Control(parent, Kind::PageControl, std::move(name)) {}
  // The pages, in the order they were made.
  std::vector<TabSheet*> Pages() const;
  int ActivePageIndex() const { return active_; }
  void SetActivePageIndex(int index);
  // The peer reports the tab the user chose.
  void UserSelected(int index);
  // Ctrl+Tab and Ctrl+Shift+Tab: the next or previous page, round the end.
  void UserSelectsNext(bool forward);
  std::function<void()> OnChange;

 private:
  int active_ = 0;
};

enum class TextAlign { Left, Right, Center };
enum class TextLayout { Top, Center };

class Label : public Control {
 public:
  Label(Control* parent, std::string name) : Control(parent, Kind::Label, std::move(name)) {}
  TextAlign Alignment() const { return alignment_; }
  void SetAlignment(TextAlign a) { alignment_ = a; }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool w) { wordWrap_ = w; }
  // A link label: coloured, underlined, hand cursor.
  bool IsLink() const { return link_; }
  void SetLink(bool l) {
    link_ = l;
    Changed(Prop::Style);
  }
  // Underlined text that is no link.
  bool Underline() const { return underline_; }
  void SetUnderline(bool u) {
    underline_ = u;
    Changed(Prop::Style);
  }
  // The hand cursor over a label that does something when clicked but is no link.
  bool HandCursor() const { return handCursor_; }
  void SetHandCursor(bool h) { handCursor_ = h; }
  // The height of the font's characters in pixels; 0: the controls' font.
  int FontHeight() const { return fontHeight_; }
  void SetFontHeight(int h) {
    fontHeight_ = h;
    Changed(Prop::Style);
  }
  // Where the text sits between the label's top and bottom edges.
  TextLayout Layout() const { return layout_; }
  void SetLayout(TextLayout l) { layout_ = l; }
  Color FontColor() const { return fontColor_; }
  void SetFontColor(Color c) {
    fontColor_ = c;
    Changed(Prop::Color);
  }
  // A transparent label shows what lies below it (a picture) around its text.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool t) { transparent_ = t; }

 private:
  TextAlign alignment_ = TextAlign::Left;
  bool wordWrap_ = false;
  bool link_ = false;
  bool underline_ = false;
  bool handCursor_ = false;
  bool transparent_ = false;
  int fontHeight_ = 0;
  TextLayout layout_ = TextLayout::Top;
  Color fontColor_ = kClWindowText;
};

// Where a button's picture goes: before the caption, or in its place (the
// caption then still names the button for screen readers and gives its
// Alt+letter key).
enum class GlyphPlace { BesideCaption, InsteadOfCaption };

class Button : public Control {
 public:
  Button(Control* parent, std::string name) : Control(parent, Kind::Button, std::move(name)) {}
  bool IsDefault() const { return default_; }
  void SetDefault(bool d) { default_ = d; }
  bool IsCancel() const { return cancel_; }
  void SetCancel(bool c) { cancel_ = c; }
  // False: the Tab key passes the button by.
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool t) { tabStop_ = t; }
  Glyph GetGlyph() const { return glyph_; }
  GlyphPlace GetGlyphPlace() const { return glyphPlace_; }
  void SetGlyph(Glyph g, GlyphPlace place = GlyphPlace::BesideCaption) {
    glyph_ = g;
    glyphPlace_ = place;
  }
  // A flat button: a thin edge instead of the raised one.
  bool Flat() const { return flat_; }
  void SetFlat(bool f) { flat_ = f; }

 private:
  bool default_ = false;
  bool cancel_ = false;
  bool tabStop_ = true;
  bool flat_ = false;
  Glyph glyph_ = Glyph::None;
  GlyphPlace glyphPlace_ = GlyphPlace::BesideCaption;
};

class CheckBox : public Control {
 public:
  CheckBox(Control* parent, std::string name) : Control(parent, Kind::CheckBox, std::move(name)) {}
  bool Checked() const { return checked_; }
  void SetChecked(bool c) {
    if (checked_ != c) {
      checked_ = c;
      Changed(Prop::Checked);
    }
  }
  // Raised by the peer when the user flips the box: the model is updated first.
  void UserToggled() {
    checked_ = !checked_;
    Changed(Prop::Checked);
    Click();
  }

 private:
  bool checked_ = false;
};

class Edit : public Control {
 public:
  Edit(Control* parent, std::string name, Kind kind = Kind::Edit) : Control(parent, kind, std::move(name)) {}
  const std::string& Text() const { return text_; }
  void SetText(const std::string& t) {
    text_ = t;
    Changed(Prop::Text);
  }
  // The peer reports what the user typed.
  void UserEdited(const std::string& t) { text_ = t; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool r) { readOnly_ = r; }
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int m) { maxLength_ = m; }
  // Without a border a read-only edit reads as text on the dialog colour.
  bool Border() const { return border_; }
  void SetBorder(bool b) { border_ = b; }

 private:
  std::string text_;
  bool readOnly_ = false;
  bool border_ = true;
  int maxLength_ = 0;
};

// A multi-line read-only text.
class Memo : public Edit {
 public:
  Memo(Control* parent, std::string name) : Edit(parent, std::move(name), Kind::Memo) {}
};

class StatusBar : public Control {
 public:
  StatusBar(Control* parent, std::string name) : Control(parent, Kind::StatusBar, std::move(name)) {}
  // The text of the one panel over the whole width.
  const std::string& SimpleText() const { return text_; }
  void SetSimpleText(const std::string& t) {
    if (t != text_) {
      text_ = t;
      Changed(Prop::Text);
    }
  }

 private:
  std::string text_;
};

class ProgressBar : public Control {
 public:
  ProgressBar(Control* parent, std::string name) : Control(parent, Kind::ProgressBar, std::move(name)) {}
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  void SetRange(int mn, int mx) {
    min_ = mn;
    max_ = mx;
    Changed(Prop::Position);
  }
  void SetPosition(int p) {
    position_ = p;
    Changed(Prop::Position);
  }
  // The bar shows how far it is as a percentage in its middle.
  bool ShowPercent() const { return showPercent_; }
  void SetShowPercent(bool s) { showPercent_ = s; }
  // The filled part and the rest of the bar; kClNone: the system's.
  Color BarColor() const { return barColor_; }
  Color BackColor() const { return backColor_; }
  void SetColors(Color bar, Color back) {
    barColor_ = bar;
    backColor_ = back;
    Changed(Prop::Color);
  }
  // The whole percentage of the range that the position covers; 0 for an empty range.
  int Percent() const {
    if (max_ <= min_) return 0;
    long long done = static_cast<long long>(position_) - min_;
    long long percent = done * 100 / (static_cast<long long>(max_) - min_);
    return static_cast<int>(percent < 0 ? 0 : percent > 100 ? 100 : percent);
  }

 private:
  int min_ = 0, max_ = 100, position_ = 0;
  bool showPercent_ = false;
  Color barColor_ = kClNone;
  Color backColor_ = kClNone;
};

// A picture; without one it is an empty area.
class Image : public Control {
 public:
  Image(Control* parent, std::string name) : Control(parent, Kind::Image, std::move(name)) {}
  const platform::Picture& GetPicture() const { return picture_; }
  void SetPicture(platform::Picture p) {
    picture_ = std::move(p);
    Changed(Prop::Images);
  }
  // Stretched over the whole control, or drawn at its size from the top left corner.
  bool Stretch() const { return stretch_; }
  void SetStretch(bool s) { stretch_ = s; }

 private:
  platform::Picture picture_;
  bool stretch_ = false;
};

// One image of an image list at a time; -1 shows nothing. Transparent
// where the image is.
class ListImage : public Control {
 public:
  ListImage(Control* parent, std::string name) : Control(parent, Kind::Animate, std::move(name)) {}
  const ImageList* Images() const { return images_; }
  void SetImages(const ImageList* list) {
    images_ = list;
    Changed(Prop::Images);
  }
  int Index() const { return index_; }
  void SetIndex(int i) {
    if (i != index_) {
      index_ = i;
      Changed(Prop::Images);
    }
  }

 private:
  const ImageList* images_ = nullptr;
  int index_ = -1;
};

class Splitter : public Control {
 public:
  Splitter(Control* parent, std::string name) : Control(parent, Kind::Splitter, std::move(name)) {}
  // The user dragged the splitter: the control it sizes takes the new width.
  void UserDragged(int newWidthOfSizedControl);
  // The visible control aligned just before it, which a drag resizes; null if none.
  Control* SizedControl() const;
};

// The platform's hotkey-capture field; its value is a 16-bit shortcut value.
class HotKeyField : public Control {
 public:
  HotKeyField(Control* parent, std::string name) : Control(parent, Kind::HotKeyField, std::move(name)) {}
  std::uint16_t HotKey() const { return value_; }
  void SetHotKey(std::uint16_t v) {
    value_ = v;
    Changed(Prop::Text);
  }
  // The peer reports what the user pressed.
  void UserSet(std::uint16_t v) { value_ = v; }

 private:
  std::uint16_t value_ = 0;
};

// A picture box that shows one icon at its own size.
class IconImage : public Control {
 public:
  IconImage(Control* parent, std::string name) : Control(parent, Kind::IconImage, std::move(name)) {}
  // The icon shown (0: none); the control does not own it.
  platform::Hicon Icon() const { return icon_; }
  void SetIcon(platform::Hicon icon) {
    icon_ = icon;
    Changed(Prop::Images);
  }

 private:
  platform::Hicon icon_{};
};

}  // namespace nimbul::ui
