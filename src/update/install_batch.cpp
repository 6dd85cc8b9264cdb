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

// How many times, a second apart, the batch file tries before it gives up.
constexpr const char* kTries = "20";

}  // namespace

std::string InstallBatchText(const std::string& exePath, const std::string& folder) {
  const std::string p = Quoted(exePath);
  const std::string newFile = Quoted(folder + kNewProgramFile);
  const std::string old = Quoted(folder + kOldProgramCopy);
  const std::string note = Quoted(folder + kUpdateNoteFile);
  std::string text;
  auto line = [&text](const std::string& l) { text += l + "\r\n"; };
  auto fail = [&](const char* label, const char* why) {
    line(std::string(":") + label);
    line(std::string("echo The update could not be installed: ") + why + ">" + note);
    line("goto StartOld");
  };
  line("@echo off");
  line("set tries=0");
  // A copy of the running program: moving it back over the program file
  // succeeds only once the program has ended, and at every moment the
  // program file is a whole program, the old one.
  line("copy /b /y " + p + " " + old + " >nul");
  line("if not exist " + old + " goto Replace");
  line(":Wait");
  line("move /y " + old + " " + p + " >nul 2>&1");
  line("if not exist " + old + " goto Ended");
  line("set /a tries+=1");
  line(std::string("if %tries% geq ") + kTries + " goto Stuck");
  // About one second; by its full path, never from the current folder.
  line("\"%SystemRoot%\\System32\\ping.exe\" -n 2 127.0.0.1 >nul");
  line("goto Wait");
  line(":Ended");
  // A second copy stands by in case the replacement loses the program file.
  line("copy /b /y " + p + " " + old + " >nul");
  line(":Replace");
  line("if not exist " + newFile + " goto Missing");
  // A move onto the program file replaces it in one step or not at all.
  line("move /y " + newFile + " " + p + " >nul 2>&1");
  line("if not exist " + newFile + " goto Moved");
  line("set /a tries+=1");
  line(std::string("if %tries% geq ") + kTries + " goto Failed");
  line("\"%SystemRoot%\\System32\\ping.exe\" -n 2 127.0.0.1 >nul");
  line("goto Replace");
  line(":Moved");
  line("if not exist " + p + " goto Lost");
  line("start \"\" " + p + " /upgedatet");
  line("goto Done");
  fail("Stuck", "Nimbulon did not end in time.");
  fail("Missing", "the downloaded program file is missing.");
  fail("Failed", "the downloaded program file could not be moved into place.");
  line(":Lost");
  line("move /y " + old + " " + p + " >nul");
  line("echo The update could not be installed: the program file was lost and has been put back.>" + note);
  line(":StartOld");
  line("start \"\" " + p);
  line(":Done");
  line("if exist " + old + " del " + old);
  line("if exist " + newFile + " del " + newFile);
  line("if exist " + Quoted(folder + "install.pif") + " del " + Quoted(folder + "install.pif"));
  // Last: the batch file ends with its own deletion.
  line("del " + Quoted(folder + kInstallBatchFile));
  return text;
}

}  // namespace nimbul::update
