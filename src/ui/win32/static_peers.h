// Panels and labels.
#pragma once
#include "ui/controls.h"
#include "ui/win32/burst_limiter.h"
#include "ui/win32/control_peer.h"
#include "ui/win32/native_image_list.h"
#include "ui/win32/ui_handles.h"

namespace nimbul::ui::win32 {

// A plain container with the dialog colour, optionally with a single border.
class PanelPeer : public ControlPeer {
 public:
  PanelPeer(PeerContext& context, Panel& panel);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnChanged(Prop p, int index, int sub) override;

 private:
  LRESULT OnPaint();
  // A clickable panel: hand cursor, click by mouse or space bar, focus frame.
  LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
  LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnFocusChange(UINT msg, WPARAM wParam, LPARAM lParam);
  Panel& panel_;
};

// A static text; a link label is blue, underlined and shows the hand cursor.
// A picture painted from its bitmap; it also paints itself into the
// device context of a transparent label that lies on it (WM_PRINTCLIENT).
class ImagePeer : public ControlPeer {
 public:
  ImagePeer(PeerContext& context, Image& image);
  void PaintInto(HDC dc);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnChanged(Prop p, int index, int sub) override;

 private:
  LRESULT OnPaint();
  Image& image_;
};

class LabelPeer : public ControlPeer {
 public:
  LabelPeer(PeerContext& context, Label& label);

  LRESULT OnReflectedCommand(UINT code, UINT id) override;
  HBRUSH OnReflectedColor(HDC dc) override;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  SIZE NaturalSize() const override;
  void Fit(RECT* r) const override;
  void OnChanged(Prop p, int index, int sub) override;

 private:
  LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
  LRESULT OnPaintTransparent();
  LRESULT OnSetTextTransparent(WPARAM wParam, LPARAM lParam);
  LRESULT OnLinkDlgCode(WPARAM wParam, LPARAM lParam);
  LRESULT OnPaintLink(WPARAM wParam, LPARAM lParam);
  LRESULT OnLinkKeyDown(WPARAM wParam, LPARAM lParam);
  // The pictures of the sibling images below the label, then the text.
  void PaintTransparent(HDC dc, const RECT& client);
  void MakeFont();
  HFONT LabelFont() const;
  int WrappedHeight(int width) const;
  void ApplyCaption();

  Label& label_;
  FontHandle ownFont_;
  BurstLimiter captionLimiter_{1, 50};
};

// One image of an image list, drawn over the parent's background.
class ListImagePeer : public ControlPeer {
 public:
  ListImagePeer(PeerContext& context, ListImage& image);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnChanged(Prop p, int index, int sub) override;

 private:
  LRESULT OnPaint();
  ListImage& image_;
  NativeImageList list_;
};

}  // namespace nimbul::ui::win32
