// The texts of the help viewer window and of quillmark-help. They are UTF-8 (the window's
// own texts; file names reach them as Unicode). "%1", "%2", "%3" are filled with QString::arg.
#pragma once

namespace qm::helpviewer {

inline constexpr const char* kCaption = "Quillmark-Hilfe";
/// The caption while a file is open; %1 is the file's title, or its name when it has none.
inline constexpr const char* kCaptionWithFile = "%1 - Quillmark-Hilfe";

inline constexpr const char* kTabContents = "&Inhalt";
inline constexpr const char* kTabIndex = "I&ndex";
inline constexpr const char* kSearchLabel = "&Suchbegriff:";
inline constexpr const char* kSearchPlaceholder = "Anfang eines Stichworts eingeben";
inline constexpr const char* kShowButton = "&Anzeigen";
inline constexpr const char* kTabSearch = "Su&che";
inline constexpr const char* kFullTextLabel = "Zu suchende &Wörter:";
inline constexpr const char* kFullTextPlaceholder = "Wörter eingeben, Enter sucht";
inline constexpr const char* kSearchButton = "S&uchen";
/// The one line of the result list when no page holds every word searched for.
inline constexpr const char* kMsgNoHits = "Keine Seite enthält alle Wörter.";
/// The search waits for the index of the file's pages.
inline constexpr const char* kMsgPreparing = "Suche wird vorbereitet …";
inline constexpr const char* kToolBar = "Navigation";
inline constexpr const char* kActionBack = "&Zurück";
inline constexpr const char* kActionForward = "&Vorwärts";
inline constexpr const char* kActionHome = "&Startseite";
/// An index item whose keyword occurs more than once shows its topic too: keyword, topic.
inline constexpr const char* kIndexWithTopic = "%1 \u2013 %2";

/// Heading above every message shown in place of a page.
inline constexpr const char* kMessageHeading = "Die Hilfe kann nicht angezeigt werden";
inline constexpr const char* kMsgNoFile = "Es ist keine Hilfedatei geöffnet.";
inline constexpr const char* kMsgFileMissing = "Die Hilfedatei %1 wurde nicht gefunden.";
inline constexpr const char* kMsgFileMissingSearched =
    "Die Hilfedatei %1 wurde weder im Programmordner %2 noch im aktuellen Ordner %3 gefunden.";
inline constexpr const char* kMsgNotAFile =
    "Die Hilfedatei %1 kann nicht geöffnet werden: das ist ein Ordner, keine Datei.";
/// An entry that is neither file nor folder: the file and what it is (kEntry...).
inline constexpr const char* kMsgNotRegular =
    "Die Hilfedatei %1 kann nicht geöffnet werden: das ist keine gewöhnliche Datei, sondern %2.";
inline constexpr const char* kEntryFifo = "eine Named Pipe";
inline constexpr const char* kEntrySocket = "ein Socket";
inline constexpr const char* kEntryDevice = "ein Gerät";
inline constexpr const char* kMsgAccessDenied =
    "Die Hilfedatei %1 kann nicht gelesen werden: Zugriff verweigert.";
inline constexpr const char* kMsgDamaged =
    "Die Datei %1 ist keine lesbare kompilierte Hilfedatei: sie ist beschädigt, unvollständig "
    "oder hat ein anderes Format.";
inline constexpr const char* kMsgPageMissing =
    "Die Seite %1 ist in der Hilfedatei %2 nicht enthalten.";
inline constexpr const char* kMsgPageDamaged =
    "Die Seite %1 der Hilfedatei %2 ist beschädigt und kann nicht angezeigt werden.";
inline constexpr const char* kMsgContextNotMapped =
    "Die Kontextnummer %1 ist in der Hilfedatei %2 keiner Seite zugeordnet.";
inline constexpr const char* kMsgContextPageMissing =
    "Die Kontextnummer %1 verweist auf die Seite %2, die in der Hilfedatei %3 nicht enthalten "
    "ist.";
inline constexpr const char* kMsgNoPages = "Die Hilfedatei %1 enthält keine Seite.";

// quillmark-help.
inline constexpr const char* kToolName = "quillmark-help";
inline constexpr const char* kUsage =
    "Aufruf: quillmark-help DATEI.chm [SEITE | NUMMER]\n"
    "\n"
    "Zeigt eine kompilierte Hilfedatei (.chm) im Hilfefenster von Quillmark, mit\n"
    "Inhaltsverzeichnis, Index, Volltextsuche und den Verweisen der Seiten.\n"
    "\n"
    "  DATEI.chm  die Hilfedatei; ein Name ohne Ordner wird zuerst im Programmordner,\n"
    "             dann im aktuellen Ordner gesucht\n"
    "  SEITE      eine Seite der Hilfedatei, z. B. Welcome.Doc.htm oder Main.Doc.htm#haupt;\n"
    "             ohne Angabe erscheint die Startseite der Hilfedatei\n"
    "  NUMMER     eine Kontextnummer aus dem [MAP]-Abschnitt des Hilfeprojekts, z. B. 101\n"
    "\n"
    "Optionen:\n"
    "  --screenshot BILD.png  zeichnet das Fenster ohne Bildschirm in eine PNG-Datei und\n"
    "                         endet; zeigt das Fenster eine Meldung, endet es mit Status 1\n"
    "  --help                 zeigt diese Hilfe\n"
    "  --version              zeigt die Version\n"
    "\n"
    "Kann die Datei, die Seite oder die Nummer nicht angezeigt werden, nennt das Fenster\n"
    "den Grund.\n";
inline constexpr const char* kUsageHint = "Aufruf: quillmark-help DATEI.chm [SEITE | NUMMER] "
                                          "(--help zeigt mehr)";
inline constexpr const char* kErrUnknownOption = "quillmark-help: unbekannte Option %1";
inline constexpr const char* kErrMissingFile = "quillmark-help: keine Hilfedatei angegeben";
inline constexpr const char* kErrTooMany = "quillmark-help: zu viele Angaben ab %1";
inline constexpr const char* kErrScreenshotPath =
    "quillmark-help: --screenshot braucht den Namen einer PNG-Datei";
inline constexpr const char* kErrScreenshotWrite =
    "quillmark-help: Datei %1 kann nicht erstellt werden";

} // namespace qm::helpviewer
