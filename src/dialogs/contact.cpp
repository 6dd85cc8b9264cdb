#include "dialogs/contact.h"

#include "settings/build_settings.h"

namespace nimbul::dialogs {

std::string AuthorName() { return settings::kAuthor; }
std::string HomePageHost() { return settings::kHomePageHost; }
std::string FeedbackAddress() { return settings::kFeedbackAddress; }

std::string HomePageUrl() { return "http://" + HomePageHost() + "/quendel-soft/freeware/nimbul-info/"; }
std::string FeedbackMailLink() { return "mailto:" + FeedbackAddress() + "?Subject=Nimbulon"; }

}  // namespace nimbul::dialogs
