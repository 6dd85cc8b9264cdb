#include "ui/win32/fonts.h"

namespace nimbul::ui::win32 {

namespace {

constexpr char kPreferredFace[] = "MS Sans Serif";
constexpr int kPointSize = 8;

std::string FaceOf(HFONT font) {
  HDC dc = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, font);
  char face[LF_FACESIZE] = {};
  ::GetTextFaceA(dc, LF_FACESIZE, face);
  ::SelectObject(dc, old);
  ::ReleaseDC(nullptr, dc);
  return face;
}

LOGFONTA PreferredFont() {
  HDC dc = ::GetDC(nullptr);
  int dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
  ::ReleaseDC(nullptr, dc);
  LOGFONTA lf{};
  lf.lfHeight = -::MulDiv(kPointSize, dpi, 72);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, kPreferredFace, LF_FACESIZE);
  return lf;
}

LOGFONTA MessageFont() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return metrics.lfMessageFont;
}

}  // namespace

Fonts::Fonts() {
  LOGFONTA lf = PreferredFont();
  normal_.reset(::CreateFontIndirectA(&lf));
  face_ = normal_ ? FaceOf(normal_.get()) : std::string();
  // The font mapper substitutes silently; only the face it chose tells.
  if (lstrcmpiA(face_.c_str(), kPreferredFace) != 0) {
    lf = MessageFont();
    normal_.reset(::CreateFontIndirectA(&lf));
    face_ = FaceOf(normal_.get());
  }
  lf.lfUnderline = TRUE;
  link_.reset(::CreateFontIndirectA(&lf));
}

}  // namespace nimbul::ui::win32
