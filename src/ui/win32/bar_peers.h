// The status bar (one part over the whole width) and the progress bar.
#pragma once
#include "ui/controls.h"
#include "ui/win32/burst_limiter.h"
#include "ui/win32/control_peer.h"

namespace nimbul::ui::win32 {

class StatusBarPeer : public ControlPeer {
 public:
  StatusBarPeer(PeerContext& context, StatusBar& bar);

 protected:
  void OnChanged(Prop p, int index, int sub) override;

 private:
  void ApplyText();
  StatusBar& bar_;
};

class ProgressBarPeer : public ControlPeer {
 public:
  ProgressBarPeer(PeerContext& context, ProgressBar& bar);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnChanged(Prop p, int index, int sub) override;

 private:
  bool OwnColors() const;
  LRESULT OnPaintOwn();
  int FilledWidth(const RECT& r) const;
  void ApplyPosition();
  void PaintPercent(HDC dc, const RECT& r, COLORREF bar, COLORREF back);
  ProgressBar& bar_;
  BurstLimiter limiter_{1, 50};
  int shown_ = 0;  // the percentage the control shows now
};

}  // namespace nimbul::ui::win32
