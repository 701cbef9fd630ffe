#include "HelpFileFixture.h"

#include "desktop/HelpViewer.h"

#include <QBuffer>
#include <QImage>
#include <QString>

#include <algorithm>

namespace qmtest {

namespace {

/// A page in the generator's shape: head with title, body lines, end.
std::string Page(const std::string& title, const std::string& body) {
  return "<HTML>\r\n<HEAD>\r\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
         "charset=windows-1252\">\r\n<TITLE>" +
         title + "</TITLE>\r\n</HEAD>\r\n<BODY>\r\n" + body + "</BODY>\r\n</HTML>\r\n";
}

/// Enough text to push what follows out of the first screen.
std::string Filler() {
  std::string text;
  for (int i = 1; i <= 80; ++i) {
    text += "<P>Absatz " + std::to_string(i) + "</P>\r\n";
  }
  return text;
}

} // namespace

std::string SmallPng() {
  QImage image(8, 8, QImage::Format_RGB32);
  image.fill(Qt::darkCyan);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

void ExpectContextNumbersOpenTheirPages(const std::string& chm,
                                        const std::vector<std::pair<int, QString>>& pages) {
  qm::THelpViewer viewer;
  ASSERT_TRUE(viewer.OpenFile(QString::fromStdString(chm))) << viewer.Message().toStdString();
  for (const auto& [number, page] : pages) {
    EXPECT_TRUE(viewer.ShowContext(static_cast<std::uint32_t>(number)))
        << number << ": " << viewer.Message().toStdString();
    EXPECT_EQ(viewer.CurrentPage(), page) << number;
  }
  const qm::HelpFile::Opened opened = qm::HelpFile::Open(chm);
  ASSERT_TRUE(opened.File);
  std::vector<int> mapped;
  for (const std::uint32_t number : opened.File->ContextMap().Numbers()) {
    mapped.push_back(static_cast<int>(number));
  }
  std::vector<int> expected;
  for (const auto& entry : pages) {
    expected.push_back(entry.first);
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(mapped, expected);
}

HelpProjectInput SampleHelpProject() {
  HelpProjectInput input;
  input.Files = {
      {"Welcome.Doc.htm",
       Page("Willkommen", "<A NAME=\"top\"></A>\r\n<H2>Willkommen</H2>\r\n"
                          "<P>Gr\xFC\xDF Gott! <IMG SRC=\"bild.png\" ALT=\"Bild\"></P>\r\n"
                          "<P><A HREF=\"Main.Doc.htm#haupt\">Zum Hauptfenster</A></P>\r\n")},
      {"Main.Doc.htm",
       Page("Hauptfenster", "<A NAME=\"haupt\"></A>\r\n<H2>Hauptfenster</H2>\r\n"
                            "<P><A HREF=\"Setup.Doc.htm#opt\">Zu den Optionen</A></P>\r\n"
                            "<P><A HREF=\"#unten\">Nach unten</A></P>\r\n" +
                                Filler() + "<A NAME=\"unten\"></A>\r\n<P>Unten</P>\r\n")},
      {"Setup.Doc.htm", Page("Einrichtung", "<H2>Einrichtung</H2>\r\n" + Filler() +
                                                "<A NAME=\"opt\"></A>\r\n<H2>Optionen</H2>\r\n"
                                                "<P>Hier stellen Sie alles ein.</P>\r\n")},
      {"bild.png", SmallPng()},
  };
  input.Toc = {"Bedienung;Hauptfenster;haupt;Main.Doc.htm",
               "Bedienung;Ganz unten;unten;Main.Doc.htm",
               "Bedienung;Men\xFC und Optionen;opt;Setup.Doc.htm",
               "Erste Schritte;Willkommen;top;Welcome.Doc.htm"};
  input.Index = {
      "Fenster;Hauptfenster;haupt;Main.Doc.htm", "Optionen;Men\xFC und Optionen;opt;Setup.Doc.htm",
      "Optionen;Hauptfenster;haupt;Main.Doc.htm", "Ma\xDF & Zahl;Willkommen;top;Welcome.Doc.htm"};
  input.ContextIds = {"101;Hauptfenster;Main.Doc.htm", "102;Optionen;Setup.Doc.htm",
                      "103;Willkommen;Welcome.Doc.htm"};
  input.DefaultPage = "Welcome.Doc.htm";
  return input;
}

} // namespace qmtest
