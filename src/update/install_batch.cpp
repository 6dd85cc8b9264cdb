#include "update/install_batch.h"

namespace nimbul::update {

namespace {

// In a batch file "%" starts a variable even inside quotes; "%%" is a plain
// "%". The other special characters (& ^ ( ) blanks) are literal inside
// double quotes, and every path below is quoted.
std::string Escape(const std::string& path) {
  std::string out;
  for (char c : path) {
    out += c;
    if (c == '%') out += '%';
  }
  return out;
}

std::string Quoted(const std::string& path) { return "\"" + Escape(path) + "\""; }

}  // namespace

std::string InstallBatchText(const std::string& exePath, const std::string& folder) {
  const std::string p = Quoted(exePath);
  const std::string newFile = Quoted(folder + "newver.axe");
  std::string text;
  auto line = [&text](const std::string& l) { text += l + "\r\n"; };
  line("@echo off");
  line("set tries=0");
  // Deleting the old program file succeeds once the program has ended.
  line(":Label1");
  line("del " + p);
  line("if not exist " + p + " goto Replace");
  line("set /a tries+=1");
  line("if %tries% geq 30 goto GiveUp");
  // About one second: the one waiting command every Windows has.
  line("ping -n 2 127.0.0.1 >nul");
  line("goto Label1");
  line(":Replace");
  line("move " + newFile + "  " + p);
  // Started, not called: the batch file goes on and removes itself.
  line("start \"\" " + p + " /upgedatet");
  line("goto Done");
  line(":GiveUp");
  line("start \"\" " + p);
  line(":Done");
  line("del " + newFile);
  line("del " + Quoted(folder + "install.pif"));
  line("del " + Quoted(folder + "install.bat"));
  return text;
}

}  // namespace nimbul::update
