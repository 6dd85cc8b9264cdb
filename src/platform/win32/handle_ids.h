// The portable layer carries window, icon, key and kernel handles as 32-bit
// numbers; these convert between them and the system's handle types.
#pragma once
#include <windows.h>

#include <cstdint>

namespace nimbul::platform::win32 {

// Widening sign-extends, as the system does for 32-bit handle values, so the
// predefined registry roots (0x80000001, ...) survive the trip in a 64-bit build.
template <typename H>
H FromId(std::uint32_t id) {
  return reinterpret_cast<H>(static_cast<std::intptr_t>(static_cast<std::int32_t>(id)));
}

template <typename H>
std::uint32_t ToId(H h) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(h));
}

}  // namespace nimbul::platform::win32
