// What identifies a row of a list model across rebuilds: its owner gives each
// entry a key of its own, and the views hand it back for the row the user chose.
#pragma once
#include <cstdint>

namespace nimbul::ui {

struct RowKey {
  std::uint32_t value = 0;  // 0: no row
  explicit operator bool() const { return value != 0; }
};
inline bool operator==(RowKey a, RowKey b) { return a.value == b.value; }
inline bool operator!=(RowKey a, RowKey b) { return a.value != b.value; }

}  // namespace nimbul::ui
