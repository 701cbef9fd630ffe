#include "base/Process.h"

#include <clocale>

namespace qm {

void UseUserLocale() {
  std::setlocale(LC_ALL, "");
}

void IgnoreFileSizeLimitSignal() {
  // Windows has no file-size limit of a process: a write fails on a full disk only.
}

} // namespace qm
