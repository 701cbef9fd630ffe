// The source kinds' masks as a search uses them.
#include "engine/SourceKinds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qm;

TEST(SourceKinds, MasksFollowTheTickedKinds) {
  // Masks come in the search's order; InstallShield adds "*.h" only when C/C++ has not.
  SourceKindSet kinds;
  EXPECT_TRUE(MasksForKinds(kinds).empty());
  kinds.Set(SourceKind::InstallShield);
  EXPECT_EQ(MasksForKinds(kinds), (std::vector<std::string>{"*.rul", "*.h"}));
  kinds.Set(SourceKind::C);
  EXPECT_EQ(MasksForKinds(kinds),
            (std::vector<std::string>{"*.c", "*.cpp", "*.h", "*.hpp", "*.rul"}));
  kinds = {SourceKind::Pascal, SourceKind::C,   SourceKind::Java,      SourceKind::InstallShield,
           SourceKind::Basic,  SourceKind::SQL, SourceKind::Assembler, SourceKind::HTML};
  EXPECT_EQ(MasksForKinds(kinds),
            (std::vector<std::string>{"*.pas", "*.p", "*.dpr", "*.bpg", "*.dpk", "*.c", "*.cpp",
                                      "*.h", "*.hpp", "*.java", "*.sql", "*.asm", "*.bas", "*.htm",
                                      "*.html", "*.rul"}));
}

TEST(SourceKinds, EveryCaptionNamesTheMasksOfItsKind) {
  // The window tells the user which files a kind finds: a mask added to a kind must show in
  // its caption too.
  for (const SourceKindInfo& kind : kSourceKindTable) {
    std::string joined;
    for (std::string_view mask : kind.masks) {
      joined += (joined.empty() ? "" : ";") + std::string(mask);
    }
    EXPECT_NE(kind.caption.find("(" + joined + ")"), std::string_view::npos) << kind.caption;
  }
}
