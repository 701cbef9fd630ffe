// Every test sees the same clock, locale and time zone, however the test binary is started:
// pages and project files then hold reproducible dates ("26.11.2025 10:00:00").
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

class FixedEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    ::setenv("SOURCE_DATE_EPOCH", "1764151200", 1);
    ::setenv("LC_ALL", "C", 1);
    ::setenv("TZ", "UTC", 1);
    ::tzset();
  }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new FixedEnvironment);

} // namespace
