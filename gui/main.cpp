// quillmark: the desktop program. Starts the application, shows the main window and runs
// until it is closed.
#include "base/FileSystem.h"
#include "base/Process.h"
#include "desktop/HelpViewer.h"
#include "desktop/HtmlHelpGateway.h"
#include "desktop/QtTranslations.h"
#include "gui/Hauptmenue.h"
#include "gui/Images.h"
#include "gui/UiTexts.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using namespace qm::ui;

/// "--help" and "--version" count only as the one argument, so that any other command line
/// keeps its meaning for the window.
bool AnswerInfoRequest(int argc, char** argv) {
  if (argc != 2) {
    return false;
  }
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    std::fputs(kUsage, stdout);
    return true;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("%s %s\n", kProgramName, QM_VERSION);
    return true;
  }
  return false;
}

/// The start check: once the window is shown (and its project loaded), print the path fields
/// and close the window the way the user would.
void ScheduleStartCheck(TLex_Hauptmenue& window) {
  QTimer::singleShot(0, &window, [&window] {
    for (const char* name : {"Edt_Eingabepfad", "Edt_Ausgabepfad"}) {
      const auto* edit = window.findChild<QLineEdit*>(QLatin1String(name));
      std::printf("%s=%s\n", name, edit != nullptr ? edit->text().toLocal8Bit().constData() : "");
    }
    std::fflush(stdout);
    window.close();
  });
}

} // namespace

/* ###DocGen_Start Willkommen bei Quillmark
###Output Welcome
###Toc Einführung;Willkommen bei Quillmark;Willkommen_bei_Quillmark
###Index Erste Schritte;Willkommen bei Quillmark;Willkommen_bei_Quillmark
###Index Quillmark;Willkommen bei Quillmark;Willkommen_bei_Quillmark
Quillmark macht aus der Dokumentation, die Sie in die Kommentare Ihrer Quelltexte schreiben,
HTML-Seiten und die Eingabedateien eines HTML-Help-Workshop-Projekts. So bleiben Programm und
Handbuch in denselben Dateien, und jede Änderung am Programm kann gleich im Handbuch landen.

Text zwischen zwei <A HREF="Markierungen.Doc.htm">Markierungszeilen</A> wird zur
<B>Online-Hilfe</B> (Seiten <TT>*.Doc.htm</TT>) oder zur <B>technischen Dokumentation</B>
(Seiten <TT>*.Tech.htm</TT>). Quillmark entfernt die Kommentarzeichen der Sprache, macht aus
Leerzeilen Absätze und aus Sonderzeichen HTML-Entities; Ihre eigenen HTML-Tags bleiben stehen.

<B>Erste Schritte</B>
<OL>
<LI>Schreiben Sie in einen Kommentar eine Zeile mit dem Startmarker für die Online-Hilfe und
dem Titel des Blocks, darunter den Text und zum Schluss den Endmarker.</LI>
<LI>Geben Sie im <A HREF="Hauptfenster.Doc.htm">Hauptfenster</A> den Ordner der Quellen und
einen Ausgabeordner an und kreuzen Sie die Arten der Quelldateien an.</LI>
<LI>Drücken Sie auf <B>Konvertieren</B>. Die Seiten liegen danach im Ausgabeordner.</LI>
<LI>Wählen Sie im Menü <B>Projekt</B> den Befehl <B>Help Workshop Projekt generieren</B>, um
aus den Seiten ein <A HREF="WorkshopProjekt.Doc.htm">Help-Projekt</A> zu machen, und
übersetzen Sie es mit einem Hilfe-Compiler wie <TT>chmcmd</TT>.</LI>
<LI>Speichern Sie alle Einstellungen in einer <A HREF="Projektdatei.Doc.htm">Projektdatei</A>;
die Kommandozeile <A HREF="Kommandozeile.Doc.htm">quillmark-cli</A> arbeitet mit derselben
Datei.</LI>
</OL>
<P>Diese Hilfe selbst ist so entstanden: ihre Seiten stehen als Kommentare in den Quelltexten des
Programms.
###DocGen_End */

/* ###DocGen_Start Zur Benutzung der Hilfe
###Output Help
###Toc Einführung;Zur Benutzung der Hilfe;Zur_Benutzung_der_Hilfe
###Index Hilfe;Zur Benutzung der Hilfe;Zur_Benutzung_der_Hilfe
###Index F1;Zur Benutzung der Hilfe;Zur_Benutzung_der_Hilfe
Die Hilfe öffnet sich in einem eigenen Fenster. Links stehen das <B>Inhaltsverzeichnis</B> und
der <B>Index</B> mit einem Suchfeld, rechts die Seite. Mit den Knöpfen <B>Zurück</B> und
<B>Vor</B> gehen Sie durch die Seiten, die Sie schon gesehen haben; <B>Startseite</B> bringt
Sie zur <A HREF="Welcome.Doc.htm">Willkommensseite</A>.

<B>So erreichen Sie die Hilfe</B>
<UL>
<LI><KBD>F1</KBD> öffnet die Seite des Fensters, in dem Sie gerade arbeiten.</LI>
<LI>Der Knopf <B>Hilfe</B> einer Meldung öffnet die Seite dieser Meldung; die Meldung bleibt
dabei offen.</LI>
<LI>Im Menü <B>?</B> öffnet <B>Willkommen</B> die Startseite und <B>Hilfe</B> diese Seite.</LI>
</UL>
<P><B>Aufbau</B>
<UL>
<LI><I>Einführung</I>: was Quillmark tut und wie diese Hilfe aufgebaut ist.</LI>
<LI><I>Fenster</I>: eine Seite für jedes Fenster des Programms.</LI>
<LI><I>Meldungen</I>: eine Seite für jede Meldung, die Fragen stellt oder einen Lauf
abschließt.</LI>
<LI><I>Referenz</I>: die Markierungszeilen, die Vorlagen mit ihren Platzhaltern, die
Projektdatei und die Kommandozeile.</LI>
</UL>
<P>Mit dem Programm <TT>quillmark-help</TT> öffnen Sie im selben Fenster auch die Hilfedateien,
die Sie aus Ihren eigenen Projekten erzeugt haben: <TT>quillmark-help Datei.chm</TT>, wahlweise
mit einer Seite oder einer Kontextnummer dahinter.
###DocGen_End */

/* ###DocGen_Start Die Kommandozeile quillmark-cli
###Output Kommandozeile
###Toc Referenz;Die Kommandozeile quillmark-cli;Die_Kommandozeile_quillmark-cli
###Index quillmark-cli;Die Kommandozeile quillmark-cli;Die_Kommandozeile_quillmark-cli
###Index Kommandozeile;Die Kommandozeile quillmark-cli;Die_Kommandozeile_quillmark-cli
Das Programm <TT>quillmark</TT> nimmt genau ein Argument an: eine
<A HREF="Projektdatei.Doc.htm">Projektdatei</A>, die beim Start geladen wird. Bei zwei oder mehr
Argumenten startet es ohne Projekt.

Für Builds und Skripte gibt es <TT>quillmark-cli</TT>; es braucht keine grafische Oberfläche.
<PRE>
quillmark-cli convert [--yes] [--quiet] [--help-project] PROJEKT.qmpr<BR>
quillmark-cli convert --input ORDNER [--output ORDNER] --kinds ART[,ART...]<BR>
quillmark-cli save [--from ALT.qmpr] [Einstellungen] PROJEKT.qmpr
</PRE>
<UL>
<LI><B>convert</B> konvertiert wie der Knopf <B>Konvertieren</B>, mit allen Einstellungen und
Vorlagen der Projektdatei. <TT>--help-project</TT> schreibt danach die Help-Workshop-Dateien in
den Ausgabeordner.</LI>
<LI><B>save</B> schreibt eine Projektdatei; Einstellungen wie <TT>--input</TT>,
<TT>--output</TT>, <TT>--kinds</TT> oder <TT>--help-title</TT> ersetzen die Werte aus
<TT>--from</TT>.</LI>
<LI><TT>--yes</TT> beantwortet Fragen mit Ja, etwa die nach einem fehlenden Ausgabeordner.</LI>
</UL>
<P>Warnungen stehen auf der Fehlerausgabe; der Exit-Status ist 0 bei Erfolg, 1 bei einem Fehler und
2 bei einem falschen Aufruf. <TT>quillmark-cli --help</TT> zeigt alle Optionen.
###DocGen_End */

int main(int argc, char** argv) {
  if (AnswerInfoRequest(argc, argv)) {
    return 0;
  }
  // Qt takes its own options (-platform, -style, ...) out of argc and argv.
  QApplication app(argc, argv);
  // Dates and times in pages and project files follow the user's LC_TIME.
  qm::UseUserLocale();
  QApplication::setOrganizationName(QString::fromUtf8(kOrganisation));
  QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
  QApplication::setWindowIcon(ProgramImage());
  // Ties the window to the installed desktop entry (its name and icon on Wayland).
  QApplication::setDesktopFileName(QString::fromUtf8(kProgramName));
  // Qt's own dialogs and the shortcut names in the menus in German, where the translations
  // are installed.
  qm::InstallQtTranslations();
  // Every help request (F1, "&Hilfe", the menu "&?") reaches Quillmark's own help window.
  qm::HtmlHelpEntry = qm::ShowInHelpViewer;

  TLex_Hauptmenue window(qm::ProgramFolder(), QApplication::arguments().mid(1));
  window.show();
  if (qEnvironmentVariableIsSet(kStartCheckVariable)) {
    ScheduleStartCheck(window);
  }
  return QApplication::exec();
}
