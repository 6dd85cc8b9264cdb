// The main menu and the tool bar, row by row as the user meets them.
#include "main_window_fixture.h"

namespace nimbul::testing {
namespace {

// caption | shortcut | hint | enabled | visible | ticked
std::vector<std::string> Rows(const ui::MenuItem& menu) {
  std::vector<std::string> out;
  for (int i = 0; i < menu.Count(); ++i) {
    const ui::MenuItem& m = menu[i];
    if (m.IsSeparator()) {
      out.push_back("-");
      continue;
    }
    out.push_back(m.Caption() + "|" + m.ShortCutText() + "|" + m.Hint() + "|" + (m.Enabled() ? "on" : "off") + "|" +
                  (m.Visible() ? "shown" : "hidden") + (m.Checked() ? "|ticked" : ""));
  }
  return out;
}

TEST_F(MainWindowTest, EveryMenuEntryHasItsCaptionShortcutHintAndState) {
  // A desktop whose icons and taskbar are on screen.
  desktop.wm.AddWindow("Program Manager", "Progman");
  desktop.wm.AddWindow("", "Shell_TrayWnd");
  main->RefreshWindowList();
  const std::vector<std::vector<std::string>> expected{
      {"&Windows||Windows|on|shown", "&View||View|on|shown", "&Options||Options|on|shown", "W&eb||Web|on|shown",
       "&Help||Help|on|shown"},
      {"&Hide|F1|Hide selected Window|off|shown", "&Show|F2|Make selected Window visible|off|shown", "-",
       "Hide &active Window|F9|Hide top Window|off|shown", "-",
       "Sh&ow all hidden Windows|F7|Make all hidden Windows visible|on|shown",
       "H&ide all visible Windows|F8|Hide all visible Windows|on|shown", "-",
       "&To Systemtray|F4|Minimze to Systemtray|on|shown", "-", "&End Program|Ctrl+X|Close Program|on|shown"},
      {"&Refresh|F5|Refresh View|on|shown", "&Colors||Change default Colors|on|shown",
       "&Toolbar||Toggle Toolbar|on|shown|ticked", "&Statusbar||Toggle Statusbar|on|shown|ticked"},
      {"Hide Desktop Icons||Hide the Desktop Icons|on|shown", "Toggle Taskbar||Toggle Taskbar|on|shown",
       "Minimize to Systemtray||Minimize to Systemtray|on|shown|ticked", "Run on Startup||Run on Startup|on|shown",
       "Disable all System Hotkeys||Disable the System Hotkeys (such as <CTRL><ALT><DEL>)|on|hidden",
       "Choose Systemtray Icon||Choose Systemtray Icon|on|shown", "Choose Hotkey||Choose the Hotkeys|on|shown"},
      {"&Webpage||Direct browser to our webpage|on|shown", "Write E-Mail||Write us an email|on|shown",
       "Update?||Update Nimbulon|on|shown"},
      {"About Nimbulon||Information about Nimbulon|on|shown", "&Programm History||Displays Program History|on|hidden",
       "&Licence||Displays Licence|on|shown"},
  };
  const ui::MenuItem& bar = main->MainMenu1.Items();
  EXPECT_EQ(Rows(bar), expected[0]);
  for (int i = 0; i < bar.Count(); ++i) EXPECT_EQ(Rows(bar[i]), expected[static_cast<std::size_t>(i) + 1]) << i;
}

TEST_F(MainWindowTest, ToolBarHoldsItsButtonsInOrderWithImagesHintsAndKinds) {
  std::vector<std::string> rows;
  for (ui::Control* c : main->ToolBar1.Children()) {
    auto* b = dynamic_cast<ui::ToolButton*>(c);
    if (!b) {
      rows.push_back(c->Name() + "|" + c->Hint() + "|" + (c->Visible() ? "shown" : "hidden"));
      continue;
    }
    if (b->Style() == ui::ButtonStyle::Separator) {
      rows.push_back("-");
      continue;
    }
    rows.push_back(b->Name() + "|" + std::to_string(b->ImageIndex()) + "|" + b->Hint() + "|" +
                   (b->Style() == ui::ButtonStyle::Check ? "two-state" : "button") + "|" +
                   (b->Visible() ? "shown" : "hidden"));
  }
  EXPECT_EQ(rows,
            (std::vector<std::string>{
                "ToolButton1|0|Show selected Window|button|shown", "ToolButton10|7|Show all Windows|button|shown",
                "ToolButton11|8|Hide all Windows|button|shown", "ToolButton2|1|Hide selected Window|button|shown", "-",
                "ToolButton3|2|Refresh View|button|shown", "-", "ToolButton7|4|Hide/Show Desktop Icons|two-state|shown",
                "ToolButton12|9|Hide/Show Taskbar|two-state|shown",
                "ToolButton8|5|Minimize to Systemtray|button|hidden", "-", "ToolButton5|3|About Nimbulon|button|shown",
                "ToolButton9|6|Open Nimbulon' Homepage|button|shown", "-", "Label3|Give us some Feedback....|shown"}));
}

}  // namespace
}  // namespace nimbul::testing
