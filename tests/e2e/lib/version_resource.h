// The version resource of an executable file, read with the same system
// calls the program uses on itself.
#pragma once
#include <optional>
#include <string>

namespace nimbul::e2e {

// The fixed file version as "a.b.c.d".
std::optional<std::string> FixedFileVersion(const std::string& path);
std::optional<std::string> FixedProductVersion(const std::string& path);
// A value of the string table of the file's first translation, such as
// "FileVersion" or "ProductName".
std::optional<std::string> VersionString(const std::string& path, const std::string& name);

}  // namespace nimbul::e2e
