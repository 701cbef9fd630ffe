// Checks of the example source tree converted with the shipped data: every contents and index
// entry points at an anchor that its page holds, and no page carries two context ids (the help
// compiler takes one per page).
#include "TestUtil.h"

#include "base/AnsiText.h"
#include "engine/Generator.h"
#include "engine/Quelle.h"

#include <iterator>
#include <set>

namespace {

const char* const kExampleMasks[] = {"*.pas", "*.p",   "*.dpr", "*.bpg", "*.dpk",
                                     "*.c",   "*.cpp", "*.h",   "*.hpp", "*.java",
                                     "*.sql", "*.asm", "*.bas", "*.htm", "*.html"};

/// Checks that the page named by the last field of entry holds an anchor for each field from
/// firstAnchor to the one before the page.
void ExpectAnchors(const std::string& folder, const qm::KeywordEntry& entry, size_t firstAnchor) {
  const size_t fields = entry.Fields().size();
  const std::string page = qmtest::ReadFile(folder + std::string(entry.Page()));
  ASSERT_GE(fields, firstAnchor + 1) << entry.Line();
  for (size_t f = firstAnchor; f < fields; ++f) {
    const std::string anchor = "<A NAME=\"" + std::string(entry.Field(f)) + "\">";
    EXPECT_NE(page.find(anchor), std::string::npos) << entry.Line() << ": no " << anchor;
  }
}

} // namespace

TEST(ExampleTree, EntriesPointAtExistingAnchors) {
  // The example's contents and index lines name anchors that the converted pages define.
  qmtest::TempDir dir;
  const qm::TGenerator generator(std::string(QM_BIN_DIR) + "/");
  qm::GeneratorOptions options;
  options.AutoLineBreak = true;
  options.OutputFolder = dir.path();
  qm::TQuelle quelle;
  quelle.IncludeSubfolders = true;
  quelle.Masks.assign(std::begin(kExampleMasks), std::end(kExampleMasks));
  quelle.Search(std::string(QM_SOURCE_DIR) + "/examples/src/");
  const qm::RunResult result = generator.Run(quelle, options, generator.InstalledTemplates());
  const qm::KindRecords& doc = result.Of(qm::DocKind::Doc);
  const qm::KindRecords& tech = result.Of(qm::DocKind::Tech);

  ASSERT_FALSE(doc.Toc.empty());
  ASSERT_FALSE(tech.Index.empty());
  for (const auto* list : {&doc.Toc, &tech.Toc}) {
    for (const auto& entry : *list) {
      ExpectAnchors(dir.path(), entry, 3);
    }
  }
  for (const auto* list : {&doc.Index, &tech.Index}) {
    for (const auto& entry : *list) {
      ExpectAnchors(dir.path(), entry, 3);
    }
  }

  std::set<std::string> pages;
  for (const auto& id : doc.ContextIds) {
    EXPECT_TRUE(pages.insert(id.Page).second) << "second context id: " << id.Id;
  }
  EXPECT_EQ(pages.size(), 5u);
}
