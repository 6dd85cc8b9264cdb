// The portable layer carries window, icon, key and kernel handles as 32-bit
// numbers of distinct types; these convert between them and the system's
// handle types.
#pragma once
#include <windows.h>

#include <cstdint>
#include <type_traits>

namespace nimbul::platform::win32 {

// Widening sign-extends, as the system does for 32-bit handle values, so the
// predefined registry roots (0x80000001, ...) survive the trip in a 64-bit build.
template <typename H, typename Id>
H FromId(Id id) {
  std::uint32_t v = 0;
  if constexpr (std::is_enum_v<Id>)
    v = static_cast<std::uint32_t>(id);
  else
    v = static_cast<std::uint32_t>(id);
  return reinterpret_cast<H>(static_cast<std::intptr_t>(static_cast<std::int32_t>(v)));
}

// The handle as the portable type `Id` (a plain number unless asked).
template <typename Id = std::uint32_t, typename H>
Id ToId(H h) {
  return Id(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(h)));
}

}  // namespace nimbul::platform::win32
