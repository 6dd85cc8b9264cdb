#include "update/version_description.h"

#include <cmath>
#include <cstdio>
#include <string_view>

#include "base/decimal.h"

namespace nimbul::update {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0, i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c != '\r' && c != '\n') {
      ++i;
      continue;
    }
    lines.push_back(text.substr(start, i - start));
    i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
    start = i;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::optional<Version> ParseVersion(const std::string& text) {
  Version v{};
  std::size_t start = 0;
  for (std::size_t part = 0; part < v.size(); ++part) {
    // The last part runs to the end, so a fifth part fails on its dot.
    const std::size_t end = part + 1 < v.size() ? text.find('.', start) : text.size();
    if (end == std::string::npos) return std::nullopt;
    const std::string_view digits(text.data() + start, end - start);
    // Up to four digits a part, as many as the version key has room for.
    const auto value = base::ParseDecimal(digits);
    if (!value || digits.size() > 4) return std::nullopt;
    v[part] = static_cast<std::uint32_t>(*value);
    start = end + 1;
  }
  return v;
}

std::uint64_t VersionKey(const Version& v) {
  std::uint64_t key = 0;
  for (std::uint32_t part : v) key = key * 10000 + part;
  return key;
}

bool IsNewer(const Version& current, const Version& offered) {
  // Parts of more than four digits would overlap in the key; the parts'
  // own order is what the key stands for.
  return current < offered;
}

std::string RecommendationText(const Version& current, const Version& offered) {
  if (current[0] < offered[0])
    return "We recommend to download this update, because this update offers a major versionjump";
  if (offered[1] > current[1])
    return "We recommend to download this update, because this update offers a big versionjump";
  if (offered[2] > current[2])
    return "We recommend not to download this update, because this update only offers a small versionjump";
  return "We recommend not to download this update, because this update only a very small versionjump";
}

namespace {
long Kbytes(std::int32_t bytes) { return std::lround(std::nearbyint(bytes / 1024.0)); }
}  // namespace

std::string ProgressText(std::int32_t readed, std::int32_t total) {
  return std::to_string(Kbytes(readed)) + " Kbytes of " + std::to_string(Kbytes(total)) + " Kbytes";
}

VersionDescription ParseDescription(const std::string& text) {
  VersionDescription d;
  d.lines = SplitLines(text);
  if (d.lines.size() > 0) d.version = ParseVersion(d.lines[0]);
  if (d.lines.size() > 1) d.url = d.lines[1];
  if (d.lines.size() > 2) d.sha256Hex = d.lines[2];
  if (d.lines.size() > 3) d.signatureHex = d.lines[3];
  return d;
}

std::string SignedPart(const std::string& versionLine, const std::string& url, const std::string& sha256Hex) {
  return versionLine + "\r\n" + url + "\r\n" + sha256Hex + "\r\n";
}

}  // namespace nimbul::update
