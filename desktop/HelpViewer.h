// Quillmark's help window: one compiled help file (.chm) with its contents, its index with a
// search field, and its pages with working links, anchors and images; back, forward and the
// start page. Whatever cannot be shown (a missing or damaged file, a page that is not in it,
// a context number that is not mapped) is named in one German message in place of the page.
#pragma once

#include "chm/HelpFile.h"
#include "desktop/HtmlHelpGateway.h"

#include <QHash>
#include <QMainWindow>

#include <cstdint>
#include <memory>

class QAction;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace qm {

class THelpBrowser;
class THelpSearchTab;

class THelpViewer : public QMainWindow {
  Q_OBJECT
public:
  explicit THelpViewer(QWidget* parent = nullptr);
  ~THelpViewer() override;

  /// Opens the help file name (see LocateHelpFile; a name without a folder is looked for in
  /// the program folder, then in the current folder) and fills contents and index. Shows no
  /// page yet. On failure shows the message and returns false.
  bool OpenFile(const QString& name);
  /// Shows page of the open file ("Main.Doc.htm", "Main.Doc.htm#haupt"); an empty page
  /// shows the start page. False (and the message) when it is not in the file.
  bool ShowTopic(const QString& page);
  /// Shows the page that the file's context map gives number.
  bool ShowContext(std::uint32_t number);
  /// Shows the file's start page.
  bool ShowStartPage();

  /// The help file as it was named to OpenFile.
  const QString& FileName() const { return fileName_; }
  /// The message shown in place of a page, empty while a page is shown.
  const QString& Message() const { return message_; }
  /// The internal path of the page shown ("/Main.Doc.htm"), empty while a message is shown.
  QString CurrentPage() const;
  THelpBrowser* Browser() const { return browser_; }
  /// Brings the search tab to the front and searches the open file for the words of text.
  void SearchFullText(const QString& text);
  bool HasFile() const { return file_ != nullptr; }

  void GoBack();
  void GoForward();

private:
  /// Follows url (a link of a page, a contents or index item). Pages of the file open here,
  /// other schemes (http, mailto, ...) in the desktop's own program.
  void Navigate(const QUrl& url);
  /// Shows a page of the open file known to exist.
  bool Display(const HelpPageRef& page);
  void ShowMessage(const QString& text);
  void ShowPageMissing(const QString& page);
  void FillContents();
  void FillIndex();
  void OpenLocal(const QString& local);
  void SearchIndex(const QString& text);
  void OpenIndexItem(QListWidgetItem* item);
  void SelectContentsItem(const QUrl& url);
  void UpdateActions();
  void CloseFile();
  QString DisplayName() const;

  std::unique_ptr<HelpFile> file_;
  QString fileName_;
  std::string filePath_;
  QString message_;
  bool newFile_ = false; ///< no page of the open file shown yet
  /// Lower-case page path to the contents items that lead to it, in tree order.
  QHash<QString, QList<QTreeWidgetItem*>> contentsByPage_;

  THelpBrowser* browser_;
  QTabWidget* tabs_;
  QTreeWidget* contents_;
  QLineEdit* search_;
  QListWidget* index_;
  THelpSearchTab* fullText_;
  QAction* back_;
  QAction* forward_;
  QAction* home_;
};

/// The one help window of the program, created on first use and kept until it is closed or
/// the program ends. It does not keep the program running on its own.
THelpViewer& SharedHelpViewer();

/// Shows topic of the help file that fileText names, in the shared window, and brings that
/// window to the front. fileText is what the help API passes: "file.chm", optionally with
/// ">window" (ignored: there is one window) or "::/page.htm" (used when topic is empty). An
/// empty topic shows the start page. The file is opened again only when another one is asked
/// for, so the history stays.
void ShowHelp(const QString& fileText, const QString& topic);
/// Shows the page that number is mapped to in the help file that fileText names.
void ShowHelpContext(const QString& fileText, std::uint32_t number);

/// The help gateway's viewer on this platform, for HtmlHelpEntry: HH_DISPLAY_TOPIC shows the
/// topic the data names (without one, the page of fileText or the start page) with ShowHelp,
/// HH_HELP_CONTEXT the page of the number with ShowHelpContext. Other commands do nothing. The
/// help window belongs to no other window, so parent is not used.
void ShowInHelpViewer(WId parent, const QString& fileText, unsigned command,
                      const HtmlHelpData& data);

} // namespace qm
