#include "base/Clock.h"

#include "TestUtil.h"

#include <clocale>
#include <cstdlib>

TEST(Clock, SourceDateEpochFixesNow) {
  // With SOURCE_DATE_EPOCH set, dates are reproducible (German defaults in the C locale).
  qmtest::SetEnv("SOURCE_DATE_EPOCH", "1764151200");
  EXPECT_EQ(qm::ShortDateText(), "26.11.2025");
  EXPECT_EQ(qm::LongTimeText(), "10:00:00");
  EXPECT_EQ(qm::DateTimeText(), "26.11.2025 10:00:00");
  EXPECT_EQ(qm::CurrentYear(), 2025);
}

TEST(Clock, UtfVariantOfTheCLocaleUsesTheGermanDefaults) {
  // "C.UTF-8" is the plain C locale with another character set: no regional format applies.
  qmtest::SetEnv("SOURCE_DATE_EPOCH", "1764151200");
  if (std::setlocale(LC_TIME, "C.UTF-8") == nullptr) {
    GTEST_SKIP() << "no C.UTF-8 locale";
  }
  EXPECT_EQ(qm::DateTimeText(), "26.11.2025 10:00:00");
  std::setlocale(LC_TIME, "C");
}
