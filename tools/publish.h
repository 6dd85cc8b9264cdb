// What the publishing tool makes: the version description of a built
// Nimbul.exe, signed with the maker's key.
#pragma once
#include <optional>
#include <string>

#include "update/version_description.h"

namespace nimbul::tools {

// The file version of a Windows program from the fixed file information of
// its version resource; none when the bytes hold no such record.
std::optional<update::Version> ImageFileVersion(const std::string& programBytes);

// The description's text (CR LF lines): the program's version, the URL it
// will be downloaded from, its SHA-256 and, with a secret key (128 hex
// digits), the signature over those three lines. Empty when the program has
// no version or the key is no key.
std::string DescriptionFor(const std::string& programBytes, const std::string& url,
                           const std::string& secretKeyHex);

}  // namespace nimbul::tools
