// Helpers of the help-project tests: a program folder the generator can start from, the web
// help's shared files in it, and the names a folder holds.
#pragma once

#include "TestUtil.h"

#include "helpproject/HelpProjectRun.h"

#include <algorithm>
#include <string>
#include <vector>

namespace qmtest {

/// Writes a program folder "bin/" with tag and character tables and the two map-head
/// templates, and the eight page templates in "Templates/" beside it. Templates not given
/// are empty. Returns the program folder.
inline std::string MakeProgramFolder(const TempDir& root, const std::string& tags = "",
                                     const std::string& chars = "",
                                     const std::string& pageHeader = "",
                                     const std::string& blockHeader = "") {
  const std::string bin = root / "bin/";
  WriteFile(bin + "HTMLTags.txt", tags);
  WriteFile(bin + "Umlaute.txt", chars);
  WriteFile(bin + "Header.txt", "%TYPE%%FILE%\r\n");
  WriteFile(bin + "Comment.txt", "Stand: %DATETIME%\r\n");
  for (const char* kind : {"Usr", "Dev"}) {
    const std::string t = root / "Templates/";
    WriteFile(t + "HTMLHeader_" + kind + ".htt", pageHeader);
    WriteFile(t + "HTMLBlockHeader_" + kind + ".htt", blockHeader);
    WriteFile(t + "HTMLBlockFooter_" + kind + ".htt", "");
    WriteFile(t + "HTMLFooter_" + kind + ".htt", "</BODY></HTML>\r\n");
  }
  return bin;
}

/// Writes the web help's shared files into program's "webhelp/", each holding its own name.
inline void WriteWebHelpFiles(const std::string& program) {
  for (const char* name : {"webhilfe.js", "webhilfe.css", "lunr.min.js"}) {
    WriteFile(program + "webhelp/" + name, name);
  }
}

/// The names in folder, sorted, so a test can state exactly which files a run wrote.
inline std::vector<std::string> FileNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

} // namespace qmtest
