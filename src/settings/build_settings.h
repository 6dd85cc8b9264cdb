// Choices made when the program is built (CMake cache variables; the README
// lists them with their defaults).
#pragma once

namespace nimbul::settings {

// The web server that serves the version description (NIMBUL_UPDATE_HOST).
extern const char* const kUpdateHost;
// The host of the program's home page (NIMBUL_HOMEPAGE_HOST).
extern const char* const kHomePageHost;
// Hex of the Ed25519 public key that signs the version description, or empty
// when the build checks no signature (NIMBUL_UPDATE_PUBLIC_KEY).
extern const char* const kUpdatePublicKeyHex;
// Where users mail their feedback (NIMBUL_FEEDBACK_ADDRESS).
extern const char* const kFeedbackAddress;
// Who made the program, as the About box and the licence name them (NIMBUL_AUTHOR).
extern const char* const kAuthor;

}  // namespace nimbul::settings
