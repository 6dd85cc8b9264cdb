#include "dialogs/contact.h"


// NIMBUL_AUTHOR, NIMBUL_HOME_PAGE_HOST and NIMBUL_FEEDBACK_ADDRESS come from
// the build (CMake cache variables of the same names).

namespace nimbul::dialogs {

std::string AuthorName() { return NIMBUL_AUTHOR; }
std::string HomePageHost() { return NIMBUL_HOME_PAGE_HOST; }
std::string FeedbackAddress() { return NIMBUL_FEEDBACK_ADDRESS; }

std::string HomePageUrl() { return "http://" + HomePageHost() + "/quendel-soft/freeware/nimbul-info/"; }
std::string FeedbackMailLink() { return "mailto:" + FeedbackAddress() + "?Subject=Nimbulon"; }

}  // namespace nimbul::dialogs
