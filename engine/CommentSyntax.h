// The comment syntax of each source language and the stripping of one comment line.
#pragma once

#include <string>
#include <string_view>

namespace qm {

/// The delimiters of one language; an empty delimiter is not used.
struct CommentSyntax {
  std::string_view opener1, closer1, opener2, closer2, lineComment;
  bool isJava = false; ///< Java tries opener 2 ("/**") before opener 1
};

/// The syntax for a file extension with its dot (".pas"): that of the source kind whose masks
/// name it (KindOfExtension); case does not matter. Other extensions give a syntax with every
/// delimiter empty.
CommentSyntax SyntaxForExtension(std::string_view ext);

/// Trims the line, removes one opening delimiter at its start and one closing delimiter at its
/// end, and trims again. The result may be empty.
std::string StripCommentLine(std::string_view line, const CommentSyntax& syntax);
/// StripCommentLine as a part of line.
std::string_view StripCommentView(std::string_view line, const CommentSyntax& syntax);

} // namespace qm
