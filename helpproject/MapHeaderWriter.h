// Context-id map files: a C header, a Pascal unit and a Java class that give every context id
// of one documentation kind a constant name, and the rule that makes those names.
#pragma once

#include "base/AnsiText.h"
#include "engine/CharTables.h"
#include "engine/DocKind.h"
#include "engine/RunRecords.h"

#include <string>
#include <string_view>
#include <vector>

namespace qm {

enum class MapLanguage { C, Pascal, Java };

/// The piece of a map file that a part writer appends.
enum class MapPart { Head, Constant, Tail };

/// The two user templates of a map file's head, as read from the program folder.
struct MapHeadTemplates {
  Lines Header;  ///< "Header.txt": "%TYPE%", "%FILE%", "%YEAR%" are filled in
  Lines Comment; ///< "Comment.txt": "%DATETIME%" is filled in
};

/// Reads "Header.txt", then "Comment.txt" from programFolder (ending in "/"). Throws
/// Error("Datei %s kann nicht geöffnet werden") naming the first one that cannot be read.
MapHeadTemplates ReadMapHeadTemplates(const std::string& programFolder);

/// The constant name of a context-id entry: "IDH", then "_" + each dot-separated piece of the
/// page's file name except the last two, then "_" + title; with blanks and "-" removed, "."
/// and "::" made "_", MapLinkChars applied and upper-cased. The title Main Window on the page
/// /h/Main.Doc.htm gives IDH_MAIN_MAINWINDOW. Need not be an identifier.
std::string ContextSymbol(const ContextIdEntry& entry, const CharacterTable& table);

/// Appends one part of a C header to lines: the head (templates filled in, include guard
/// "_" + KINDNAME + "MAP_H_"), one "#define symbol id", or the tail. head is used for Head only.
void WriteCMapPart(Lines& lines, std::string_view kindName, MapPart part, std::string_view id,
                   std::string_view symbol, const MapHeadTemplates& head);
/// The same for a Pascal unit named kindName + "MapU".
void WritePascalMapPart(Lines& lines, std::string_view kindName, MapPart part, std::string_view id,
                        std::string_view symbol, const MapHeadTemplates& head);
/// The same for a Java class named kindName + "Map"; each constant stands between empty lines.
void WriteJavaMapPart(Lines& lines, std::string_view kindName, MapPart part, std::string_view id,
                      std::string_view symbol, const MapHeadTemplates& head);

/// folder + kind + "Map.h", "MapU.pas" or "Map.java".
std::string MapFilePath(std::string_view folder, DocKind kind, MapLanguage language);

/// Builds the map file of kind in language from contextIds (list order, duplicates kept),
/// reading the head templates from programFolder now, and writes it into folder (which ends
/// in "/" and is not created here), replacing an old file atomically. Throws Error naming the
/// template that cannot be read (nothing is written then) or the file that cannot be written,
/// with the reason; an old file stays as it was then.
void WriteMapHeader(DocKind kind, MapLanguage language,
                    const std::vector<ContextIdEntry>& contextIds, const std::string& folder,
                    const std::string& programFolder, const CharacterTable& table);

} // namespace qm
