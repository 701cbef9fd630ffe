// Text at the edge of the Windows API: the program's UTF-8 paths and texts as the UTF-16 that
// the wide-character functions take, and the system's error codes as errno values.
#pragma once

#include <string>
#include <string_view>

namespace qm::win {

/// UTF-8 as UTF-16. A surrogate encoded on its own (as Narrow writes an unpaired one) comes
/// back as that surrogate, so that every name a listing gives can be opened again; a malformed
/// byte becomes U+FFFD.
std::wstring Widen(std::string_view utf8);
/// UTF-16 as UTF-8; an unpaired surrogate is encoded on its own (three bytes), not replaced.
std::string Narrow(std::wstring_view wide);

/// A path for the wide-character file functions: Widen with "/" read as "\". A path too long
/// for the classic limit is made absolute and given the "\\?\" form that lifts it.
std::wstring WidePath(std::string_view path);

/// The errno value that stands for the Windows error code code.
int ErrnoOf(unsigned long code);
/// Sets errno from GetLastError().
void SetErrnoFromLastError();

} // namespace qm::win
