// The texts of the command-line front end.
//
// Texts marked "terminal" are the front end's own and are UTF-8: they go to the terminal only.
// Texts marked "Windows-1252" are formatted with engine strings (paths) first and converted to
// UTF-8 when printed, so they must use Windows-1252 escapes for any non-ASCII character.
#pragma once

#include <cstddef>

namespace qm::cli {

inline constexpr const char* kProgramName = "quillmark-cli";

/// Command names.
inline constexpr const char* kCommandConvert = "convert";
inline constexpr const char* kCommandSave = "save";
inline constexpr const char* kCommandHelp = "help";
/// Between the names of the source kinds, where a text lists them.
inline constexpr const char* kKindNameSeparator = ", ";

/// Progress texts (Windows-1252; the file name is an engine path).
inline constexpr const char* kProgressCounter = "Datei %d von %d";
inline constexpr const char* kProgressFile = "Bearbeite Datei %s";
inline constexpr const char* kProgressLines = "%d Zeilen erledigt";
/// Separates the three progress texts on the one rewritten terminal line.
inline constexpr const char* kProgressSeparator = "  ";

/// Answers at the terminal (terminal). An answer whose first character is one of kYesLetters
/// means yes; anything else, an empty line or end of input included, means no.
inline constexpr const char* kPromptSuffix = " [j/N] ";
inline constexpr const char* kYesLetters = "jJyY";

/// Questions and notes of the conversion (Windows-1252, "%s" is a path).
inline constexpr const char* kQuestionReplace = "%s besteht bereits.\r\nM\xF6"
                                                "chten Sie sie ersetzen?";
inline constexpr const char* kMsgKeptExisting = "%s besteht bereits und bleibt erhalten.";

/// Notes of the conversion (terminal).
inline constexpr const char* kHintAnswerYes = "(--yes beantwortet diese Frage mit Ja.)";
inline constexpr const char* kMsgCancelled = "Konvertierung abgebrochen.";
/// --compile with a source target outside the output folder: source, line, target.
inline constexpr const char* kMsgTargetOutside =
    "Datei %s: Zeile %d: Das Ziel \"%s\" liegt au\xDF"
    "erhalb des Ausgabeordners; es wird nichts kompiliert";
/// The last line of a conversion (terminal) is the summary of project/RunSummary.h; with
/// --prune the stale pages removed (or to be removed with --dry-run) stand before its
/// warnings, and with --strict, when there are warnings, it ends saying that they fail the
/// command.
inline constexpr const char* kSummaryRemoved = ", %d veraltete Seite(n) gelöscht";
inline constexpr const char* kSummaryToRemove = ", %d veraltete Seite(n) zu löschen (--dry-run)";
inline constexpr const char* kSummaryWarningsFail = ", die hier als Fehler gelten (--strict)";
/// In place of the last line with --quiet, when warnings fail the command: the warnings.
inline constexpr const char* kMsgWarningsFailQuiet =
    "%d Warnung(en), die hier als Fehler gelten (--strict)";

/// save into an existing file that holds no project section (terminal; "%s" is the path).
inline constexpr const char* kErrNotAProject =
    "Die Datei %s enthält keine Projekteinstellungen; sie bleibt unverändert "
    "(--force schreibt trotzdem hinein).";

/// Usage errors (terminal; "%s" is an argument as typed).
inline constexpr const char* kErrNoCommand = "Befehl fehlt";
inline constexpr const char* kErrUnknownCommand = "unbekannter Befehl: %s";
inline constexpr const char* kErrUnknownOption = "unbekannte Option: %s";
inline constexpr const char* kErrNeedsValue = "Option %s braucht einen Wert";
inline constexpr const char* kErrTakesNoValue = "Option %s nimmt keinen Wert";
inline constexpr const char* kErrOnlyForConvert = "Option %s gibt es nur bei convert";
inline constexpr const char* kErrOnlyForSave = "Option %s gibt es nur bei save";
inline constexpr const char* kErrUnknownKind = "unbekannte Quellart: \"%s\" (erlaubt: %s)";
inline constexpr const char* kErrUnknownEncoding =
    "unbekannte Kodierung der Quellen: \"%s\" (erlaubt: %s)";
inline constexpr const char* kErrEmptyPattern = "leeres Muster in --exclude";
inline constexpr const char* kErrEmptyKind = "leere Quellart in --kinds \"%s\"";
inline constexpr const char* kErrMissingInput = "--input fehlt (oder eine Projektdatei)";
inline constexpr const char* kErrMissingKinds = "--kinds fehlt";
inline constexpr const char* kErrSettingsWithProject =
    "Einstellungen wie %s gehen nur ohne Projektdatei; mit Projektdatei gelten deren Werte";
inline constexpr const char* kErrMissingProject = "Projektdatei fehlt";
inline constexpr const char* kErrTooManyArguments = "zu viele Argumente: %s";
inline constexpr const char* kErrCompileNeedsHelpProject = "--compile geht nur mit --help-project";
inline constexpr const char* kErrDryRunNeedsPrune = "--dry-run geht nur mit --prune";

/// --prune without an output folder of its own (Windows-1252).
inline constexpr const char* kErrPruneNeedsOutputFolder =
    "--prune l\xF6scht nur in einem eigenen Ausgabeordner; ohne Ausgabeordner (oder mit dem "
    "Eingabeordner als Ausgabeordner) stehen die Seiten bei ihren Quellen. Es wurde nichts "
    "konvertiert.";
/// One stale page removed, or with --dry-run one to be removed (Windows-1252; the page).
inline constexpr const char* kMsgPageRemoved = "gel\xF6scht: %s";
inline constexpr const char* kMsgPageToRemove = "zu l\xF6schen: %s";

/// Printed after a usage error (terminal).
inline constexpr const char* kUsageShort =
    "Aufruf: quillmark-cli convert [Optionen] --input ORDNER --kinds ARTEN [Einstellungen]\n"
    "       quillmark-cli convert [Optionen] [--strict] [--prune [--dry-run]]\n"
    "               [--help-project [--compile]] PROJEKT.qmpr\n"
    "       quillmark-cli save [Optionen] [--from ALT.qmpr] [Einstellungen] PROJEKT.qmpr\n"
    "       quillmark-cli --help | --version\n"
    "Mehr mit \"quillmark-cli --help\".\n";

/// The help text (terminal), in pieces so that "convert --help" and "save --help" show their
/// part with the common options.
inline constexpr const char* kHelpIntro =
    "quillmark-cli - erzeugt HTML-Seiten aus der Dokumentation in Quelltext-Kommentaren\n"
    "und schreibt die Eingabedateien eines HTML-Help-Workshop-Projekts.\n"
    "\n";

inline constexpr const char* kHelpConvert =
    "quillmark-cli convert [--program-dir ORDNER] [--yes] [--quiet] [--strict]\n"
    "        [--prune [--dry-run]] [--help-project [--compile]] --input ORDNER\n"
    "        [--output ORDNER]\n"
    "        --kinds ART[,ART...] [Einstellungen]\n"
    "    Konvertiert die Quellen unter --input mit den Vorlagen aus dem Ordner\n"
    "    ../Templates/ neben dem Programmordner. Ohne weitere Angaben: Unterordner\n"
    "    einbeziehen und automatischer Zeilenumbruch an, alles andere aus.\n"
    "    Ohne --output landen die Seiten neben ihren Quellen.\n"
    "\n"
    "quillmark-cli convert [--program-dir ORDNER] [--yes] [--quiet] [--[no-]strict]\n"
    "        [--prune [--dry-run]] [--help-project [--[no-]web-help] [--compile]]\n"
    "        PROJEKT.qmpr\n"
    "    Konvertiert mit allen Einstellungen und den acht Vorlagen der Projektdatei.\n"
    "    --help-project schreibt danach die Help-Workshop-Dateien (.hhp, .hhc, .hhk,\n"
    "    Map- und Alias-Header) in den Ausgabeordner.\n"
    "    --web-help schreibt dazu je Art TITEL.Doc.html bzw. TITEL.Tech.html mit\n"
    "    Inhalt, Index und Volltextsuche für jeden Browser, die geteilten Dateien in\n"
    "    TITEL.web/; ohne --web-help oder --no-web-help gilt der Schlüssel WebHilfe.\n"
    "    --compile übersetzt danach jede geschriebene .hhp-Datei mit chmcmd (Paket\n"
    "    fp-utils) im Ausgabeordner zur Hilfedatei (.chm). Fehler und Warnungen von\n"
    "    chmcmd stehen je in einer Zeile mit dem Namen der Projektdatei auf stderr;\n"
    "    meldet chmcmd einen Fehler oder fehlt es, endet der Befehl mit Status 1.\n"
    "\n"
    "    Fehlt der Ausgabeordner, legt --yes ihn an; ohne --yes wird am Terminal\n"
    "    gefragt (nur mit Projektdatei), sonst endet der Befehl mit Status 1.\n"
    "    Zusätzliche Dateien, die im Ausgabeordner schon bestehen, ersetzt nur --yes\n"
    "    (oder ein Ja am Terminal); sonst bleiben sie, und eine Zeile sagt es.\n"
    "    Strg+C hält nach der laufenden Datei an; die fertigen Seiten bleiben.\n"
    "    Warnungen stehen als \"Datei:Zeile: Warnung: ...\" auf stderr, am Ende eine\n"
    "    Zeile mit Quellen, Seiten und Warnungen (nicht mit --quiet).\n"
    "    --strict: Warnungen gelten als Fehler; nach einem vollständigen Lauf mit\n"
    "    Warnungen endet der Befehl mit Status 1 (geschrieben wird dasselbe).\n"
    "    Ohne --strict oder --no-strict gilt der Schlüssel WarnungenAlsFehler der\n"
    "    Projektdatei.\n"
    "    --prune löscht nach einem vollständigen Lauf die Dateien *.Doc.htm und\n"
    "    *.Tech.htm im Ausgabeordner (und in seinen Ordnern mit eigenen Seiten des\n"
    "    Laufs), die der Lauf nicht geschrieben hat und die keine seiner Quellen\n"
    "    ergibt, und nennt jede auf stdout; mit --dry-run nennt es sie nur. Nur mit\n"
    "    eigenem Ausgabeordner; Verknüpfungen und Help-Workshop-Dateien bleiben.\n"
    "\n";

inline constexpr const char* kHelpSave =
    "quillmark-cli save [--program-dir ORDNER] [--from ALT.qmpr] [--force] [Einstellungen]\n"
    "        PROJEKT.qmpr\n"
    "    Speichert eine Projektdatei: die Werte aus --from, sonst die eines frisch\n"
    "    gestarteten Programms mit den Vorlagen aus ../Templates/; die Einstellungen\n"
    "    ersetzen diese Werte. Eine bestehende PROJEKT.qmpr wird fortgeschrieben;\n"
    "    enthält sie keine Projekteinstellungen, nur mit --force.\n"
    "\n";

/// The settings' part of the help text: the line of --kinds lists the kinds' names after
/// kHelpKinds, wrapped at kHelpWidth columns onto lines indented by kHelpKindsIndent blanks.
inline constexpr const char* kHelpSettingsStart = "Einstellungen:\n"
                                                  "  --input ORDNER              Eingabeordner\n"
                                                  "  --output ORDNER             Ausgabeordner\n";
inline constexpr const char* kHelpKinds = "  --kinds ART[,ART...]        Quellarten: ";
inline constexpr size_t kHelpKindsIndent = 30;
inline constexpr size_t kHelpWidth = 80;
inline constexpr const char* kHelpSettingsEnd =
    "  --extra-files ORDNER        zusätzliche Dateien, in den Ausgabeordner kopiert\n"
    "  --subfolders | --no-subfolders                 Unterordner einbeziehen\n"
    "  --exclude MUSTER            (mehrfach) Ordner und Dateien, die die Suche\n"
    "                              auslässt: Pfad unter --input mit / (oder \\),\n"
    "                              * in einem Namen, ? ein Zeichen, ** beliebig\n"
    "                              viele Ordner; z. B. Alt/** **/Backup/* **/*.bak.pas\n"
    "  --no-exclude                keine Muster (ersetzt die von --from)\n"
    "  --line-break | --no-line-break                 automatischer Zeilenumbruch\n"
    "  --oem | --no-oem                               OEM nach Ansi\n"
    "  --one-file-per-block | --no-one-file-per-block jeder Kommentar in eigene Datei\n"
    "  --source-encoding auto|ansi|utf-8              Kodierung der Quellen (vorgegeben: auto)\n"
    "  --strict | --no-strict (save)                  Warnungen gelten als Fehler\n"
    "Help-Workshop-Projekt:\n"
    "  --help-title TITEL          Titel der Ausgabedatei\n"
    "  --help-language TEXT        Sprach-String\n"
    "  --doc-default-page DATEI    Standarddatei der Online-Hilfe\n"
    "  --tech-default-page DATEI   Standarddatei der technischen Dokumentation\n"
    "  --[no-]doc-help  --[no-]doc-toc  --[no-]doc-index\n"
    "  --[no-]tech-help --[no-]tech-toc --[no-]tech-index\n"
    "  --[no-]alias-headers  --[no-]map-c  --[no-]map-pascal  --[no-]map-java\n"
    "  --[no-]web-help             Web-Hilfe neben dem Projekt (Inhalt, Index, Suche)\n"
    "\n";

inline constexpr const char* kHelpCommon =
    "Allgemeine Optionen:\n"
    "  --program-dir ORDNER  Programmordner mit HTMLTags.txt, Umlaute.txt, Header.txt\n"
    "                        und Comment.txt; die Vorlagen liegen in ../Templates/\n"
    "                        (vorgegeben: der Ordner des Programms)\n"
    "  -y, --yes             Fragen mit Ja beantworten\n"
    "  -q, --quiet           keine Fortschrittsanzeige, keine Erfolgsmeldung und keine\n"
    "                        Schlusszeile (Warnungen und Fehler erscheinen trotzdem)\n"
    "  -h, --help            diese Hilfe;  --version  die Version\n"
    "\n"
    "Exit-Status:\n"
    "  0    Erfolg; Warnungen allein ändern ihn nicht (außer mit --strict)\n"
    "  1    Fehler, die Meldung steht auf stderr (auch wenn der Lauf weiterging,\n"
    "       etwa nach einer nicht kopierten Datei); mit --strict auch Warnungen\n"
    "  2    Aufruffehler\n"
    "  130  mit Strg+C abgebrochen\n"
    "\n"
    "Beispiel:\n"
    "  quillmark-cli save --input src --output doc --kinds pascal,c \\\n"
    "      --help-title Handbuch projekt.qmpr\n"
    "  quillmark-cli convert --yes --help-project projekt.qmpr\n";

} // namespace qm::cli
