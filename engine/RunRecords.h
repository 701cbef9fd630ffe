// What a conversion records besides its pages: contents, index and context-id entries with the
// place each came from, and the titles of the pages that were there before it.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

/// Where a record was found: the source being converted and the line (from 1) of the block it
/// belongs to; line 0 for a page header or footer, which belong to no block. The footer of an
/// own page is written when the run ends and has no source. All records of one source share
/// the source's name instead of holding a copy each.
class Origin {
public:
  Origin() = default;
  Origin(std::shared_ptr<const std::string> file, int line) : file_(std::move(file)), line_(line) {}
  /// A place given by name, as a list made without a run names it.
  Origin(std::string file, int line)
      : file_(std::make_shared<const std::string>(std::move(file))), line_(line) {}

  /// The source (as the file system spells it); empty when there is none.
  const std::string& File() const;
  int Line() const { return line_; }

  bool operator==(const Origin& other) const {
    return File() == other.File() && line_ == other.line_;
  }

private:
  std::shared_ptr<const std::string> file_;
  int line_ = 0;
};

/// A contents or index entry: the text behind "###Toc " or "###Index " (character references
/// turned back into characters), the file name of the page it was written to, and its origin.
/// The user separates the text's fields by ";"; the page is always the last field.
class KeywordEntry {
public:
  /// Takes text over and puts the page behind it.
  KeywordEntry(std::string text, std::string_view page, Origin origin);

  std::string_view Text() const { return std::string_view(line_).substr(0, pageAt_ - 1); }
  std::string_view Page() const { return std::string_view(line_).substr(pageAt_); }
  const Origin& Where() const { return origin_; }

  /// The fields: those of the text, then the page.
  std::vector<std::string_view> Fields() const;
  /// Field n (from 1) of Fields; a number beyond the last field gives the last one, the page.
  std::string_view Field(size_t n) const;
  /// The text, ";" and the page: the form by which the help project orders its entries.
  std::string_view Line() const { return line_; }

  bool operator==(const KeywordEntry& other) const {
    return line_ == other.line_ && pageAt_ == other.pageAt_ && origin_ == other.origin_;
  }

private:
  std::string line_; ///< text + ";" + page, kept as one string as it is built
  size_t pageAt_;    ///< where the page starts in line_
  Origin origin_;
};

/// The context id of a block: the value of its "###ContextID" line, the block's title as the
/// source gives it, the full path of the page the block went to, and the block's origin.
struct ContextIdEntry {
  std::string Id;
  std::string Title;
  std::string Page;
  Origin Where;
  bool operator==(const ContextIdEntry&) const = default;
};

/// A page that was in the output folder when the run started: its path and its title (the
/// first line holding the title tag, without the tags).
struct PageTitle {
  std::string Path;
  std::string Title;
  bool operator==(const PageTitle&) const = default;
};

} // namespace qm
