// The text of an HTML page as a search reads it: without markup, with its character
// references decoded.
#pragma once

#include <string>
#include <string_view>

namespace qm {

/// The words of a page that a search looks at, as UTF-8: its title and its text without
/// tags, comments, scripts and style sheets, character references decoded and every run of
/// blanks one space.
struct PageWords {
  std::string Title;
  std::string Text;
};
/// How a page's bytes are to be read.
enum class PageBytes { Utf8, Windows1252 };
/// The words of html. Linear in its length.
PageWords PageWordsOf(std::string_view html, PageBytes bytes = PageBytes::Utf8);

} // namespace qm
