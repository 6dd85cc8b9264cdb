// The text of "install.bat", the batch file that replaces the running
// program file with the downloaded one once the program has ended.
#pragma once
#include <string>

namespace nimbul::update {

// The lines, each ended by CR LF, for the program file `exePath` in the
// folder `folder` (with its trailing backslash), still in the ANSI code page.
// The batch file waits until the old program file can be deleted, trying
// once a second; moves "newver.axe" into its place and starts it with
// "/upgedatet"; after about 30 seconds without success it starts the old
// program again instead. Percent signs in the paths are doubled, so that no
// folder name is read as a variable.
std::string InstallBatchText(const std::string& exePath, const std::string& folder);

}  // namespace nimbul::update
