// The literal texts of the form storage: where the windows keep their state, the names of the
// stored values, and its messages. UTF-8; they become QStrings where they are used.
#pragma once

namespace qm {

/// The store of the window state: on Windows the registry key of the current user, elsewhere
/// QSettings' file for organisation "Pellhardt" and application "Quillmark".
inline constexpr const char* kFormStorageKey = "Software\\Pellhardt\\Quillmark";
/// The registry's own first level, which QSettings adds by itself.
inline constexpr const char* kRegistrySoftware = "Software";

/// The sections of the windows that keep their state; the program's help window keeps only its
/// placement.
inline constexpr const char* kSectionMenue = "Menue";
inline constexpr const char* kSectionEditor = "Editor";
inline constexpr const char* kSectionWorkshop = "Workshop";
inline constexpr const char* kSectionHelp = "Hilfe";

// Value names of the window placement. "(%dx%d)" is the screen's width and height in pixels;
// the two positions are stored once with it and once without it.
inline constexpr const char* kValFormVersion = "FormVersion";
inline constexpr const char* kValFlags = "Flags";
inline constexpr const char* kValShowCmd = "ShowCmd";
inline constexpr const char* kValPixelsPerInch = "PixelsPerInch";
inline constexpr const char* kValMinMaxPos = "MinMaxPos";
inline constexpr const char* kValNormPos = "NormPos";
inline constexpr const char* kResolutionSuffix = "(%dx%d)";
inline constexpr const char* kValActiveControl = "ActiveControl";
inline constexpr const char* kValVisible = "Visible";
/// Four numbers: x and y of the minimized, then of the maximized position; the rectangle of the
/// normal window (left, top, right, bottom).
inline constexpr const char* kPositionFormat = "%d,%d,%d,%d";
/// Separators between the numbers of a stored position; a run of them counts as one.
inline constexpr const char* kPositionSeparators = "[, ]+";

// Stored properties. An item "Component.Property" becomes the value Component_Property; a string
// list goes to the group section + "." + Component_Property with Count and Item0, Item1, ...
inline constexpr char kPropSep = '.';
inline constexpr char kValueNameSep = '_';
inline constexpr char kListGroupSep = '.';
inline constexpr const char* kValCount = "Count";
inline constexpr const char* kValItem = "Item%d";
inline constexpr const char* kTrue = "True";
inline constexpr const char* kFalse = "False";
/// A plain-text editor's text as a list of lines.
inline constexpr const char* kPropLines = "Lines";

// Messages: %1 is the settings file, %2 the reason.
inline constexpr const char* kMsgRestoreFailed =
    "Die Fenstereinstellungen können nicht aus %1 gelesen werden: %2";
inline constexpr const char* kMsgSaveFailed =
    "Die Fenstereinstellungen können nicht in %1 gespeichert werden: %2";
inline constexpr const char* kReasonAccess = "Dateizugriff verweigert";
inline constexpr const char* kReasonFormat = "ungültiges Dateiformat";

} // namespace qm
