// The literal texts of the web help: file names, captions and the frame of its page. All of
// them are Windows-1252 bytes; the page declares that charset.
#pragma once

namespace qm {

/// A kind's web help is folder + title + "." + kind + ".html"; the files its pages share lie
/// in folder + title + ".web/".
inline constexpr const char* kWebHelpExt = ".html";
inline constexpr const char* kWebHelpFolderExt = ".web";
/// The search data of a kind in the shared folder: title + "." + kind + ".suche.js".
inline constexpr const char* kWebSearchDataExt = ".suche.js";
/// The shared files, copied from the program folder's "webhelp/" into the shared folder.
inline constexpr const char* kWebHelpDataFolder = "webhelp/";
inline constexpr const char* kWebHelpScript = "webhilfe.js";
inline constexpr const char* kWebHelpStyle = "webhilfe.css";
inline constexpr const char* kWebHelpLunr = "lunr.min.js";

// Captions of the left pane's tabs and the labels of its fields.
inline constexpr const char* kWebTabContents = "Inhalt";
inline constexpr const char* kWebTabIndex = "Index";
inline constexpr const char* kWebTabSearch = "Suche";
inline constexpr const char* kWebIndexFilterLabel = "Stichwort:";
inline constexpr const char* kWebSearchLabel = "Suchen nach:";

// The page. "%s" are filled in the order given in each comment.
inline constexpr const char* kWebDoctype = "<!DOCTYPE html>";
inline constexpr const char* kWebHtmlStart = "<html lang=\"de\">";
inline constexpr const char* kWebHeadStart = "<head>";
inline constexpr const char* kWebCharset = "<meta charset=\"windows-1252\">";
/// title
inline constexpr const char* kWebTitle = "<title>%s</title>";
/// shared folder name, style sheet
inline constexpr const char* kWebStyleLink = "<link rel=\"stylesheet\" href=\"%s/%s\">";
inline constexpr const char* kWebHeadEnd = "</head>";
inline constexpr const char* kWebBodyStart = "<body>";
inline constexpr const char* kWebNavStart = "<nav id=\"navigation\">";
inline constexpr const char* kWebTabsStart = "<div id=\"reiter\" role=\"tablist\">";
/// name, name, caption
inline constexpr const char* kWebTab = "<button type=\"button\" role=\"tab\" id=\"reiter-%s\" "
                                       "aria-controls=\"bereich-%s\">%s</button>";
inline constexpr const char* kWebDivEnd = "</div>";
inline constexpr const char* kWebContentsStart =
    "<div id=\"bereich-inhalt\" role=\"tabpanel\"><ul id=\"inhalt\" role=\"tree\">";
inline constexpr const char* kWebListEnd = "</ul></div>";
/// folder name
inline constexpr const char* kWebTocFolder = "<li role=\"treeitem\" aria-expanded=\"true\"><span "
                                             "tabindex=\"-1\">%s</span><ul role=\"group\">";
inline constexpr const char* kWebTocFolderEnd = "</ul></li>";
/// link, name
inline constexpr const char* kWebTocTopic =
    "<li role=\"treeitem\"><a href=\"%s\" target=\"seite\" tabindex=\"-1\">%s</a></li>";
/// filter label
inline constexpr const char* kWebIndexStart =
    "<div id=\"bereich-index\" role=\"tabpanel\" hidden><label>%s <input id=\"filter\" "
    "type=\"search\" autocomplete=\"off\"></label><ul id=\"index\">";
/// link, keyword, title
inline constexpr const char* kWebIndexItem =
    "<li><a href=\"%s\" target=\"seite\">%s</a> <span class=\"titel\">%s</span>";
/// link, number of the topic
inline constexpr const char* kWebIndexMore = " <a href=\"%s\" target=\"seite\">[%u]</a>";
inline constexpr const char* kWebIndexItemEnd = "</li>";
/// search label
inline constexpr const char* kWebSearchStart =
    "<div id=\"bereich-suche\" role=\"tabpanel\" hidden><label>%s <input id=\"suche\" "
    "type=\"search\" autocomplete=\"off\"></label><ol id=\"ergebnisse\"></ol></div>";
inline constexpr const char* kWebNavEnd = "</nav>";
/// default page
inline constexpr const char* kWebPagePane =
    "<main><iframe id=\"seite\" name=\"seite\" title=\"Seite\" src=\"%s\"></iframe></main>";
/// The context ids as a script value: one "id":"page" per entry, comma-separated.
inline constexpr const char* kWebContextStart = "<script>var qmKontext={";
inline constexpr const char* kWebContextEnd = "};</script>";
/// shared folder name, file
inline constexpr const char* kWebScript = "<script src=\"%s/%s\"></script>";
inline constexpr const char* kWebBodyEnd = "</body>";
inline constexpr const char* kWebHtmlEnd = "</html>";

/// The search data file: one [page, title, text] per page, as ASCII with \u escapes.
inline constexpr const char* kWebSearchDataStart = "var qmSuchdaten=[";
inline constexpr const char* kWebSearchDataEnd = "];";

} // namespace qm
