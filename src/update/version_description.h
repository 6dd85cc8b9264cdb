// The version description served to the update check, and what the update
// dialog makes of it: version numbers, their order, the recommendation and
// the progress text.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace nimbul::update {

// major, minor, release, build
using Version = std::array<std::uint32_t, 4>;

// The lines of a text: CR LF, a lone LF or a lone CR ends a line; a text
// without any character has no line, a last line needs no line end.
std::vector<std::string> SplitLines(const std::string& text);

// Four decimal numbers of at most four digits each, separated by ".", with
// nothing else: "1.8.0.0". Anything else is no version.
std::optional<Version> ParseVersion(const std::string& text);

// The comparison key: each part as at least four decimal digits, the four
// concatenated and read as one number (1.7.1.6 -> 0001000700010006).
std::uint64_t VersionKey(const Version& v);

// True when `offered` comes after `current`.
bool IsNewer(const Version& current, const Version& offered);

// "We recommend ..." by the most significant part in which `offered` is
// greater; call it only when it is newer.
std::string RecommendationText(const Version& current, const Version& offered);

// "n Kbytes of m Kbytes", each count divided by 1024 and rounded to the
// nearest whole number, a half to the even neighbour.
std::string ProgressText(std::int32_t readed, std::int32_t total);

// The description as served: line 1 the newest version, line 2 the URL of
// the program file, then optionally the program file's SHA-256 (64 hex
// digits) and an Ed25519 signature (128 hex digits) over the lines before it.
struct VersionDescription {
  std::vector<std::string> lines;
  std::optional<Version> version;  // line 1, when it is a version
  std::string url;                 // line 2, empty when missing
  std::string sha256Hex;           // line 3, empty when missing
  std::string signatureHex;        // line 4, empty when missing
};
VersionDescription ParseDescription(const std::string& text);

// What the signature covers: the first three lines, each ended by CR LF.
std::string SignedPart(const std::string& versionLine, const std::string& url, const std::string& sha256Hex);

}  // namespace nimbul::update
