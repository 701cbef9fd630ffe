#include "cli/HelpText.h"

#include "cli/CliTexts.h"

namespace qm::cli {

namespace {

// The line of --kinds: the names separated by ", ", wrapped before a name that would pass
// the width, each further line indented under the first name.
std::string KindsLines(std::span<const SourceKindInfo> kinds) {
  std::string text = kHelpKinds;
  size_t lineStart = 0;
  for (size_t i = 0; i < kinds.size(); ++i) {
    std::string name(kinds[i].flagName);
    if (i + 1 < kinds.size()) {
      name += ',';
    }
    if (i > 0) {
      if (text.size() - lineStart + 1 + name.size() > kHelpWidth) {
        text += '\n';
        lineStart = text.size();
        text.append(kHelpKindsIndent, ' ');
      } else {
        text += ' ';
      }
    }
    text += name;
  }
  return text + '\n';
}

} // namespace

std::string HelpText(Command topic, std::span<const SourceKindInfo> kinds) {
  std::string text = kHelpIntro;
  if (topic != Command::Save) {
    text += kHelpConvert;
  }
  if (topic != Command::Convert) {
    text += kHelpSave;
  }
  text += kHelpSettingsStart;
  text += KindsLines(kinds);
  text += kHelpSettingsEnd;
  text += kHelpCommon;
  return text;
}

} // namespace qm::cli
