// Who made the program and where to reach them: build settings with defaults
// (see the README).
#pragma once
#include <string>

namespace nimbul::dialogs {

std::string AuthorName();
std::string HomePageHost();
std::string FeedbackAddress();

// The home page, the feedback mail link and their show modes.
std::string HomePageUrl();
std::string FeedbackMailLink();

}  // namespace nimbul::dialogs
