// Which link targets lead out of the output folder, where a help compiler would follow them.
#include "engine/LinkTargets.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qm;

TEST(LinkTargets, TargetsThatLeaveTheOutputFolder) {
  struct Case {
    std::string target;
    size_t depth;
    bool leaves;
  };
  const std::vector<Case> cases = {
      {"Seite.htm", 0, false},
      {"unter/Seite.htm#Anker", 0, false},
      {"unter/../Seite.htm", 0, false},
      {"../Seite.htm", 1, false},
      {"../Seite.htm", 0, true},
      {"..\\geheim.txt", 0, true},
      {"unter\\..\\..\\geheim.txt", 0, true},
      {"%2e%2e/geheim.txt", 0, true},
      {"/etc/passwd", 3, true},
      {"\\\\server\\share\\x.htm", 0, true},
      {"C:\\Windows\\win.ini", 0, true},
      {"file:///etc/passwd", 0, true},
      {"http://example.com/../../x", 0, false},
      {"https://example.com/", 0, false},
      {"mailto:a@b.de", 0, false},
      {"#Anker", 0, false},
      {"  ", 0, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TargetLeavesFolder(c.target, c.depth), c.leaves) << c.target << " at " << c.depth;
  }
}

TEST(LinkTargets, FindsEveryHrefAndSrcValue) {
  std::vector<std::string> found;
  // Any case, quoted or not; "datasrc" is another attribute.
  ForEachLinkTarget("<a HREF=\"../x.htm\">x</a> <IMG src='b.png'> <A href = c.htm>"
                    " <x datasrc=\"nein\">",
                    [&found](std::string_view t) { found.emplace_back(t); });
  EXPECT_EQ(found, (std::vector<std::string>{"../x.htm", "c.htm", "b.png"}));
}

TEST(LinkTargets, OwnPageNamesReadBackslashAsASeparator) {
  for (const auto& [name, leaves] :
       std::vector<std::pair<std::string, bool>>{{"Seite", false},
                                                 {"unter\\Seite", false},
                                                 {"a\\..\\b", false},
                                                 {"..\\geheim", true},
                                                 {"a/../../b", true},
                                                 {"/etc/x", true},
                                                 {"C:x", true}}) {
    EXPECT_EQ(NameLeavesFolder(name), leaves) << name;
  }
}
