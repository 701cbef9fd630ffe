#include "engine/CommentSyntax.h"

#include "base/AnsiText.h"

#include <array>

namespace qm {

namespace {

struct SyntaxRow {
  std::string_view ext;
  CommentSyntax syntax;
};

constexpr CommentSyntax kPascal{"{", "}", "(*", "*)", "//", false};
constexpr CommentSyntax kC{"/*", "*/", "", "", "//", false};
constexpr CommentSyntax kJava{"/*", "*/", "/**", "*/", "//", true};
constexpr CommentSyntax kBasic{"", "", "", "", "'", false};
constexpr CommentSyntax kSql{"/*", "*/", "", "", "--", false};
constexpr CommentSyntax kAssembler{"", "", "", "", ";", false};
constexpr CommentSyntax kHtml{"<!--", "-->", "", "", "", false};

// Every extension of the source-file masks the main window offers, with its language.
constexpr std::array<SyntaxRow, 16> kSyntaxByExtension{{
    {".pas", kPascal},
    {".p", kPascal},
    {".dpr", kPascal},
    {".bpg", kPascal},
    {".dpk", kPascal},
    {".c", kC},
    {".h", kC},
    {".cpp", kC},
    {".hpp", kC},
    {".rul", kC},
    {".java", kJava},
    {".bas", kBasic},
    {".sql", kSql},
    {".asm", kAssembler},
    {".htm", kHtml},
    {".html", kHtml},
}};

// A delimiter opens the line only where its first occurrence is at the very start.
bool Opens(std::string_view line, std::string_view delimiter) {
  return !delimiter.empty() && line.starts_with(delimiter);
}

// A closer counts only where its first occurrence ends at the last character, so a closer
// that also stands earlier in the line is left alone.
bool Closes(std::string_view line, std::string_view delimiter) {
  if (delimiter.empty() || delimiter.size() > line.size()) {
    return false;
  }
  return line.find(delimiter) == line.size() - delimiter.size();
}

} // namespace

CommentSyntax SyntaxForExtension(std::string_view ext) {
  const std::string lower = AnsiLowerCase(ext);
  for (const SyntaxRow& row : kSyntaxByExtension) {
    if (row.ext == lower) {
      return row.syntax;
    }
  }
  return CommentSyntax{};
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
