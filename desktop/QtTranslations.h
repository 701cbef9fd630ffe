// Qt's own texts in German: the buttons and labels of its dialogs and the names of keys in
// shortcuts ("Strg+O").
#pragma once

namespace qm {

/// Loads Qt's German translations (Debian: qt6-translations-l10n) into the running
/// application. Returns false when they are not installed; Qt's texts stay English then.
bool InstallQtTranslations();

} // namespace qm
