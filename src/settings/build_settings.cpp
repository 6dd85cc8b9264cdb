#include "settings/build_settings.h"

namespace nimbul::settings {

// The build passes the three as definitions to this one file.
const char* const kUpdateHost = NIMBUL_UPDATE_HOST;
const char* const kHomePageHost = NIMBUL_HOMEPAGE_HOST;
const char* const kUpdatePublicKeyHex = NIMBUL_UPDATE_PUBLIC_KEY;

}  // namespace nimbul::settings
