// The text of "install.bat", the batch file that replaces the running
// program file with the downloaded one once the program has ended, and the
// names of the files it works with in the program's folder.
#pragma once
#include <string>

namespace nimbul::update {

inline constexpr const char* kDescriptionFile = "versnfo~.tmp";
inline constexpr const char* kNewProgramFile = "newver.axe";
inline constexpr const char* kInstallBatchFile = "install.bat";
// A copy of the old program that stands by while the new one is put in place.
inline constexpr const char* kOldProgramCopy = "oldver.axe";
// What the batch file leaves for the next start when the update failed.
inline constexpr const char* kUpdateNoteFile = "updnote~.txt";

// The lines, each ended by CR LF, for the program file `exePath` in the
// folder `folder` (with its trailing backslash), still in the ANSI code page.
// The batch file waits until the program has ended (trying once a second,
// for about 20 seconds), moves "newver.axe" over the program file and starts
// it with "/upgedatet". At no moment is the folder without a whole program
// file: when the new one cannot be put in place, the old one stays (or is
// put back), is started again, and a note for it says why. System tools are
// called by their full path; percent signs in the paths are doubled, so
// that no folder name is read as a variable. It deletes itself last.
std::string InstallBatchText(const std::string& exePath, const std::string& folder);

}  // namespace nimbul::update
