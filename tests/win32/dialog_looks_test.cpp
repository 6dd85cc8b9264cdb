// What the dialogs look like, read from their real controls: pictures,
// edges, fonts, colours, cursors, tooltips and title-bar buttons, one table
// per dialog; and the picture buttons still answer their Alt+letter keys.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "dialogs/about_box.h"
#include "dialogs/feedback_form.h"
#include "dialogs/licence_window.h"
#include "shell/taskbar_button.h"
#include "windows/colors_dialog.h"
#include "shell/icon_chooser.h"
#include "shell/icon_extractor.h"
#include "ui_fixture.h"
#include "update/update_dialog.h"

namespace nimbul::ui::win32::testing {
namespace {

enum class Seen {
  Frame,       // "<client width>x<height>, <title-bar buttons>"
  Text,        // the window text: what a screen reader names the control by
  Picture,     // "beside caption", "instead of caption" or "none"
  Edge,        // "sunken", "flat", "line" or "none"
  TabStop,     // "tab stop" or "no tab stop"
  Font,        // "controls' font" or "<character height> px[ underlined]"
  Cursor,      // "hand" or "arrow"
  Tip,         // the tooltip's text, "" without one
  Shows,       // the colour `expected` names ("#RRGGBB") is among the control's pixels
  Middle,      // the vertical middle of the control in its parent
  BarColours,  // the colours at 10 % and at 90 % of a bar's width
  Parts,       // a status bar's "<n> part(s), [no ]grip"
};

struct Row {
  Control* control;
  Seen what;
  std::string expected;
};

std::string Hex(COLORREF c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return text;
}

LONG Style(HWND h) { return ::GetWindowLongA(h, GWL_STYLE); }

std::string FrameOf(HWND form) {
  RECT r;
  ::GetClientRect(form, &r);
  const LONG style = Style(form);
  const char* buttons = (style & WS_CAPTION) != WS_CAPTION || !(style & WS_SYSMENU) ? "none"
                        : (style & WS_MINIMIZEBOX)                                  ? "minimize, close"
                                                                                    : "close";
  return std::to_string(r.right) + "x" + std::to_string(r.bottom) + ", " + buttons;
}

std::string PictureOf(HWND button) {
  if ((Style(button) & BS_ICON) && ::SendMessageA(button, BM_GETIMAGE, IMAGE_ICON, 0)) return "instead of caption";
  BUTTON_IMAGELIST list{};
  if (::SendMessageA(button, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list)) && list.himl &&
      ::ImageList_GetImageCount(list.himl) == 1)
    return "beside caption";
  return "none";
}

std::string EdgeOf(HWND h) {
  char cls[32] = {};
  ::GetClassNameA(h, cls, sizeof cls);
  if (::GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) return "sunken";
  if (lstrcmpiA(cls, "Button") == 0 && (Style(h) & BS_FLAT)) return "flat";
  return (Style(h) & WS_BORDER) ? "line" : "none";
}

std::string FontOf(HWND h, const Fonts& fonts) {
  auto font = reinterpret_cast<HFONT>(::SendMessageA(h, WM_GETFONT, 0, 0));
  LOGFONTA lf{};
  if (font == fonts.Normal()) return "controls' font";
  if (!font || !::GetObjectA(font, sizeof lf, &lf)) return "no font";
  return std::to_string(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight) + " px" + (lf.lfUnderline ? " underlined" : "");
}

std::string CursorOf(HWND h) {
  ::SendMessageA(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  if (::GetCursor() == ::LoadCursorA(nullptr, IDC_HAND)) return "hand";
  return ::GetCursor() == ::LoadCursorA(nullptr, IDC_ARROW) ? "arrow" : "other";
}

BOOL CALLBACK FindTipWindow(HWND h, LPARAM param) {
  auto* found = reinterpret_cast<HWND*>(param);  // in: the form; out: its tooltip window
  char cls[32] = {};
  ::GetClassNameA(h, cls, sizeof cls);
  if (lstrcmpiA(cls, TOOLTIPS_CLASSA) != 0 || ::GetWindow(h, GW_OWNER) != *found) return TRUE;
  *found = h;
  return FALSE;
}

std::string TipOf(HWND control) {
  HWND form = ::GetAncestor(control, GA_ROOT), tips = form;
  if (::EnumThreadWindows(::GetCurrentThreadId(), FindTipWindow, reinterpret_cast<LPARAM>(&tips))) return "";
  char text[256] = {};
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = form;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text;
  ::SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  return text;
}

bool ShowsColour(HWND h, COLORREF wanted) {
  RECT r;
  ::GetClientRect(h, &r);
  HDC dc = ::GetDC(h);
  bool found = false;
  for (int y = 0; y < r.bottom && !found; ++y)
    for (int x = 0; x < r.right && !found; ++x) found = ::GetPixel(dc, x, y) == wanted;
  ::ReleaseDC(h, dc);
  return found;
}

std::string BarColoursOf(HWND h) {
  RECT r;
  ::GetClientRect(h, &r);
  HDC dc = ::GetDC(h);
  std::string seen =
      Hex(::GetPixel(dc, r.right / 10, r.bottom / 2)) + " then " + Hex(::GetPixel(dc, r.right * 9 / 10, r.bottom / 2));
  ::ReleaseDC(h, dc);
  return seen;
}

int MiddleInParent(HWND h) {
  RECT r;
  ::GetWindowRect(h, &r);
  ::MapWindowPoints(nullptr, ::GetParent(h), reinterpret_cast<POINT*>(&r), 2);
  return (r.top + r.bottom) / 2;
}

std::string PartsOf(HWND bar) {
  const LRESULT parts = ::SendMessageA(bar, SB_GETPARTS, 0, 0);
  return std::to_string(parts) + (parts == 1 ? " part, " : " parts, ") +
         ((Style(bar) & SBARS_SIZEGRIP) ? "grip" : "no grip");
}

class DialogLooks : public PeerTest {
 protected:
  void SetUp() override {
    PeerTest::SetUp();
    MakeForm();  // the main window, which shows hints in its status bar
  }

  // Shows the dialog and lets every control paint before anything is read.
  template <class Dialog>
  Dialog& Open() {
    Dialog& d = app.CreateForm<Dialog>();
    d.Show();
    HWND h = Native(d.Handle());
    EXPECT_TRUE(PumpUntil([&] { return ::IsWindowVisible(h) != FALSE; }));
    Repaint(d);
    return d;
  }
  void Repaint(Form& d) {
    ::RedrawWindow(Native(d.Handle()), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
  }

  std::string Read(Control& c, Seen what, const std::string& expected) {
    HWND h = Native(c.Handle());
    char text[256] = {};
    switch (what) {
      case Seen::Frame: return FrameOf(h);
      case Seen::Text: ::GetWindowTextA(h, text, sizeof text); return text;
      case Seen::Picture: return PictureOf(h);
      case Seen::Edge: return EdgeOf(h);
      case Seen::TabStop: return (Style(h) & WS_TABSTOP) ? "tab stop" : "no tab stop";
      case Seen::Font: return FontOf(h, backend.Context().GetFonts());
      case Seen::Cursor: return CursorOf(h);
      case Seen::Tip: return TipOf(h);
      case Seen::Shows: {
        const unsigned long rgb = std::stoul(expected.substr(1), nullptr, 16);
        return ShowsColour(h, RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF)) ? expected : "no " + expected;
      }
      case Seen::Middle: return std::to_string(MiddleInParent(h));
      case Seen::BarColours: return BarColoursOf(h);
      case Seen::Parts: return PartsOf(h);
    }
    return "";
  }

  void Check(const std::vector<Row>& rows) {
    for (const Row& row : rows)
      EXPECT_EQ(Read(*row.control, row.what, row.expected), row.expected)
          << row.control->Name() << ", row " << (&row - rows.data());
  }

  // Alt and a letter, as the keyboard sends them to the focused control.
  void PressAlt(Form& d, char letter) {
    HWND focus = ::GetFocus();
    HWND target = focus && ::IsChild(Native(d.Handle()), focus) ? focus : Native(d.Handle());
    ::PostMessageA(target, WM_SYSCHAR, static_cast<WPARAM>(letter), 0x20000001);
    Pump();
  }
};

// Colours of the program's button pictures (scripts/draw_pictures.py).
const std::string kGreen = "#209638";
const std::string kFolder = "#ECBC40";
const std::string kBlue = "#1E5AC8";

TEST_F(DialogLooks, AboutBox) {
  auto& d = Open<dialogs::TForm2>();
  Check({
      {&d, Seen::Frame, "364x281, close"},
      {&d.BitBtn1, Seen::Text, "&Finished"},
      {&d.BitBtn1, Seen::Picture, "beside caption"},
      {&d.BitBtn1, Seen::Shows, kGreen},
  });
}

TEST_F(DialogLooks, LicenceWindow) {
  auto& d = Open<dialogs::TForm3>();
  Check({
      {&d, Seen::Frame, "375x189, minimize, close"},
      {&d.Label1, Seen::Font, "13 px underlined"},
      {&d.Label1, Seen::Shows, "#000080"},
  });
}

TEST_F(DialogLooks, FeedbackForm) {
  auto& d = Open<dialogs::TfrmEMail>();
  Check({
      {&d, Seen::Frame, "335x121, close"},
      // The label's box runs from 8 to 57: its text sits in the middle of it.
      {&d.Label1, Seen::Middle, "32"},
      {&d.Label1, Seen::Font, "controls' font"},
  });
}

TEST_F(DialogLooks, IconExtractorHasFlatPictureButtonsNamedByTheirHints) {
  auto& d = Open<shell::TForm6>();
  std::vector<Row> rows{{&d, Seen::Frame, "135x40, close"}, {&d.Image1, Seen::Tip, "Preview"}};
  const struct {
    Button& button;
    const char* hint;
    const std::string& colour;
  } buttons[] = {{d.SpeedButton1, "Choose File for Extraction", kFolder},
                 {d.SpeedButton2, "Save Icon", kBlue},
                 {d.SpeedButton3, "Information (How does this work)", kBlue}};
  for (const auto& b : buttons) {
    rows.push_back({&b.button, Seen::Picture, "instead of caption"});
    rows.push_back({&b.button, Seen::Shows, b.colour});
    rows.push_back({&b.button, Seen::Edge, "flat"});
    rows.push_back({&b.button, Seen::Tip, b.hint});
    rows.push_back({&b.button, Seen::Text, std::string("&") + b.hint});
  }
  Check(rows);
  PressAlt(d, 'c');
  EXPECT_EQ(desktop.fileDialogs.opened.size(), 1u) << "Alt+C did not press the open button";
}

TEST_F(DialogLooks, ColoursDialogHasPictureButtonsForTheDefaults) {
  auto& d = Open<windows::TForm8>();
  Check({
      {&d, Seen::Frame, "170x185, close"},
      {&d.BitBtn1, Seen::Picture, "instead of caption"},
      {&d.BitBtn1, Seen::Shows, kGreen},
      {&d.BitBtn1, Seen::Text, "Use &default color"},
      {&d.BitBtn1, Seen::Tip, "Use default color"},
      {&d.BitBtn1, Seen::TabStop, "no tab stop"},
      {&d.BitBtn2, Seen::Picture, "instead of caption"},
      {&d.BitBtn2, Seen::Text, "Use &default Color"},
      {&d.BitBtn2, Seen::Tip, "Use default Color"},
      {&d.BitBtn2, Seen::TabStop, "no tab stop"},
  });
  // Only the shown page's button answers Alt+D.
  d.Panel1.SetFillColor(0x0000FFu);
  d.Panel2.SetFillColor(0x00FF00u);
  PressAlt(d, 'd');
  EXPECT_EQ(d.Panel1.FillColor(), kClWindow) << "Alt+D did not press \"Use default color\"";
  EXPECT_EQ(d.Panel2.FillColor(), 0x00FF00u);
}

TEST_F(DialogLooks, IconChooser) {
  auto& d = Open<shell::TForm5>();
  Check({
      {&d, Seen::Frame, "299x307, close"},
      {&d.Edit1, Seen::Edge, "none"},
      {&d.Edit1, Seen::Shows, Hex(::GetSysColor(COLOR_BTNFACE))},
      {&d.Label2, Seen::Font, "controls' font"},
      {&d.Label2, Seen::TabStop, "no tab stop"},
      {&d.Label2, Seen::Cursor, "hand"},
      {&d.SpeedButton1, Seen::Tip, "Icon Extracter"},
      {&d.Button3, Seen::Tip, "how to add your own icons to Nimbulon"},
  });
}

TEST_F(DialogLooks, UpdateDialogHasANavyGaugeAndOneStatusPanel) {
  auto& d = Open<update::TfrmUpdate>();
  d.Gauge1.SetRange(0, 100);
  d.Gauge1.SetPosition(40);
  d.Gauge1.SetVisible(true);
  // Positions reach the control at most every 50 ms.
  HWND gauge = Native(d.Gauge1.Handle());
  EXPECT_TRUE(PumpUntil([&] { return ::SendMessageA(gauge, PBM_GETPOS, 0, 0) == 40; }));
  Repaint(d);
  Check({
      {&d, Seen::Frame, "346x132, close"},
      {&d.Gauge1, Seen::BarColours, "#000080 then " + Hex(::GetSysColor(COLOR_BTNFACE))},
      {&d.Gauge1, Seen::Shows, "#FFFFFF"},  // the percentage over the navy part
      {&d.StatusBar1, Seen::Parts, "1 part, no grip"},
  });
}

TEST_F(DialogLooks, TaskbarSubstituteButtonShowsTheProgramsPicture) {
  auto& d = Open<shell::TForm4>();
  Check({
      {&d, Seen::Frame, "113x26, none"},
      {&d.SpeedButton1, Seen::Text, "&Nimbulon"},
      {&d.SpeedButton1, Seen::Picture, "beside caption"},
  });
}

}  // namespace
}  // namespace nimbul::ui::win32::testing
