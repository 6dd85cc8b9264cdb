#include "platform/code_pages.h"

namespace nimbul::platform {

std::size_t FileNameStart(const std::string& path, CodePages& codePages) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (codePages.IsLeadByte(path[i]))
      ++i;
    else if (path[i] == '\\' || path[i] == '/' || path[i] == ':')
      start = i + 1;
  }
  return start;
}

std::string CutToWholeCharacters(const std::string& text, std::size_t maxBytes, CodePages& codePages) {
  std::size_t end = 0;
  while (end < text.size()) {
    // A lead byte at the very end has no second half: it counts as one.
    const std::size_t next = codePages.IsLeadByte(text[end]) && end + 1 < text.size() ? end + 2 : end + 1;
    if (next > maxBytes) break;
    end = next;
  }
  return text.substr(0, end);
}

}  // namespace nimbul::platform
