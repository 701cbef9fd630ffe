#include "engine/CommentSyntax.h"

#include <gtest/gtest.h>

using namespace qm;

namespace {

std::string Strip(std::string_view line, std::string_view ext) {
  return StripCommentLine(line, SyntaxForExtension(ext));
}

} // namespace

TEST(CommentSyntax, PascalRemovesOneOpenerAndOneCloserOfAnyStyle) {
  // Braces, "(* *)" and "//" all strip; the closer is chosen independently of the opener.
  EXPECT_EQ(Strip("  { Text }\t", ".pas"), "Text");
  EXPECT_EQ(Strip("(* Text *)", ".dpr"), "Text");
  EXPECT_EQ(Strip("// Text", ".p"), "Text");
  EXPECT_EQ(Strip("{ Text *)", ".dpk"), "Text");
  EXPECT_EQ(Strip("}", ".bpg"), "");
  EXPECT_EQ(Strip("{{ Text }}", ".pas"), "{ Text }}");
}

TEST(CommentSyntax, JavaPrefersItsDocOpenerWhereCHasNone) {
  // Only ".java" tries "/**" first; C removes "/*" and keeps the star.
  EXPECT_EQ(Strip("/** Text", ".java"), "Text");
  EXPECT_EQ(Strip("/** Text */", ".java"), "Text");
  EXPECT_EQ(Strip("/* Text */", ".java"), "Text");
  EXPECT_EQ(Strip("/** Text", ".c"), "* Text");
  EXPECT_EQ(Strip("/* Text */", ".rul"), "Text");
  // "/*" does not open "//*" (its first occurrence is not at the start), "//" does.
  EXPECT_EQ(Strip("//* Text", ".cpp"), "* Text");
}

TEST(CommentSyntax, CloserIsRemovedOnlyWhereItsFirstOccurrenceEndsTheLine) {
  // A closer that also stands earlier in the line, or only in the middle, stays.
  EXPECT_EQ(Strip("a */ b */", ".c"), "a */ b */");
  EXPECT_EQ(Strip("Text */ more", ".h"), "Text */ more");
  EXPECT_EQ(Strip("Text } mehr *)", ".pas"), "Text } mehr");
  EXPECT_EQ(Strip("* Text */", ".hpp"), "* Text");
}

TEST(CommentSyntax, OtherLanguagesStripTheirDelimiters) {
  // Basic, assembler, SQL and HTML each have their own row.
  EXPECT_EQ(Strip("' Text", ".bas"), "Text");
  EXPECT_EQ(Strip("; Text", ".asm"), "Text");
  EXPECT_EQ(Strip("-- Text", ".sql"), "Text");
  EXPECT_EQ(Strip("/* Text */", ".sql"), "Text");
  EXPECT_EQ(Strip("<!-- Text -->", ".htm"), "Text");
  EXPECT_EQ(Strip("<!-- Text -->", ".html"), "Text");
  EXPECT_EQ(Strip("// Text", ".bas"), "// Text");
}

TEST(CommentSyntax, ExtensionCaseIgnoredAndUnknownExtensionsOnlyTrim) {
  // ".PAS" uses the Pascal row; an unknown or missing extension strips nothing.
  EXPECT_EQ(Strip("{ Text }", ".PAS"), "Text");
  EXPECT_EQ(Strip("/** Text", ".Java"), "Text");
  EXPECT_TRUE(SyntaxForExtension(".JAVA").isJava);
  EXPECT_EQ(Strip(" { Text } ", ".txt"), "{ Text }");
  EXPECT_EQ(Strip("\t// Text\t", ""), "// Text");
  EXPECT_EQ(Strip("// Text", "pas"), "// Text");
}

TEST(CommentSyntax, LinesNoLongerThanADelimiter) {
  // Empty lines, single bytes and lines that are a delimiter and nothing else: a part of a
  // delimiter stays, a whole one goes.
  const struct {
    std::string_view line, ext, stripped;
  } cases[] = {
      {"", ".c", ""},     {"/", ".c", "/"},      {"*", ".c", "*"},     {"//", ".cpp", ""},
      {"/*", ".c", ""},   {"*/", ".h", ""},      {"/", ".java", "/"},  {"/**", ".java", ""},
      {"{", ".pas", ""},  {"(", ".pas", "("},    {")", ".pas", ")"},   {"*)", ".pas", ""},
      {"'", ".bas", ""},  {";", ".asm", ""},     {"-", ".sql", "-"},   {"--", ".sql", ""},
      {"<", ".htm", "<"}, {"->", ".html", "->"}, {"<!--", ".htm", ""}, {"-->", ".htm", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Strip(c.line, c.ext), c.stripped) << c.line << " " << c.ext;
  }
}
