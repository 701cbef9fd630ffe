// Settings of the running program itself: its locale and how it meets the file-size limit.
#pragma once

namespace qm {

/// Takes the locale from the environment (LC_ALL, LC_TIME, LANG...), so that dates and times
/// in pages and project files follow the user's settings.
void UseUserLocale();
/// Makes a write that reaches the file-size limit fail with a reason instead of ending the
/// program without a word.
void IgnoreFileSizeLimitSignal();

} // namespace qm
