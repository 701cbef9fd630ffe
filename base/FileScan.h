// Looking for text in a file without reading it whole.
#pragma once

#include <initializer_list>
#include <string_view>

namespace qm {

/// Whether the regular file at path holds one of needles, read piece by piece so that a large
/// file is never held whole. False when it cannot be read or is no regular file.
bool FileHoldsAny(std::string_view path, std::initializer_list<std::string_view> needles);

} // namespace qm
