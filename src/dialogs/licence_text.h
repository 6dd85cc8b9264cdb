// The program's licence, as the licence window shows it.
#pragma once
#include <string>

namespace nimbul::dialogs {

std::string LicenceText();

}  // namespace nimbul::dialogs
