// The texts of the desktop services: message box titles and buttons. UTF-8, as Qt takes them.
#pragma once

namespace qm {

/// Titles of the message box kinds.
inline constexpr const char* kTitleWarning = "Warnung";
inline constexpr const char* kTitleConfirmation = "Bestätigung";
inline constexpr const char* kTitleInformation = "Information";
inline constexpr const char* kTitleError = "Fehler";

/// Buttons of message boxes, with their mnemonics.
inline constexpr const char* kButtonOk = "OK";
inline constexpr const char* kButtonYes = "&Ja";
inline constexpr const char* kButtonNo = "&Nein";
inline constexpr const char* kButtonCancel = "Abbrechen";
inline constexpr const char* kButtonHelp = "&Hilfe";

/// The folder picker's default top folder.
inline constexpr const char* kPickerRoot = "/";

/// The help viewer's commands.
inline constexpr unsigned HH_DISPLAY_TOPIC = 0;
inline constexpr unsigned HH_HELP_CONTEXT = 15;
/// Joins a help file name and a viewer window type ("Quillmark.Doc.chm>main").
inline constexpr const char* kWindowTypeSep = ">";

} // namespace qm
