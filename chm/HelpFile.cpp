#include "chm/HelpFile.h"

#include "base/FileSystem.h"

#include <algorithm>

namespace qm {

namespace {

constexpr std::string_view kSystemObject = "/#SYSTEM";
constexpr std::string_view kContextNumbers = "/#IVB";
constexpr std::string_view kContextTargets = "/#STRINGS";
constexpr std::string_view kContentsExtension = ".hhc";
constexpr std::string_view kIndexExtension = ".hhk";
constexpr std::string_view kPageExtensions[] = {".htm", ".html"};

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) {
    return false;
  }
  text.remove_prefix(text.size() - suffix.size());
  return std::equal(text.begin(), text.end(), suffix.begin(), [](char a, char b) {
    return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
  });
}

} // namespace

HelpFileLocation LocateHelpFile(std::string_view name, const std::string& programFolder,
                                const std::string& currentFolder) {
  HelpFileLocation location;
  location.Path = name;
  if (name.find('/') != std::string_view::npos) {
    location.Found = PathExists(location.Path);
    return location;
  }
  for (const std::string& folder : {programFolder, currentFolder}) {
    location.Searched.push_back(folder);
    const std::string candidate = folder + std::string(name);
    if (PathExists(candidate)) {
      location.Path = candidate;
      location.Found = true;
      break;
    }
  }
  return location;
}

HelpFile::HelpFile(std::unique_ptr<ChmArchive> archive) : archive_(std::move(archive)) {}

HelpFile::Opened HelpFile::Open(const std::string& path) {
  Opened result;
  ChmArchive::Opened opened = ChmArchive::Open(path);
  result.Status = opened.Status;
  if (opened.Status != HelpOpenStatus::Ok) {
    return result;
  }
  std::unique_ptr<HelpFile> file(new HelpFile(std::move(opened.Archive)));
  file->path_ = path;
  const ChmObject system = file->archive_->Read(kSystemObject);
  if (system.Status != ChmReadStatus::Ok) {
    result.Status = HelpOpenStatus::Damaged;
    return result;
  }
  file->system_ = ParseSystemFile(system.Bytes);
  const ChmObject numbers = file->archive_->Read(kContextNumbers);
  const ChmObject targets = file->archive_->Read(kContextTargets);
  file->contextMap_ = HelpContextMap::Parse(numbers.Bytes, targets.Bytes);
  file->contents_ = file->ReadSitemap(file->system_.ContentsFile, kContentsExtension);
  file->index_ = file->ReadSitemap(file->system_.IndexFile, kIndexExtension);
  file->start_ = file->FindStartPage();
  result.File = std::move(file);
  return result;
}

std::vector<SitemapEntry> HelpFile::ReadSitemap(const std::string& named,
                                                std::string_view extension) {
  std::optional<std::string> path;
  if (!named.empty()) {
    if (const auto page = FindTarget(named)) {
      path = page->Path;
    }
  } else {
    path = FirstFileEndingIn(extension);
  }
  if (!path) {
    return {};
  }
  const ChmObject object = archive_->Read(*path);
  return ParseSitemap(object.Bytes);
}

const std::vector<std::string>& HelpFile::Files() const {
  if (!files_) {
    files_ = archive_->Files();
  }
  return *files_;
}

std::optional<std::string> HelpFile::FirstFileEndingIn(std::string_view extension) const {
  for (const std::string& file : Files()) {
    if (EndsWithNoCase(file, extension)) {
      return file;
    }
  }
  return std::nullopt;
}

std::vector<std::string> HelpFile::Pages() const {
  std::vector<std::string> pages;
  for (const std::string& file : Files()) {
    if (std::any_of(
            std::begin(kPageExtensions), std::end(kPageExtensions),
            [&file](std::string_view extension) { return EndsWithNoCase(file, extension); })) {
      pages.push_back(file);
    }
  }
  return pages;
}

std::optional<HelpPageRef> HelpFile::FindPage(std::string_view page) const {
  const auto [name, anchor] = SplitAnchor(page);
  std::string path(name);
  std::replace(path.begin(), path.end(), '\\', '/');
  if (path.empty() || path.front() != '/') {
    path.insert(path.begin(), '/');
  }
  if (path.size() < 2) {
    return std::nullopt;
  }
  const auto stored = archive_->Resolve(path);
  if (!stored) {
    return std::nullopt;
  }
  return HelpPageRef{*stored, std::string(anchor)};
}

std::optional<HelpPageRef> HelpFile::FindTarget(std::string_view target) const {
  if (auto page = FindPage(target)) {
    return page;
  }
  const std::string anchor(SplitAnchor(target).second);
  for (const std::string& candidate : PageCandidates(target)) {
    if (const auto stored = archive_->Resolve(candidate)) {
      return HelpPageRef{*stored, anchor};
    }
  }
  return std::nullopt;
}

HelpContextLookup HelpFile::LookUpContext(std::uint32_t number) const {
  HelpContextLookup lookup;
  const auto target = contextMap_.Target(number);
  if (!target) {
    return lookup;
  }
  lookup.Mapped = true;
  lookup.Target = *target;
  lookup.Page = FindTarget(*target);
  return lookup;
}

std::optional<HelpPageRef> HelpFile::FindStartPage() const {
  if (!system_.DefaultTopic.empty()) {
    if (auto page = FindTarget(system_.DefaultTopic)) {
      return page;
    }
  }
  for (const SitemapEntry& entry : contents_) {
    for (const std::string& local : entry.Locals) {
      if (auto page = FindTarget(local)) {
        return page;
      }
    }
  }
  for (std::string_view extension : kPageExtensions) {
    if (auto file = FirstFileEndingIn(extension)) {
      return HelpPageRef{*file, {}};
    }
  }
  return std::nullopt;
}

} // namespace qm
