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
#include "dialogs/taskbar_button.h"
#include "shell/colors_dialog.h"
#include "shell/icon_chooser.h"
#include "shell/icon_extractor.h"
#include "ui_fixture.h"
#include "update/update_dialog.h"

namespace nimbul::ui::win32::testing {
namespace {

enum class Seen {
  Text,          // the window text: what a screen reader names the control by
  Picture,       // "beside caption", "instead of caption" or "none"
  Edge,          // "sunken", "flat", "line" or "none"
  TabStop,       // "tab stop" or "no tab stop"
  Font,          // "controls' font", "link font" or "<height> px[ underlined]"
  Cursor,        // "hand" or "arrow"
  Tip,           // the tooltip's text, "" without one
  Shows,         // the colour in `expected` is among the control's pixels
  Middle,        // the vertical middle of the control in its parent
  BarColours,    // a bar's colours at 10 % and at 90 % of its width
  StatusParts,   // "<n> part(s), grip" or "..., no grip"
  TitleButtons,  // "close", "minimize, close" or "none"
  ClientSize,    // "<width>x<height>"
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

std::string TextOf(HWND h) {
  char text[256] = {};
  ::GetWindowTextA(h, text, sizeof text);
  return text;
}

std::string PictureOf(HWND button) {
  const LONG style = ::GetWindowLongA(button, GWL_STYLE);
  if ((style & BS_ICON) && ::SendMessageA(button, BM_GETIMAGE, IMAGE_ICON, 0)) return "instead of caption";
  BUTTON_IMAGELIST list{};
  if (::SendMessageA(button, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list)) && list.himl &&
      ::ImageList_GetImageCount(list.himl) == 1)
    return "beside caption";
  return "none";
}

std::string EdgeOf(HWND h) {
  const LONG style = ::GetWindowLongA(h, GWL_STYLE);
  char cls[32] = {};
  ::GetClassNameA(h, cls, sizeof cls);
  if (::GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) return "sunken";
  if (lstrcmpiA(cls, "Button") == 0 && (style & BS_FLAT)) return "flat";
  if (style & WS_BORDER) return "line";
  return "none";
}

std::string FontOf(HWND h, const Fonts& fonts) {
  auto font = reinterpret_cast<HFONT>(::SendMessageA(h, WM_GETFONT, 0, 0));
  if (font == fonts.Normal()) return "controls' font";
  if (font == fonts.Link()) return "link font";
  LOGFONTA lf{};
  if (!font || !::GetObjectA(font, sizeof lf, &lf)) return "no font";
  return std::to_string(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight) + " px" + (lf.lfUnderline ? " underlined" : "");
}

std::string CursorOf(HWND h) {
  ::SendMessageA(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  HCURSOR now = ::GetCursor();
  if (now == ::LoadCursorA(nullptr, IDC_HAND)) return "hand";
  if (now == ::LoadCursorA(nullptr, IDC_ARROW)) return "arrow";
  return "other";
}

struct TipSearch {
  HWND form;
  HWND found;
};

BOOL CALLBACK FindTipWindow(HWND h, LPARAM param) {
  auto* search = reinterpret_cast<TipSearch*>(param);
  char cls[32] = {};
  ::GetClassNameA(h, cls, sizeof cls);
  if (lstrcmpiA(cls, TOOLTIPS_CLASSA) != 0 || ::GetWindow(h, GW_OWNER) != search->form) return TRUE;
  search->found = h;
  return FALSE;
}

std::string TipOf(HWND control) {
  TipSearch search{::GetAncestor(control, GA_ROOT), nullptr};
  ::EnumThreadWindows(::GetCurrentThreadId(), FindTipWindow, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return "";
  char text[256] = {};
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = search.form;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text;
  ::SendMessageA(search.found, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  return text;
}

COLORREF PixelAt(HWND h, int x, int y) {
  HDC dc = ::GetDC(h);
  COLORREF c = ::GetPixel(dc, x, y);
  ::ReleaseDC(h, dc);
  return c;
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

int MiddleInParent(HWND h) {
  RECT r;
  ::GetWindowRect(h, &r);
  ::MapWindowPoints(nullptr, ::GetParent(h), reinterpret_cast<POINT*>(&r), 2);
  return (r.top + r.bottom) / 2;
}

std::string StatusPartsOf(HWND bar) {
  const LRESULT parts = ::SendMessageA(bar, SB_GETPARTS, 0, 0);
  const bool grip = (::GetWindowLongA(bar, GWL_STYLE) & SBARS_SIZEGRIP) != 0;
  return std::to_string(parts) + (parts == 1 ? " part, " : " parts, ") + (grip ? "grip" : "no grip");
}

std::string TitleButtonsOf(HWND form) {
  const LONG style = ::GetWindowLongA(form, GWL_STYLE);
  if ((style & WS_CAPTION) != WS_CAPTION || !(style & WS_SYSMENU)) return "none";
  return (style & WS_MINIMIZEBOX) ? "minimize, close" : "close";
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
    switch (what) {
      case Seen::Text: return TextOf(h);
      case Seen::Picture: return PictureOf(h);
      case Seen::Edge: return EdgeOf(h);
      case Seen::TabStop: return (::GetWindowLongA(h, GWL_STYLE) & WS_TABSTOP) ? "tab stop" : "no tab stop";
      case Seen::Font: return FontOf(h, backend.GetFonts());
      case Seen::Cursor: return CursorOf(h);
      case Seen::Tip: return TipOf(h);
      case Seen::Shows: {
        const COLORREF wanted = std::stoul(expected.substr(1), nullptr, 16);
        return ShowsColour(h, RGB(GetBValue(wanted), GetGValue(wanted), GetRValue(wanted))) ? expected
                                                                                             : "no " + expected;
      }
      case Seen::Middle: return std::to_string(MiddleInParent(h));
      case Seen::BarColours: {
        RECT r;
        ::GetClientRect(h, &r);
        const int y = r.bottom / 2;
        return Hex(PixelAt(h, r.right / 10, y)) + " then " + Hex(PixelAt(h, r.right * 9 / 10, y));
      }
      case Seen::StatusParts: return StatusPartsOf(h);
      case Seen::TitleButtons: return TitleButtonsOf(h);
      case Seen::ClientSize: {
        RECT r;
        ::GetClientRect(h, &r);
        return std::to_string(r.right) + "x" + std::to_string(r.bottom);
      }
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

// The colours of the program's button pictures (scripts/draw_pictures.py).
const std::string kGreen = "#209638";
const std::string kFolder = "#ECBC40";
const std::string kBlue = "#1E5AC8";

TEST_F(DialogLooks, AboutBox) {
  auto& d = Open<dialogs::TForm2>();
  Check({
      {&d, Seen::ClientSize, "364x281"},
      {&d, Seen::TitleButtons, "close"},
      {&d.BitBtn1, Seen::Text, "&Finished"},
      {&d.BitBtn1, Seen::Picture, "beside caption"},
      {&d.BitBtn1, Seen::Shows, kGreen},
      {&d.Label2, Seen::Font, "controls' font"},
  });
}

TEST_F(DialogLooks, LicenceWindow) {
  auto& d = Open<dialogs::TForm3>();
  Check({
      {&d, Seen::ClientSize, "375x189"},
      {&d, Seen::TitleButtons, "minimize, close"},
      {&d.Label1, Seen::Font, "13 px underlined"},
      {&d.Label1, Seen::Shows, "#000080"},
      {&d.Button1, Seen::Text, "&OK"},
  });
}

TEST_F(DialogLooks, FeedbackForm) {
  auto& d = Open<dialogs::TfrmEMail>();
  Check({
      {&d, Seen::ClientSize, "335x121"},
      // The label's box is 8 to 57: its text sits in the middle of it.
      {&d.Label1, Seen::Middle, "32"},
      {&d.Label1, Seen::Font, "controls' font"},
      {&d.CheckBox1, Seen::Text, "Don't show this message agin (restart Nimbluon)"},
  });
}

TEST_F(DialogLooks, IconExtractorHasFlatPictureButtonsNamedByTheirHints) {
  auto& d = Open<shell::TForm6>();
  Check({
      {&d, Seen::ClientSize, "135x40"},
      {&d.Image1, Seen::Tip, "Preview"},
      {&d.SpeedButton1, Seen::Picture, "instead of caption"},
      {&d.SpeedButton1, Seen::Edge, "flat"},
      {&d.SpeedButton1, Seen::Tip, "Choose File for Extraction"},
      {&d.SpeedButton1, Seen::Text, "&Choose File for Extraction"},
      {&d.SpeedButton1, Seen::Shows, kFolder},
      {&d.SpeedButton2, Seen::Picture, "instead of caption"},
      {&d.SpeedButton2, Seen::Edge, "flat"},
      {&d.SpeedButton2, Seen::Tip, "Save Icon"},
      {&d.SpeedButton2, Seen::Text, "&Save Icon"},
      {&d.SpeedButton2, Seen::Shows, kBlue},
      {&d.SpeedButton3, Seen::Picture, "instead of caption"},
      {&d.SpeedButton3, Seen::Edge, "flat"},
      {&d.SpeedButton3, Seen::Tip, "Information (How does this work)"},
      {&d.SpeedButton3, Seen::Text, "&Information (How does this work)"},
      {&d.SpeedButton3, Seen::Shows, kBlue},
  });
  PressAlt(d, 'c');
  EXPECT_EQ(desktop.fileDialogs.opened.size(), 1u) << "Alt+C did not press the open button";
}

TEST_F(DialogLooks, ColoursDialogHasPictureButtonsForTheDefaults) {
  auto& d = Open<shell::TForm8>();
  Check({
      {&d, Seen::ClientSize, "170x185"},
      {&d.BitBtn1, Seen::Picture, "instead of caption"},
      {&d.BitBtn1, Seen::Text, "Use &default color"},
      {&d.BitBtn1, Seen::Tip, "Use default color"},
      {&d.BitBtn1, Seen::TabStop, "no tab stop"},
      {&d.BitBtn1, Seen::Shows, kGreen},
      {&d.BitBtn2, Seen::Picture, "instead of caption"},
      {&d.BitBtn2, Seen::Text, "Use &default Color"},
      {&d.BitBtn2, Seen::Tip, "Use default Color"},
      {&d.BitBtn2, Seen::TabStop, "no tab stop"},
      {&d.Panel1, Seen::Cursor, "hand"},
  });
  // Tab passes the button by: Alt+D is its key, and only the shown page's answers.
  d.Panel1.SetFillColor(0x0000FFu);
  d.Panel2.SetFillColor(0x00FF00u);
  PressAlt(d, 'd');
  EXPECT_EQ(d.Panel1.FillColor(), kClWindow) << "Alt+D did not press \"Use default color\"";
  EXPECT_EQ(d.Panel2.FillColor(), 0x00FF00u);
}

TEST_F(DialogLooks, IconChooser) {
  auto& d = Open<shell::TForm5>();
  Check({
      {&d, Seen::ClientSize, "299x307"},
      {&d.Edit1, Seen::Edge, "none"},
      {&d.Edit1, Seen::Shows, Hex(::GetSysColor(COLOR_BTNFACE))},
      {&d.Label2, Seen::Font, "controls' font"},
      {&d.Label2, Seen::TabStop, "no tab stop"},
      {&d.Label2, Seen::Cursor, "hand"},
      {&d.Label3, Seen::Cursor, "arrow"},
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
      {&d, Seen::ClientSize, "346x132"},
      {&d.Gauge1, Seen::BarColours, "#000080 then " + Hex(::GetSysColor(COLOR_BTNFACE))},
      {&d.Gauge1, Seen::Shows, "#FFFFFF"},
      {&d.StatusBar1, Seen::StatusParts, "1 part, no grip"},
  });
}

TEST_F(DialogLooks, TaskbarSubstituteButtonShowsTheProgramsPicture) {
  auto& d = Open<dialogs::TForm4>();
  Check({
      {&d, Seen::ClientSize, "113x26"},
      {&d, Seen::TitleButtons, "none"},
      {&d.SpeedButton1, Seen::Text, "&Nimbulon"},
      {&d.SpeedButton1, Seen::Picture, "beside caption"},
  });
}

}  // namespace
}  // namespace nimbul::ui::win32::testing
