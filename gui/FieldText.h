// The texts of edits as the core takes them: Windows-1252 text. A character that Windows-1252
// lacks would become "?" on the way, so such a text is refused when its value is used.
#pragma once

#include <stdexcept>
#include <string>

class QLineEdit;

namespace qm::ui {

/// An input that a window refuses before it is used. what() is the message in UTF-8; like any
/// failure of a command it is shown in the error box, and the command writes nothing.
class InputRefused : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

/// The text of edit as Windows-1252 text. A character that Windows-1252 lacks is refused: the
/// cursor goes to it, and InputRefused names field (as the window labels it) and the character.
std::string FieldText(QLineEdit& edit, const char* field);

} // namespace qm::ui
