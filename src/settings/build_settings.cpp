#include "settings/build_settings.h"

namespace nimbul::settings {

// The build passes them as definitions to this one file.
const char* const kUpdateHost = NIMBUL_UPDATE_HOST;
const char* const kHomePageHost = NIMBUL_HOMEPAGE_HOST;
const char* const kUpdatePublicKeyHex = NIMBUL_UPDATE_PUBLIC_KEY;
const char* const kFeedbackAddress = NIMBUL_FEEDBACK_ADDRESS;
const char* const kAuthor = NIMBUL_AUTHOR;

}  // namespace nimbul::settings
