// A page's text as a search reads it.
#include "base/PageWords.h"

#include <gtest/gtest.h>

using namespace qm;

TEST(PageWords, LeaveOutMarkupAndKeepText) {
  struct Case {
    const char* html;
    const char* title;
    const char* text;
    PageBytes bytes = PageBytes::Utf8;
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
      // A Windows-1252 page gives the same words as its UTF-8 form.
      {"<title>Ma\xDF &amp; Gr\xF6\xDF</title><p>\x80\xA0&nbsp;m\xFC</p>",
       "Ma\xC3\x9F & Gr\xC3\xB6\xC3\x9F", "\xE2\x82\xAC m\xC3\xBC", PageBytes::Windows1252},
  };
  for (const Case& c : cases) {
    const PageWords words = PageWordsOf(c.html, c.bytes);
    EXPECT_EQ(words.Title, c.title) << c.html;
    EXPECT_EQ(words.Text, c.text) << c.html;
  }
}
