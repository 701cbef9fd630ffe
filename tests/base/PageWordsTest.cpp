// A page's text as a search reads it.
#include "base/PageWords.h"

#include <gtest/gtest.h>

using namespace qm;

TEST(PageWords, LeaveOutMarkupAndKeepText) {
  struct Case {
    const char* html;
    const char* title;
    const char* text;
  };
  const Case cases[] = {
      {"a<br>b", "", "a b"},
      {"<TiTlE>T</tItLe>x", "T", "x"},
      {"x<Script type=\"a\">if (a<b) y();</SCRIPT>z", "", "x z"},
      {"x<!-- <b>y</b> -->z", "", "x z"},
      {"&lt;b&gt; &#252; &#x20AC; &unknown;", "", "<b> \xC3\xBC \xE2\x82\xAC &unknown;"},
      {"  a \r\n\t b\xC2\xA0\xC2\xA0"
       "c  ",
       "", "a b c"},
      {"x<style", "", "x"},
      {"x<b unclosed", "", "x"},
      {"<title>never closed", "never closed", ""},
  };
  for (const Case& c : cases) {
    const PageWords words = PageWordsOf(c.html);
    EXPECT_EQ(words.Title, c.title) << c.html;
    EXPECT_EQ(words.Text, c.text) << c.html;
  }
}
