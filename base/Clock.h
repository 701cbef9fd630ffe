// "Now" as the pages, project files and map headers show it. SOURCE_DATE_EPOCH (seconds
// since 1970, shown as UTC) replaces the clock when set, so that builds and tests can
// reproduce every byte.
#pragma once

#include <cstdint>
#include <string>

namespace qm {

/// The current year, e.g. 2026.
int CurrentYear();
/// The user's short date: strftime's %x of LC_TIME, on Windows the regional setting;
/// "%d.%m.%Y" in the C/POSIX locale (on Windows: when LC_ALL, LC_TIME or LANG names it).
std::string ShortDateText();
/// The user's long time (%X, on Windows the regional setting); "%H:%M:%S" in the C/POSIX locale.
std::string LongTimeText();
/// Short date, one blank, long time.
std::string DateTimeText();

/// Nanoseconds of a clock that only moves forward, for measuring how long a step took (not
/// affected by SOURCE_DATE_EPOCH).
int64_t SteadyNanoseconds();

} // namespace qm
