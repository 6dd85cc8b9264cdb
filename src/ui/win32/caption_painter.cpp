#include "ui/win32/caption_painter.h"

#include <algorithm>
#include <string>

#include "platform/win32/win32_dwm.h"
#include "ui/win32/ui_handles.h"

namespace nimbul::ui::win32 {

namespace {

struct CaptionGeometry {
  RECT bar{};   // the whole caption bar, window coordinates
  RECT band{};  // the part the gradient covers
  int iconLeft = 0;
  bool hasIcon = false;
  bool tool = false;
};

CaptionGeometry Measure(HWND hwnd) {
  CaptionGeometry g;
  LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
  LONG ex = ::GetWindowLongA(hwnd, GWL_EXSTYLE);
  RECT wr;
  ::GetWindowRect(hwnd, &wr);
  int width = wr.right - wr.left;
  int fx, fy;
  if (style & WS_THICKFRAME) {
    fx = ::GetSystemMetrics(SM_CXSIZEFRAME);
    fy = ::GetSystemMetrics(SM_CYSIZEFRAME);
  } else {
    fx = ::GetSystemMetrics(SM_CXFIXEDFRAME);
    fy = ::GetSystemMetrics(SM_CYFIXEDFRAME);
  }
  g.tool = (ex & WS_EX_TOOLWINDOW) != 0;
  int captionHeight = ::GetSystemMetrics(g.tool ? SM_CYSMCAPTION : SM_CYCAPTION) - 1;
  int buttonWidth = ::GetSystemMetrics(g.tool ? SM_CXSMSIZE : SM_CXSIZE);
  g.bar = RECT{fx, fy, width - fx, fy + captionHeight};
  int buttons = 0;
  if (style & WS_SYSMENU) {
    buttons = 1;
    if (!g.tool && (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) buttons += 2;
  }
  // A dialog frame shows an icon only when the window was given one of its own
  // (the icon chooser previews its choice there).
  const bool ownIcon = ::SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0) != 0;
  g.hasIcon = !g.tool && (style & WS_SYSMENU) && (!(ex & WS_EX_DLGMODALFRAME) || ownIcon);
  g.band = g.bar;
  g.band.right = std::max(g.band.left, g.bar.right - buttons * buttonWidth - 2);
  g.iconLeft = g.bar.left + 2;
  return g;
}

HICON SmallIcon(HWND hwnd) {
  auto icon = reinterpret_cast<HICON>(::SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrA(hwnd, GCLP_HICONSM));
  if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrA(hwnd, GCLP_HICON));
  return icon;
}

}  // namespace

COLORREF GradientBand(COLORREF start, int band, int steps) {
  if (steps <= 1) return start;
  auto channel = [&](int value) { return value - value * band / (steps - 1); };
  return RGB(channel(GetRValue(start)), channel(GetGValue(start)), channel(GetBValue(start)));
}

void PaintGradientCaption(HWND hwnd, COLORREF start, int steps, bool active) {
  // Where the desktop window manager composes the frames, it draws the
  // caption itself after the window's painting: a gradient painted here
  // flickers under it or leaves an old-style caption showing for a moment,
  // and the frame's metrics are not the ones measured below. The caption is
  // then left to the system.
  if (platform::win32::FramesComposed()) return;
  LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
  if ((style & WS_CAPTION) != WS_CAPTION || !::IsWindowVisible(hwnd) || ::IsIconic(hwnd)) return;
  CaptionGeometry g = Measure(hwnd);
  int width = g.band.right - g.band.left;
  if (width <= 0) return;
  if (!active) start = ::GetSysColor(COLOR_INACTIVECAPTION);
  // More steps than pixels look the same as one step per pixel.
  int bands = std::clamp(steps, 1, width);
  HDC dc = ::GetWindowDC(hwnd);
  for (int i = 0; i < bands; ++i) {
    RECT r = g.band;
    r.left = g.band.left + static_cast<int>(static_cast<long long>(width) * i / bands);
    r.right = g.band.left + static_cast<int>(static_cast<long long>(width) * (i + 1) / bands);
    BrushHandle brush(::CreateSolidBrush(GradientBand(start, i, bands)));
    ::FillRect(dc, &r, brush.get());
  }
  int textLeft = g.band.left + 4;
  if (g.hasIcon) {
    int size = ::GetSystemMetrics(SM_CXSMICON);
    if (HICON icon = SmallIcon(hwnd))
      ::DrawIconEx(dc, g.iconLeft, g.bar.top + (g.bar.bottom - g.bar.top - size) / 2, icon, size, size, 0, nullptr,
                   DI_NORMAL);
    textLeft = g.iconLeft + size + 4;
  }
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  FontHandle font(::CreateFontIndirectA(g.tool ? &metrics.lfSmCaptionFont : &metrics.lfCaptionFont));
  HGDIOBJ oldFont = ::SelectObject(dc, font.get());
  ::SetBkMode(dc, TRANSPARENT);
  // White reads on every band from blue to black, whatever the system's caption colours are.
  ::SetTextColor(dc, active ? RGB(255, 255, 255) : ::GetSysColor(COLOR_INACTIVECAPTIONTEXT));
  int length = ::GetWindowTextLengthA(hwnd);
  std::string title(static_cast<size_t>(length) + 1, '\0');
  ::GetWindowTextA(hwnd, title.data(), length + 1);
  RECT text = g.band;
  text.left = textLeft;
  ::DrawTextA(dc, title.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  ::SelectObject(dc, oldFont);
  ::ReleaseDC(hwnd, dc);
}

}  // namespace nimbul::ui::win32
