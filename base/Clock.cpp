#include "base/Clock.h"

#include "base/System.h"

#include <chrono>
#include <cstdlib>
#include <ctime>

namespace qm {

namespace {

#ifdef _WIN32
// The C run-time of Windows has the thread-safe conversions under other names.
void gmtime_r(const std::time_t* t, std::tm* tm) {
  gmtime_s(tm, t);
}
void localtime_r(const std::time_t* t, std::tm* tm) {
  localtime_s(tm, t);
}
#endif

std::tm NowTm() {
  std::tm tm{};
  if (std::string epoch; sys::Environment("SOURCE_DATE_EPOCH", epoch) && !epoch.empty()) {
    char* end = nullptr;
    const long long secs = std::strtoll(epoch.c_str(), &end, 10);
    if (end != nullptr && *end == '\0') {
      const auto t = static_cast<std::time_t>(secs);
      gmtime_r(&t, &tm);
      return tm;
    }
  }
  const std::time_t t = std::time(nullptr);
  localtime_r(&t, &tm);
  return tm;
}

} // namespace

int CurrentYear() {
  return NowTm().tm_year + 1900;
}

std::string ShortDateText() {
  return sys::RegionalDate(NowTm());
}

std::string LongTimeText() {
  return sys::RegionalTime(NowTm());
}

std::string DateTimeText() {
  return ShortDateText() + " " + LongTimeText();
}

int64_t SteadyNanoseconds() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

} // namespace qm
