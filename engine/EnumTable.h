// Tables whose rows stand for the values of an enum numbered from 0, and compile-time checks
// of them and of the orders in which such values are listed.
#pragma once

#include <array>
#include <cstddef>

namespace qm {

/// The number of value, its row in a table.
template <typename Enum> constexpr size_t EnumIndex(Enum value) {
  return static_cast<size_t>(value);
}

/// Whether row i of table is the row of value i (key names the row's enum field).
template <typename Row, size_t N, typename Enum>
constexpr bool RowsInEnumOrder(const std::array<Row, N>& table, Enum Row::*key) {
  for (size_t i = 0; i < N; ++i) {
    if (EnumIndex(table[i].*key) != i) {
      return false;
    }
  }
  return true;
}

/// Whether order lists each of the N values once.
template <typename Enum, size_t N> constexpr bool ListsEachOnce(const std::array<Enum, N>& order) {
  std::array<bool, N> seen{};
  for (Enum value : order) {
    const size_t i = EnumIndex(value);
    if (i >= N || seen[i]) {
      return false;
    }
    seen[i] = true;
  }
  return true;
}

} // namespace qm
