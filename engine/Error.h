// The one exception type of Quillmark: a failure that carries the message shown to the user.
#pragma once

#include <stdexcept>
#include <string>

namespace qm {

/// A failure that ends the current command. The message is Windows-1252 text in the
/// program's own wording and names the file concerned; front ends show it as it stands.
class Error : public std::runtime_error {
public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

} // namespace qm
