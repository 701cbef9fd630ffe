// Feeds bytes to the help viewer's readers of a compiled help file's internal files. The
// first byte chooses the reader:
//   0: "#SYSTEM" (the rest is the object)
//   1: a contents or index sitemap (the rest is the file)
//   2: the context map: two bytes give the length of "#IVB" (little-endian), "#STRINGS" is
//      what follows it; the first targets are then split into page candidates as the viewer
//      does
//   3: a file text as the help API passes it, and character references
// Every reader must end without a fault for any input.
#include "chm/HelpFileFormat.h"
#include "base/HtmlEntities.h"
#include "chm/Sitemap.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  switch (data[0] % 4) {
  case 0: {
    const qm::HelpSystemInfo info = qm::ParseSystemFile(rest);
    (void)qm::PageCandidates(info.DefaultTopic);
    break;
  }
  case 1: {
    const auto entries = qm::ParseSitemap(rest);
    for (size_t i = 0; i < entries.size(); ++i) {
      const qm::SitemapEntry& e = entries[i];
      // The tree a viewer builds from the list relies on these.
      if (e.Parent >= static_cast<int>(i) || e.Depth > qm::kMaxSitemapDepth ||
          (e.Parent >= 0 && e.Depth != entries[static_cast<size_t>(e.Parent)].Depth + 1) ||
          (e.Parent < 0 && e.Depth != 0)) {
        __builtin_trap();
      }
    }
    break;
  }
  case 2: {
    if (rest.size() < 2) {
      break;
    }
    const size_t split = static_cast<unsigned char>(rest[0]) |
                         static_cast<size_t>(static_cast<unsigned char>(rest[1])) << 8;
    const std::string_view tables = rest.substr(2);
    const std::string_view ivb = tables.substr(0, split);
    const std::string_view strings = tables.substr(ivb.size());
    const qm::HelpContextMap map = qm::HelpContextMap::Parse(ivb, strings);
    // The viewer looks up one number at a time; a few of them stand for that.
    const std::vector<std::uint32_t> numbers = map.Numbers();
    for (size_t i = 0; i < numbers.size() && i < 8; ++i) {
      const std::optional<std::string> target = map.Target(numbers[i]);
      if (!target || target->empty()) {
        __builtin_trap();
      }
      (void)qm::PageCandidates(*target);
    }
    break;
  }
  default: {
    const qm::HelpFileText text = qm::SplitHelpFileText(rest);
    (void)qm::PageCandidates(text.Page);
    (void)qm::DecodeEntities(rest);
    (void)qm::DeclaresUtf8(rest);
    break;
  }
  }
  return 0;
}
