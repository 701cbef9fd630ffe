// From the raw comment lines of one block to its HTML text, and the context id in it.
#pragma once

#include "base/AnsiText.h"
#include "engine/CharTables.h"

#include <span>
#include <string>
#include <string_view>

namespace qm {

/// Line-break texts: an empty comment line stands for this in the joined text.
inline constexpr std::string_view kLineBreakPlain = "\\n";
inline constexpr std::string_view kLineBreakAuto = "\\n<BR>\\n<BR>\\n";
/// A line holding this carries the block's context id behind it.
inline constexpr std::string_view kContextIdNeedle = "###ContextID ";

/// Strips the comment syntax of ext from the block lines 1..end (line 0, the start-marker line,
/// is never converted), joins them with blanks and line-break escapes, trims, drops leading and
/// trailing line-break texts and returns ConvertChars of the result.
std::string ConvertBlock(const Lines& block, std::string_view ext, bool autoLineBreak,
                         const TagTable& tags, const CharacterTable& table);
/// ConvertBlock of lines that are the block's lines 1..end, given as views.
std::string ConvertBlockLines(std::span<const std::string_view> lines, std::string_view ext,
                              bool autoLineBreak, const TagTable& tags,
                              const CharacterTable& table);

/// Expands the escapes of text, takes the value of the last "###ContextID " line as the id
/// (less one trailing blank), removes every such line with up to three directly following
/// lines that are "<BR>" or empty, and leaves text as the remaining lines each followed by
/// CR LF. Returns the id, or "" when there is none.
std::string ExtractContextId(std::string& text);

/// Expands "\\" to a backslash, "\n" to CR LF and "\t" to a tab, left to right in that order of
/// passes; a 0x01 byte also becomes a backslash. "\0" is no escape: it stays as it is.
std::string ExpandEscapes(std::string_view s);
/// Whether ExpandEscapes changes s: it holds a backslash or a 0x01 byte.
bool HoldsEscapes(std::string_view s);

} // namespace qm
