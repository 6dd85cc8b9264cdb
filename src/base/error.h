// The program's failure: an error that carries a text for the error box.
#pragma once
#include <stdexcept>
#include <string>

namespace nimbul {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& text) : std::runtime_error(text) {}
};

// Replaces the first "%s" of `pattern` with `arg`.
std::string FormatText(const std::string& pattern, const std::string& arg);

}  // namespace nimbul
