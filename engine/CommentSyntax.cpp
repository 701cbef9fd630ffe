#include "engine/CommentSyntax.h"

#include "base/AnsiText.h"
#include "engine/SourceKinds.h"

namespace qm {

namespace {

// A delimiter opens the line only where its first occurrence is at the very start.
bool Opens(std::string_view line, std::string_view delimiter) {
  // Most lines do not start with it: their first byte tells without a call to compare.
  return !delimiter.empty() && !line.empty() && line.front() == delimiter.front() &&
         line.starts_with(delimiter);
}

// A closer counts only where its first occurrence ends at the last character, so a closer
// that also stands earlier in the line is left alone.
bool Closes(std::string_view line, std::string_view delimiter) {
  // Most lines do not end in it, which needs no search.
  if (delimiter.empty() || line.empty() || line.back() != delimiter.back() ||
      !line.ends_with(delimiter)) {
    return false;
  }
  return line.find(delimiter) == line.size() - delimiter.size();
}

} // namespace

CommentSyntax SyntaxForExtension(std::string_view ext) {
  const SourceKindInfo* kind = KindOfExtension(ext);
  return kind != nullptr ? kind->syntax : CommentSyntax{};
}

std::string StripCommentLine(std::string_view line, const CommentSyntax& syntax) {
  return std::string(StripCommentView(line, syntax));
}

std::string_view StripCommentView(std::string_view line, const CommentSyntax& syntax) {
  std::string_view s = TrimView(line);

  // Java's "/**" must win over its own prefix "/*".
  if (syntax.isJava && Opens(s, syntax.opener2)) {
    s.remove_prefix(syntax.opener2.size());
  } else if (Opens(s, syntax.opener1)) {
    s.remove_prefix(syntax.opener1.size());
  } else if (Opens(s, syntax.opener2)) {
    s.remove_prefix(syntax.opener2.size());
  } else if (Opens(s, syntax.lineComment)) {
    s.remove_prefix(syntax.lineComment.size());
  }

  if (Closes(s, syntax.closer1)) {
    s.remove_suffix(syntax.closer1.size());
  } else if (Closes(s, syntax.closer2)) {
    s.remove_suffix(syntax.closer2.size());
  }
  return TrimView(s);
}

} // namespace qm
