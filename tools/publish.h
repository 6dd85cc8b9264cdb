// What the publishing tool makes: the version description of a built
// Nimbul.exe, signed with the maker's key.
#pragma once
#include <optional>
#include <string>

#include "update/version_description.h"

namespace nimbul::tools {

// The file version of a Windows program from the fixed file information of
// its version resource, found through the PE resource directory; none when
// the bytes hold no such resource.
std::optional<update::Version> ImageFileVersion(const std::string& programBytes);

// "http://", a host, "/" and a path, with no blank or control character.
bool IsPlainHttpUrl(const std::string& url);

// Writes `text` (a secret key) to the new file `path`, readable and
// writable by its owner only. An existing file is never replaced: every
// build that trusts its key would be orphaned. Empty when written; else why not.
std::string CreateSecretKeyFile(const std::string& path, const std::string& text);

// The description's text (CR LF lines): the program's version, the URL it
// will be downloaded from, its SHA-256 and the signature over those three
// lines by the secret key (128 hex digits). Empty when the program has no
// version, a part of it is above 9999, the URL is not a plain HTTP URL or
// the key is no key.
std::string DescriptionFor(const std::string& programBytes, const std::string& url, const std::string& secretKeyHex);

}  // namespace nimbul::tools
