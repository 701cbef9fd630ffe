// Every test sees the same clock, locale and time zone, however the test binary is started:
// pages and project files then hold reproducible dates ("26.11.2025 10:00:00").
#include "TestUtil.h"

#include <cstdlib>
#include <ctime>

namespace {

class FixedEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    qmtest::SetEnv("SOURCE_DATE_EPOCH", "1764151200");
    qmtest::SetEnv("LC_ALL", "C");
    qmtest::SetEnv("TZ", "UTC");
    ::tzset();
  }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new FixedEnvironment);

} // namespace
