// The user's regional settings.
#pragma once
#include <string>

namespace nimbul::platform {

class Locale {
 public:
  virtual ~Locale() = default;
  // What the user's dates and times put between their parts ("/" and ":" in many regions).
  virtual std::string DateSeparator() = 0;
  virtual std::string TimeSeparator() = 0;
};

}  // namespace nimbul::platform
