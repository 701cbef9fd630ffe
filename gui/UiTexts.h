// The texts of the desktop program's windows, UTF-8 as Qt takes them. Line breaks are written
// CR LF as the program's resources hold them; UiText turns them into Qt's line breaks.
#pragma once

namespace qm::ui {

inline constexpr const char* kApplicationTitle = "Quillmark";
inline constexpr const char* kOrganisation = "Pellhardt";

// The command line of the program "quillmark" (printed to the terminal).
inline constexpr const char* kProgramName = "quillmark";
inline constexpr const char* kUsage =
    "Aufruf: quillmark [PROJEKT.qmpr]\n"
    "\n"
    "Öffnet das Fenster von Quillmark, dem Generator für Programmdokumentationen.\n"
    "\n"
    "  PROJEKT.qmpr  eine Projektdatei; sie wird geladen, sobald das Fenster\n"
    "                erscheint. Mit zwei oder mehr Angaben wird nichts geladen.\n"
    "  -h, --help    diese Hilfe (nur als einzige Angabe)\n"
    "  --version     die Version (nur als einzige Angabe)\n"
    "\n"
    "Die Optionen von Qt wie -platform offscreen oder -style Fusion gelten\n"
    "zusätzlich und zählen nicht als Angabe.\n";
/// Set in the environment, it makes the program print the two path fields as
/// "objectName=text" lines once the window is shown and a project named on the command line
/// is loaded, and then close the window: a check that an installed program starts.
inline constexpr const char* kStartCheckVariable = "QUILLMARK_START_CHECK";

// Main window.
inline constexpr const char* kMainCaption = "Generator für Programmdokumentationen";
inline constexpr const char* kGroupInput = "Eingabe:";
inline constexpr const char* kGroupOptions = "Zusätzliche Optionen:";
inline constexpr const char* kGroupOutput = "Ausgabe:";
inline constexpr const char* kLabelPath = "Pfad:";
inline constexpr const char* kHintInputPath = "Pfad, in dem sich die Eingabedateien befinden";
/// Added to kHintInputPath on a line of its own while the project holds exclude patterns,
/// which follow it separated by kPatternSeparator.
inline constexpr const char* kHintExcludePatterns = "Die Suche lässt aus: ";
inline constexpr const char* kPatternSeparator = ", ";
inline constexpr const char* kHintOutputPath =
    "Geben Sie hier den Pfad ein, in dem die erstellten HTML-Dateien gespeichert werden sollen";
inline constexpr const char* kHintPickFolder = "Drücken Sie auf diesen Button, wenn Sie einen "
                                               "Auswahldialog für das Verzeichnis angezeigt "
                                               "bekommen möchten";
inline constexpr const char* kCaptionSubfolders = "Unterordner einbeziehen";
inline constexpr const char* kHintSubfolders =
    "Markieren Sie diese Option um Unterordner durchsuchen zu lassen";
/// The hint of every source kind's check box; their captions are in kSourceKindTable.
inline constexpr const char* kHintKinds = "Wählen Sie die gewünschten Eingabe-Dateitypen aus";
inline constexpr const char* kCaptionAutoLineBreak = "Automatischer Zeilenumbruch";
inline constexpr const char* kHintAutoLineBreak =
    "Markieren Sie diese Option wenn Sie möchten, daß eine Leerzeile automatisch in HTML "
    "übernommen wird, auch wenn Sie dies nicht explizit angeben";
inline constexpr const char* kCaptionOemToAnsi = "OEM nach Ansi";
inline constexpr const char* kHintOemToAnsi = "Markieren Sie diese Option, wenn Sie möchten, "
                                              "daß MS-DOS-Dateien nach Ansi (Windows) "
                                              "konvertiert werden sollen";
/// With its trailing blank.
inline constexpr const char* kCaptionOneFilePerBlock = "Jeden Kommentar in eigene Datei schreiben ";
inline constexpr const char* kHintOneFilePerBlock =
    "Wenn aktiviert, wird jeder Kommentarblock in eine eigene Datei geschrieben, andernfalls "
    "werden alle Kommentare einer Quelldatei in eine Ausgabedatei geschrieben";
inline constexpr const char* kLabelSourceEncoding = "Kodierung der Quellen:";
inline constexpr const char* kHintSourceEncoding =
    "Automatisch: UTF-8 und UTF-16 werden an der Byte-Order-Markierung oder am Inhalt erkannt, "
    "alle anderen Quellen als Windows-1252 gelesen. Mit \"OEM nach Ansi\" gilt Windows-1252";
inline constexpr const char* kOutputNote =
    "Wenn der Pfad leer ist, werden die Ausgabedateien direkt bei den Quelldateien\r\nplaziert.";
inline constexpr const char* kTitlePickInput =
    "Bitte wählen Sie das Verzeichnis aus, in dem sich Ihre Eingabedateien befinden:";
inline constexpr const char* kTitlePickOutput =
    "Bitte wählen Sie das Verzeichnis aus, in das die Ausgabedateien kopiert werden sollen:";

// Tool bar: captions (four blanks on each side of "Konvertieren") and hints.
inline constexpr const char* kToolExit = "Beenden";
inline constexpr const char* kToolExitHint = "Beendet die Anwendung";
inline constexpr const char* kToolConvert = "    Konvertieren    ";
inline constexpr const char* kToolConvertHint = "Startet die Generation";
inline constexpr const char* kToolInfo = "Info";
inline constexpr const char* kToolInfoHint = "Zeigt Informationsdialog an";

// Menu.
inline constexpr const char* kMenuFile = "&Datei";
inline constexpr const char* kMenuOpen = "&Öffnen...";
inline constexpr const char* kMenuSave = "&Speichern";
inline constexpr const char* kMenuSaveAs = "Speichern &unter...";
inline constexpr const char* kMenuExit = "&Beenden";
inline constexpr const char* kMenuTemplates = "&HTML-Vorlagen";
inline constexpr const char* kMenuExtraFiles = "Zusätzliche Dateien...";
inline constexpr const char* kMenuProject = "&Projekt";
inline constexpr const char* kMenuConvert = "HTML-&Ausgabe generieren";
inline constexpr const char* kMenuHelpWorkshop = "Help &Workshop Projekt generieren...";
inline constexpr const char* kMenuHelp = "&?";
inline constexpr const char* kMenuWelcome = "&Willkommen";
inline constexpr const char* kMenuHelpTopics = "Hi&lfe";
inline constexpr const char* kMenuInfo = "&Info...";
inline constexpr const char* kShortcutOpen = "Ctrl+O";
inline constexpr const char* kShortcutSave = "Ctrl+S";
inline constexpr const char* kShortcutExit = "Ctrl+X";
inline constexpr const char* kShortcutConvert = "Ctrl+K";

// Messages of the main window.
inline constexpr const char* kMsgOneFilePerBlock =
    "Sie sollten diese Option nur mit größter Sorgfalt verwenden,\r\nda Sie, wenn aktiviert, "
    "für jeden Dokumentationsblock eine eigene,\r\nindividuelle Bezeichnung benötigen";
/// After a run with warnings: their number, then one line per warning, at most
/// kListedWarnings of them and a last line with the number of the others.
inline constexpr const char* kMsgRunWarnings = "Die Konvertierung meldet %d Warnung(en):";
inline constexpr const char* kMsgMoreWarnings = "... und %d weitere";
inline constexpr int kListedWarnings = 20;
/// The status line after a run that the progress window stopped: files done, files found.
/// A finished run shows the summary line of the command line instead.
inline constexpr const char* kStatusCancelled = "Abgebrochen nach %d von %d Dateien";
/// "%s" is the chosen file.
inline constexpr const char* kMsgReplaceFile = "%s besteht bereits.\r\nMöchten Sie sie ersetzen?";
/// A save into an existing file that holds no project ("%s": the file).
inline constexpr const char* kMsgSaveIntoForeignFile =
    "%s enthält keine Projekteinstellungen.\r\nMöchten Sie das Projekt trotzdem hineinschreiben?";

/// A field whose text holds a character that Windows-1252 lacks is refused when its value is
/// used (conversion, save, help project). "%1" is the character, "%2" its code point in
/// hexadecimal, "%3" the field as its window labels it.
inline constexpr const char* kMsgFieldNotAnsi =
    "Das Zeichen \"%1\" (U+%2) im Feld \"%3\" gibt es in Windows-1252 nicht;\r\n"
    "Quillmark kann diese Angabe deshalb nicht verwenden.\r\nBitte ersetzen Sie das Zeichen.";
inline constexpr const char* kFieldInputPath = "Eingabepfad";
inline constexpr const char* kFieldOutputPath = "Ausgabepfad";
inline constexpr const char* kFieldExtraFiles = "Ordner der zusätzlichen Dateien";
inline constexpr const char* kFieldHelpTitle = "Titel der Ausgabedatei";
inline constexpr const char* kFieldTechDefaultPage = "Standarddatei der technischen Dokumentation";
inline constexpr const char* kFieldDocDefaultPage = "Standarddatei der Online-Hilfe";
inline constexpr const char* kFieldLanguage = "Sprach-String";

// Project file dialogs: two filter entries and the extension added to a bare name.
inline constexpr const char* kFilterProjects = "Quillmark-Projekdateien (*.qmpr)";
inline constexpr const char* kFilterAllFiles = "Alle Dateien (*.*)";
inline constexpr const char* kProjectExtension = "qmpr";

// The program's help file and its pages.
inline constexpr const char* kHelpFile = "Quillmark.Doc.chm";
inline constexpr const char* kTopicWelcome = "Welcome.Doc.htm";
inline constexpr const char* kTopicHelp = "Help.Doc.htm";

// Help context numbers of windows and message boxes; the pages in data/help/*.htm carry them
// in their ###ContextID lines.
inline constexpr int kHelpMainWindow = 101;
inline constexpr int kHelpProgressWindow = 201;
inline constexpr int kHelpEditor = 301;
inline constexpr int kHelpInfoBox = 401;
inline constexpr int kHelpWorkshop = 701;
inline constexpr int kHelpExtraFiles = 801;
inline constexpr int kHelpOneFilePerBlock = 101;
inline constexpr int kHelpMissingFolder = 102;
/// The run's warnings and the error box of a failed command take the conversion's number,
/// whose page covers the conversion's questions, failures and warnings.
inline constexpr int kHelpConversion = 102;
inline constexpr int kHelpErrorBox = 102;
/// "Speichern unter" names a project file that exists.
inline constexpr int kHelpReplaceFile = 103;
/// Copying the additional files: one exists in the output folder, or one could not be copied.
inline constexpr int kHelpReplaceExtraFile = 104;
inline constexpr int kHelpCopyFailed = 105;

// About box.
inline constexpr const char* kInfoCaption = "Info";
inline constexpr const char* kInfoProduct = "Quillmark";
inline constexpr const char* kInfoClose = "S&chließen";
/// "%1" is the version the build gives every program.
inline constexpr const char* kInfoVersion = "Version %1";
inline constexpr const char* kMakerWebSite = "https://www.pellhardt.example/";

// Progress window.
inline constexpr const char* kProgressCaption = "Fortschritt";
inline constexpr const char* kProgressGroup = "Fortschritt:";
inline constexpr const char* kProgressCounter = "Datei %d von %d";
inline constexpr const char* kProgressFile = "Bearbeite Datei %s";
inline constexpr const char* kProgressLines = "%d Zeilen erledigt";
inline constexpr const char* kProgressCancel = "Abbrechen";

// Template editor.
inline constexpr const char* kEditorCaption = "HTML bearbeiten";
inline constexpr const char* kEditorClose = "Schließen";
inline constexpr const char* kEditorLoad = "Laden";
inline constexpr const char* kEditorSave = "Speichern";
inline constexpr const char* kEditorOpenTitle = "Laden einer Datei mit HTML-Tags";
inline constexpr const char* kEditorSaveTitle = "Speichern einer Datei mit HTML-Tags";
/// The editor's file dialogs list templates first, then the web pages, text and all files.
inline constexpr const char* kFilterTemplates = "HTML-Vorlagen (*.htt)";
inline constexpr const char* kFilterWebPages = "Webseiten (*.htm;*.html)";
inline constexpr const char* kFilterTextFiles = "Textdatei (*.txt)";
/// Where the cursor stands in the editor: line and column, both counted from 1.
inline constexpr const char* kEditorCursor = "Zeile %1, Spalte %2";
/// Added to a typed page name without extension.
inline constexpr const char* kPageExtension = "htm";
/// A template is Windows-1252 text: a character it cannot hold is refused when the editor
/// closes or saves. "%1" is the character, "%2" its line, "%3" its numeric character
/// reference ("&#322;").
inline constexpr const char* kMsgNotAnsi =
    "Das Zeichen \"%1\" in Zeile %2 kann in einer HTML-Vorlage nicht gespeichert werden,\r\n"
    "denn Vorlagen sind Windows-1252-Text.\r\nBitte ersetzen Sie es, zum Beispiel durch %3.";

// Additional-files dialog.
inline constexpr const char* kExtraCaption = "Pfad zu zusätzlichen Dateien angeben";
inline constexpr const char* kExtraLabel =
    "Geben Sie den Ordner an, in dem sich die zusätzlichen Dateien befinden";
inline constexpr const char* kExtraAccept = "&Übernehmen";
inline constexpr const char* kExtraCancel = "&Abbrechen";
inline constexpr const char* kTitlePickExtra =
    "Wählen Sie den Ordner in dem sich die Dateien befinden";
/// Proposed below the program folder while no folder is set.
inline constexpr const char* kExtraFilesFolder = "Extra Files/";

// Help Workshop dialog.
inline constexpr const char* kWorkshopCaption = "HTML-Workshop-Projekt erstellen";
inline constexpr const char* kLabelHelpTitle = "Titel der Ausgabedatei:";
inline constexpr const char* kGroupTechHelp = "Optionen für die technische Dokumentationen:";
inline constexpr const char* kCaptionTechHelp = "Technische Dokumentation erstellen";
inline constexpr const char* kGroupDocHelp = "Optionen für die Online-Hilfe:";
inline constexpr const char* kCaptionDocHelp = "Online-Hilfe erstellen";
inline constexpr const char* kLabelDefaultPage = "Standarddatei:";
inline constexpr const char* kCaptionToc = "Erzeuge Table of Contents (TOC)";
inline constexpr const char* kCaptionIndex = "Erzeuge Indexdatei";
inline constexpr const char* kGroupMaps = "Map-Header:";
inline constexpr const char* kCaptionCppMap = "...erzeugen";
inline constexpr const char* kCaptionPascalMap = "...zu Pascal konvertieren";
inline constexpr const char* kCaptionJavaMap = "...zu Java konvertieren";
inline constexpr const char* kGroupMore = "Weitere Optionen:";
inline constexpr const char* kCaptionWebHelp = "Web-Hilfe erzeugen";
inline constexpr const char* kLabelLanguage = "Sprach-String:";
inline constexpr const char* kCaptionAlias = "Alias-Header-Dateien erzeugen";
inline constexpr const char* kWorkshopOk = "OK";
inline constexpr const char* kWorkshopCancel = "Abbrechen";
inline constexpr const char* kTitleDefaultPage = "Standarddatei wählen";
/// After a help-project run with warnings; the lines follow as after a conversion.
inline constexpr const char* kMsgHelpProjectWarnings = "Das Help-Projekt meldet %d Warnung(en):";

} // namespace qm::ui
