#include "base/Process.h"

#include <clocale>
#include <csignal>

namespace qm {

void UseUserLocale() {
  std::setlocale(LC_ALL, "");
}

void IgnoreFileSizeLimitSignal() {
  std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace qm
