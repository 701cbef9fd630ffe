// The fifteen values of a help project, as the Help Workshop dialog shows them and the
// project file keeps them.
#pragma once

#include <string>

namespace qm {

/// The language string the dialog shows before anything is loaded.
inline constexpr const char* kDefaultHelpLanguage = "0x407 Deutsch (Deutschland)";

/// Help-project values; the initial values are those of a freshly opened dialog.
struct HelpProjectSettings {
  std::string Title;                           ///< "Titel"
  std::string Language = kDefaultHelpLanguage; ///< "Sprachstring"
  bool AliasHeaders = true;                    ///< "optAliasHeader"
  bool MapHeaderC = true;                      ///< "optCPPMap"
  bool MapHeaderPascal = false;                ///< "optPascalMap"
  bool MapHeaderJava = false;                  ///< "optJavaMap"
  bool DocHelpEnabled = true;                  ///< "ErzeugeDoc"
  std::string DocDefaultPage;                  ///< "DocStdDatei"
  bool DocToc = true;                          ///< "DocErzeugeToc"
  bool DocIndex = true;                        ///< "DocErzeugeIndex"
  bool TechHelpEnabled = true;                 ///< "ErzeugeTech"
  std::string TechDefaultPage;                 ///< "TechStdDatei"
  bool TechToc = true;                         ///< "TechErzeugeToc"
  bool TechIndex = true;                       ///< "TechErzeugeIndex"
  /// "chkWebHilfe": a web help beside each enabled kind's project.
  bool WebHelp = false;

  bool operator==(const HelpProjectSettings&) const = default;
};

} // namespace qm
