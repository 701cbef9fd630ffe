// The web help of one documentation kind: a page with the contents tree, the keyword index
// and a full-text search beside a pane that shows the converted pages, for any browser and
// from the file system. Its scripts, style sheet and search data lie in one shared folder.
#pragma once

#include "base/PageWords.h"
#include "engine/CharTables.h"
#include "engine/DocKind.h"
#include "engine/RunResult.h"
#include "helpproject/HelpProjectSettings.h"

#include <string>
#include <string_view>
#include <vector>

namespace qm {

/// folder + title + "." + kind + ".html".
std::string WebHelpFilePath(std::string_view folder, std::string_view title, DocKind kind);
/// folder + title + ".web/": the files that every kind's web help shares.
std::string WebHelpFolderPath(std::string_view folder, std::string_view title);
/// The search data of kind in the shared folder.
std::string WebSearchDataPath(std::string_view folder, std::string_view title, DocKind kind);

/// Appends text (UTF-8) as a script string in double quotes, in ASCII: every other character
/// as \uXXXX (two for one beyond U+FFFF), so that the file reads the same in any charset.
void AppendScriptString(std::string& out, std::string_view text);

/// The page of kind's web help (lines without their CR LF). Contents and index come from the
/// same entries in the same order as the .hhc and .hhk; pages are named relative to folder.
Lines WebHelpPageLines(DocKind kind, const HelpProjectSettings& settings,
                       const KindRecords& records, std::string_view folder, const TagTable& tags,
                       const CharacterTable& table);

/// The search data of the pages (each once, in the order first written), read from disk now:
/// "var qmSuchdaten=[[page,title,text],...];" with one page per line. Throws Error naming the
/// page that cannot be read.
std::string SearchDataScript(const KindRecords& records, std::string_view folder);

/// Writes kind's web help page and its search data, and copies the shared files from
/// programFolder + "webhelp/" into the shared folder, all replaced atomically. folder ends in
/// "/". Throws Error naming the file and the reason.
void WriteWebHelp(DocKind kind, const HelpProjectSettings& settings, const KindRecords& records,
                  const std::string& folder, const std::string& programFolder, const TagTable& tags,
                  const CharacterTable& table);

} // namespace qm
