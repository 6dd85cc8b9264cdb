// The failure text of a call, for tests of the program's errors.
#pragma once
#include <string>

#include "base/error.h"

namespace nimbul::testing {

// The text of the nimbul::Error that `f` throws, or "no error".
template <typename F>
std::string ErrorOf(F f) {
  try {
    f();
  } catch (const nimbul::Error& e) {
    return e.what();
  }
  return "no error";
}

}  // namespace nimbul::testing
