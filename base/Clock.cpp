#include "base/Clock.h"

#include "base/CodePages.h"

#include <chrono>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace qm {

namespace {

std::tm NowTm() {
  std::tm tm{};
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch != nullptr && *epoch != '\0') {
    char* end = nullptr;
    const long long secs = std::strtoll(epoch, &end, 10);
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

// The C/POSIX locale, also in its UTF-8 variants ("C.UTF-8", "C.utf8"), has no date format
// of a region; the program's German defaults stand in for it.
bool PlainLocale() {
  const char* name = std::setlocale(LC_TIME, nullptr);
  return name == nullptr || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0 ||
         std::strncmp(name, "C.", 2) == 0;
}

std::string Strftime(const char* fmt, const std::tm& tm) {
  char buf[128];
  const size_t n = std::strftime(buf, sizeof buf, fmt, &tm);
  // The locale may speak UTF-8; the engine's texts are Windows-1252.
  return Utf8ToAnsi(std::string(buf, n));
}

} // namespace

int CurrentYear() {
  return NowTm().tm_year + 1900;
}

std::string ShortDateText() {
  return Strftime(PlainLocale() ? "%d.%m.%Y" : "%x", NowTm());
}

std::string LongTimeText() {
  return Strftime(PlainLocale() ? "%H:%M:%S" : "%X", NowTm());
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
