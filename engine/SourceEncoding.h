// How the bytes of a source become the Windows-1252 text the engine works on: read as they
// are, or decoded from UTF-8 or UTF-16 with the characters Windows-1252 lacks as codes.
#pragma once

#include "engine/EnumTable.h"

#include <array>
#include <string>
#include <string_view>

namespace qm {

/// What a project says its sources are.
enum class SourceEncoding {
  Auto, ///< per file: by its byte-order mark, else UTF-8 when it is UTF-8, else Windows-1252
  Ansi, ///< Windows-1252, byte for byte
  Utf8, ///< UTF-8; a UTF-16 mark is honoured, a file that is not UTF-8 is read as Windows-1252
};

struct SourceEncodingInfo {
  SourceEncoding encoding;
  std::string_view flagName;     ///< its value of the command line's "--source-encoding"
  std::string_view projectValue; ///< its value of the project file's key
  std::string_view caption;      ///< UTF-8, its entry in the main window's drop-down
};

/// One row per value, in SourceEncoding order, which is also the drop-down's order.
inline constexpr std::array<SourceEncodingInfo, 3> kSourceEncodingTable{{
    {SourceEncoding::Auto, "auto", "Auto", "Automatisch"},
    {SourceEncoding::Ansi, "ansi", "ANSI", "Windows-1252"},
    {SourceEncoding::Utf8, "utf-8", "UTF-8", "UTF-8"},
}};
static_assert(RowsInEnumOrder(kSourceEncodingTable, &SourceEncodingInfo::encoding));

inline const SourceEncodingInfo& SourceEncodingInfoOf(SourceEncoding encoding) {
  return kSourceEncodingTable[EnumIndex(encoding)];
}

/// How one source was read.
enum class SourceReading { Ansi, Utf8, Utf16 };

/// What DecodeSource did with a file.
struct DecodedSource {
  SourceReading reading = SourceReading::Ansi;
  /// The line (from 1) of the first byte sequence that is not UTF-8, when the file was said
  /// to be UTF-8 (by the option or its mark) and so was read as Windows-1252 instead; else 0.
  int badUtf8Line = 0;
  /// The text may hold codes of characters that Windows-1252 lacks.
  bool foreign = false;
  /// The engine's text of the file: a view into the bytes given, or into the string given for
  /// a text that had to be made.
  std::string_view text;
};

/// Turns bytes, a source file as read, into the engine's Windows-1252 text. With Ansi nothing
/// changes. Otherwise a byte-order mark is dropped, UTF-8 and UTF-16 text becomes Windows-1252
/// bytes and codes (made), and a file read as Windows-1252 has its mark bytes made codes. A
/// text of ASCII bytes only is used as it is without a copy.
DecodedSource DecodeSource(std::string_view bytes, SourceEncoding encoding, std::string& made);

} // namespace qm
