#include "engine/RunRecords.h"

#include <gtest/gtest.h>

using namespace qm;

TEST(KeywordEntry, FieldsAreTheTextsThenThePage) {
  // The text's ";" separate fields and the page is the last one, whole even when its name
  // holds a ";"; a field number beyond the last (or 0) gives the page.
  struct Case {
    std::string text;
    std::string page;
    std::vector<std::string_view> fields;
  };
  for (const Case& c :
       {Case{"Gruppe;Titel;anker", "P.Doc.htm", {"Gruppe", "Titel", "anker", "P.Doc.htm"}},
        Case{"", "P.Doc.htm", {"", "P.Doc.htm"}},
        Case{"a;;", "x;y.Doc.htm", {"a", "", "", "x;y.Doc.htm"}}}) {
    const KeywordEntry entry(c.text, c.page, Origin("/s/a.pas", 3));
    EXPECT_EQ(entry.Fields(), c.fields) << c.text;
    for (size_t n = 1; n <= c.fields.size(); ++n) {
      EXPECT_EQ(entry.Field(n), c.fields[n - 1]) << c.text << " " << n;
    }
    EXPECT_EQ(entry.Field(c.fields.size() + 3), c.page);
    EXPECT_EQ(entry.Field(0), c.page);
    EXPECT_EQ(entry.Text(), c.text);
    EXPECT_EQ(entry.Line(), c.text + ";" + c.page);
    EXPECT_EQ(entry.Where(), Origin("/s/a.pas", 3));
  }
}
