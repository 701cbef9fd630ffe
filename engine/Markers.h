// The literal texts the generator looks for in sources, templates and pages, and the texts of
// its own messages.
#pragma once

#include <string_view>

namespace qm {

/// Block markers in source lines (matched anywhere in a line, case-sensitive).
inline constexpr std::string_view kDocStartMarker = "###DocGen_Start";
inline constexpr std::string_view kDocEndMarker = "###DocGen_End";
inline constexpr std::string_view kTechStartMarker = "###TechGen_Start";
inline constexpr std::string_view kTechEndMarker = "###TechGen_End";
/// Every marker and keyword line starts with this; a line without it needs no closer look.
inline constexpr std::string_view kMarkerPrefix = "###";
/// At the start of the line after a start marker: the block goes to the page named behind it.
inline constexpr std::string_view kOutputMarker = "###Output";
/// The page name starts this many characters into the "###Output" line (marker and one
/// separating character).
inline constexpr size_t kOutputNameOffset = kOutputMarker.size() + 1;

/// Page extensions, and their lower-case forms used to tell a page's kind from its name.
inline constexpr std::string_view kDocPageExt = ".Doc.htm";
inline constexpr std::string_view kTechPageExt = ".Tech.htm";
inline constexpr std::string_view kDocPageExtLower = ".doc.htm";
inline constexpr std::string_view kTechPageExtLower = ".tech.htm";
/// Masks of the pages whose titles a run carries over.
inline constexpr std::string_view kDocPageMask = "*.Doc.htm";
inline constexpr std::string_view kTechPageMask = "*.Tech.htm";
/// Mask of the sub-folders that are searched for sources (names without a dot).
inline constexpr std::string_view kFolderMask = "*.";

/// Keywords of contents and index lines: "###" + keyword + " " + text.
inline constexpr std::string_view kTocKeyword = "Toc";
inline constexpr std::string_view kIndexKeyword = "Index";
/// Lines directly after a keyword line that go with it.
inline constexpr std::string_view kBreakTag = "<BR>";
inline constexpr int kMaxLinesAfterKeyword = 3;

/// The title tag of a page header, in upper case (matched without regard to case).
inline constexpr std::string_view kTitleOpen = "<TITLE>";
inline constexpr std::string_view kTitleClose = "</TITLE>";
/// Separates the fields of contents, index and context-id entries.
inline constexpr std::string_view kEntrySep = ";";

/// Template placeholders, matched without regard to case, replaced in this order.
inline constexpr std::string_view kPhDate = "%DATE%";
inline constexpr std::string_view kPhTime = "%TIME%";
inline constexpr std::string_view kPhInputFile = "%INPUTFILE%";
inline constexpr std::string_view kPhInputPath = "%INPUTPATH%";
inline constexpr std::string_view kPhInputExt = "%INPUTEXTENSION%";
inline constexpr std::string_view kPhOutputFile = "%OUTPUTFILE%";
inline constexpr std::string_view kPhOutputPath = "%OUTPUTPATH%";
inline constexpr std::string_view kPhOutputExt = "%OUTPUTEXTENSION%";
inline constexpr std::string_view kPhTitle = "%TITLE%";
inline constexpr std::string_view kPhLink = "%LINK%";
/// The title, or for a page without one (a source's own page header) the source's file name
/// with its extension, so that a page's title is never empty.
inline constexpr std::string_view kPhPageTitle = "%PAGETITLE%";
/// Every placeholder starts with this; a line without it is left alone.
inline constexpr char kPlaceholderChar = '%';

/// A start marker whose end marker never comes: source file, line (from 1), start and end
/// marker.
inline constexpr const char* kMsgUnterminatedBlock = "Datei %s: Zeile %d: \"%s\" ohne \"%s\"";
/// An own page name that would leave the page folder: source file, name.
inline constexpr const char* kMsgBadPageName =
    "Datei %s: Der Seitenname \"%s\" zeigt aus dem Seitenordner heraus";

/// A template line that filling with a block's title would make too long: source file, line
/// of the block (from 1), the factor of the title it may reach.
inline constexpr const char* kMsgFilledLineTooLong =
    "Datei %s: Zeile %d: Mit dem Titel gef\xFCllt w\xFCrde eine Zeile der Vorlage zu lang "
    "(mehr als das %d-fache des Titels und 64 KiB)";
/// The same for a part of a page that belongs to no block: the page, the factor.
inline constexpr const char* kMsgFilledPagePartTooLong =
    "Seite %s: Gef\xFCllt w\xFCrde eine Zeile der Vorlage zu lang "
    "(mehr als das %d-fache des Titels und 64 KiB)";

/// Warnings of the block scan (Windows-1252; "%s" and "%d" in the order the comments give).
/// An own page name that the file system cannot hold (on Windows ":", "?", a device name such
/// as CON...): the name, the page's name as written.
inline constexpr const char* kWarnPageNameNotStorable =
    "Der Seitenname \"%s\" ist kein g\xFCltiger Dateiname; die Seite hei\xDFt %s";
/// "###Output" behind comment syntax: the block stays on its source's page.
inline constexpr const char* kWarnOutputNotAtLineStart =
    "\"###Output\" muss am Anfang der Zeile stehen (im Blockkommentar, ohne Kommentarzeichen "
    "davor); der Block bleibt auf der Seite der Quelle";
/// A block whose start marker has no title behind it.
inline constexpr const char* kWarnNoTitle = "Block ohne Titel";
/// A start marker inside an open block of its kind: marker, line where that block starts.
inline constexpr const char* kWarnNestedStart = "\"%s\" in einem offenen Block (ab Zeile %d)";
/// A contents or index line with too few fields: marker, fields needed.
inline constexpr const char* kWarnFewFields =
    "\"%s\" braucht mindestens %d Felder (durch \";\" getrennt)";
/// A context id that is no decimal number: the id.
inline constexpr const char* kWarnIdNotNumber = "Die Kontext-ID \"%s\" ist keine Dezimalzahl";
/// The same context id twice in one kind: id, file and line of its first block.
inline constexpr const char* kWarnDuplicateId =
    "Die Kontext-ID %s ist schon vergeben (%s, Zeile %d)";
/// A second context id on one page: page, the page's first id.
inline constexpr const char* kWarnSecondIdOnPage =
    "Die Seite %s hat schon die Kontext-ID %s; eine Hilfedatei kennt nur eine je Seite";
/// A title with "=" on a block with a context id: the title.
inline constexpr const char* kWarnTitleWithEquals =
    "Der Titel \"%s\" enth\xE4lt \"=\"; mit Kontext-ID zerbricht das die Alias-Zeile";
/// A title holding a placeholder: it is filled in again wherever the title is.
inline constexpr const char* kWarnTitleWithPlaceholder =
    "Der Titel enth\xE4lt einen Platzhalter (\"%%...%%\"); er wird \xFC"
    "berall, wo der Titel steht, mit ausgef\xFCllt";
/// A link or contents entry of a block leading out of the output folder: the target.
inline constexpr const char* kWarnTargetOutside = "Das Ziel \"%s\" liegt au\xDF"
                                                  "erhalb des Ausgabeordners";
/// A documentation start marker at the start of an HTML comment: what a page written by hand
/// holds, never one that the run wrote.
inline constexpr std::string_view kHandWrittenDocStart = "<!-- ###DocGen_Start";
inline constexpr std::string_view kHandWrittenTechStart = "<!-- ###TechGen_Start";
/// Such a file at the place of a page that the run replaces: the source whose page it is.
inline constexpr const char* kWarnHandWrittenPage =
    "Die Datei enth\xE4lt einen Startmarker in einem HTML-Kommentar und ist wohl von Hand "
    "geschrieben; sie wird als Seite von %s ersetzt";
/// Characters that a page name cannot hold in the help project's files: ";" splits a contents
/// or index entry, "#" starts an anchor, '"' ends an attribute, "=" and "[" "]" break the
/// project file's lines.
inline constexpr std::string_view kUnfitNameChars = ";#\"=[]";
/// A page name with one of them or not valid UTF-8: the page's name.
inline constexpr const char* kWarnUnfitPageName =
    "Der Seitenname %s enth\xE4lt eines der Zeichen ; # \" = [ ] oder ist kein g\xFCltiges UTF-8; "
    "die Hilfedateien k\xF6nnen ihn nicht nennen";
/// An own page named "" or beginning with ".": the page's name.
inline constexpr const char* kWarnHiddenPageName =
    "Der Seitenname %s beginnt mit \".\"; die Seite ist versteckt";
/// A title's "/" or "\\" replaced in the name of its own page: the name.
inline constexpr const char* kWarnSlashInTitle =
    "\"/\" und \"\\\" im Titel werden im Seitennamen zu \"_\": %s";
/// The largest context id a help file's map holds.
inline constexpr std::string_view kMaxContextId = "4294967295";
/// A context id that a help file's map cannot hold: the id.
inline constexpr const char* kWarnIdUnfit =
    "Die Kontext-ID \"%s\" passt nicht in eine Hilfedatei (0 bis 4294967295, ohne \";\")";
/// A page of an earlier source replaced by this source: page, earlier source.
inline constexpr const char* kWarnPageReplaced =
    "Die Seite %s wird ersetzt; die Dokumentation aus %s geht verloren";
/// A page of an earlier source that this source, having no block for it, leaves as it is:
/// page, earlier source.
inline constexpr const char* kWarnPageKept =
    "Die Seite %s bleibt mit der Dokumentation aus %s; diese Quelle hat keinen Block f\xFCr "
    "sie";
/// A folder of the input tree that cannot be listed: the system's reason.
inline constexpr const char* kWarnFolderUnreadable =
    "Der Ordner kann nicht gelesen werden (%s) und wird \xFC"
    "bersprungen";
/// A folder reached a second time through a link: the path it was searched at.
inline constexpr const char* kWarnFolderSeenBefore =
    "Der Ordner wurde schon als %s durchsucht und wird nicht noch einmal durchsucht";
/// A name that matches a mask but is no regular file: what it is (one of the kEntry texts).
inline constexpr const char* kWarnNotAFile = "Keine gew\xF6hnliche Datei (%s); sie wird \xFC"
                                             "bersprungen";
inline constexpr const char* kEntryFifo = "Named Pipe";
inline constexpr const char* kEntrySocket = "Socket";
inline constexpr const char* kEntryDevice = "Ger\xE4t";
inline constexpr const char* kEntryBrokenLink = "Verkn\xFCpfung ohne erreichbares Ziel";
/// A source whose name holds a control character (CR, LF, TAB, ...): the help project's files
/// name pages line by line and could not name its pages.
inline constexpr const char* kWarnControlInName =
    "Der Dateiname enth\xE4lt ein Steuerzeichen und kann in den Dateien des Help-Projekts nicht "
    "stehen; die Datei wird \xFC"
    "bersprungen";
/// A source whose path is too long for the system: its length and the limit, in bytes.
inline constexpr const char* kWarnPathTooLong =
    "Der Pfad ist zu lang (%d Bytes, das System erlaubt %d); die Datei wird \xFC"
    "bersprungen";
/// A source said to be UTF-8 (by the project or its byte-order mark) with a byte sequence that
/// is not UTF-8, at the warning's line: the whole file is read as Windows-1252.
inline constexpr const char* kWarnNotUtf8 =
    "Kein UTF-8 ab dieser Zeile; die Datei wird als Windows-1252 gelesen";
/// Sources read as UTF-8 and as UTF-16 (the file is the input folder).
inline constexpr const char* kWarnDecodedSources = "%d Quellen als UTF-8 und %d als UTF-16 gelesen";
/// The search found no source (the file is the input folder).
inline constexpr const char* kWarnNoSources = "Keine Quelldateien gefunden";
/// The fields a contents or index line needs at least.
inline constexpr int kMinKeywordFields = 2;

} // namespace qm
