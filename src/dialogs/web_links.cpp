#include "dialogs/web_links.h"

#include "dialogs/contact.h"

namespace nimbul::dialogs {

std::string HistoryFile(ui::Application& app) { return app.ExeFolder() + "History.hlp"; }

void OpenHomePage(ui::Application& app, platform::Hwnd owner) {
  app.Sys().shell.ShellExecuteA(owner, HomePageUrl(), "", "", platform::kSwShowNormal);
}

void WriteFeedbackMail(ui::Application& app, platform::Hwnd owner) {
  app.Sys().shell.ShellExecuteA(owner, FeedbackMailLink(), "", "", platform::kSwShow);
}

void OpenHistory(ui::Application& app, platform::Hwnd owner) {
  app.Sys().shell.ShellExecuteA(owner, HistoryFile(app), "", "", platform::kSwShowNormal);
}

}  // namespace nimbul::dialogs
