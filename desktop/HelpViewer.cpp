#include "desktop/HelpViewer.h"

#include "base/CodePages.h"
#include "base/FileSystem.h"
#include "desktop/FormPlacement.h"
#include "desktop/FormStorageTexts.h"
#include "desktop/HelpBrowser.h"
#include "desktop/HelpSearchTab.h"
#include "desktop/HelpViewerTexts.h"
#include "desktop/QtText.h"
#include "desktop/SupportTexts.h"
#include "desktop/WindowPlacement.h"

#include <optional>

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWindow>

namespace qm {

using namespace helpviewer;

namespace {

/// Why the help file at path cannot be opened when it is no regular file: a folder, or what
/// else it is.
QString NotAFileMessage(const std::string& path, const QString& name) {
  const std::optional<PathInfo> info = LookUp(path);
  const EntryKind kind = info ? info->kind : EntryKind::Folder;
  switch (kind) {
  case EntryKind::Fifo:
    return FromUtf8(kMsgNotRegular).arg(name, FromUtf8(kEntryFifo));
  case EntryKind::Socket:
    return FromUtf8(kMsgNotRegular).arg(name, FromUtf8(kEntrySocket));
  case EntryKind::Device:
    return FromUtf8(kMsgNotRegular).arg(name, FromUtf8(kEntryDevice));
  default:
    return FromUtf8(kMsgNotAFile).arg(name);
  }
}

/// Contents with at most this many items open fully expanded; larger ones show their top level.
constexpr int kExpandAllLimit = 200;

/// The anchor of a contents item's page, beside its Local in Qt::UserRole.
constexpr int kAnchorRole = Qt::UserRole + 1;

/// The anchor names of a document in the order they occur.
QStringList AnchorsInOrder(const QTextDocument& document) {
  QStringList names;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    // An empty anchor before a heading or paragraph names the block, not a fragment.
    names += block.charFormat().anchorNames();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      names += it.fragment().charFormat().anchorNames();
    }
  }
  return names;
}

/// Schemes handed to the desktop's own programs.
bool IsExternal(const QUrl& url) {
  static const QStringList kSchemes = {"http", "https", "ftp", "mailto"};
  return kSchemes.contains(url.scheme(), Qt::CaseInsensitive);
}

} // namespace

THelpViewer::THelpViewer(QWidget* parent) : QMainWindow(parent) {
  setObjectName("THelpViewer");
  setWindowTitle(FromUtf8(kCaption));

  QToolBar* toolBar = addToolBar(FromUtf8(kToolBar));
  toolBar->setObjectName("Bar_Navigation");
  toolBar->setMovable(false);
  toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  back_ = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), FromUtf8(kActionBack));
  back_->setObjectName("Act_Zurueck");
  back_->setShortcut(QKeySequence::Back);
  forward_ =
      toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), FromUtf8(kActionForward));
  forward_->setObjectName("Act_Vorwaerts");
  forward_->setShortcut(QKeySequence::Forward);
  home_ = toolBar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), FromUtf8(kActionHome));
  home_->setObjectName("Act_Startseite");

  contents_ = new QTreeWidget;
  contents_->setObjectName("Tree_Inhalt");
  contents_->setHeaderHidden(true);
  contents_->setColumnCount(1);

  auto* indexPage = new QWidget;
  search_ = new QLineEdit;
  search_->setObjectName("Edt_Suche");
  search_->setPlaceholderText(FromUtf8(kSearchPlaceholder));
  search_->setClearButtonEnabled(true);
  auto* searchLabel = new QLabel(FromUtf8(kSearchLabel));
  searchLabel->setBuddy(search_);
  index_ = new QListWidget;
  index_->setObjectName("Lst_Index");
  auto* show = new QPushButton(FromUtf8(kShowButton));
  show->setObjectName("Btn_Anzeigen");
  auto* indexLayout = new QVBoxLayout(indexPage);
  indexLayout->addWidget(searchLabel);
  indexLayout->addWidget(search_);
  indexLayout->addWidget(index_, 1);
  indexLayout->addWidget(show, 0, Qt::AlignRight);

  tabs_ = new QTabWidget;
  tabs_->setObjectName("Tab_Navigation");
  tabs_->addTab(contents_, style()->standardIcon(QStyle::SP_DirOpenIcon), FromUtf8(kTabContents));
  tabs_->addTab(indexPage, style()->standardIcon(QStyle::SP_FileDialogContentsView),
                FromUtf8(kTabIndex));
  fullText_ = new THelpSearchTab;
  tabs_->addTab(fullText_, style()->standardIcon(QStyle::SP_FileDialogDetailedView),
                FromUtf8(kTabSearch));

  browser_ = new THelpBrowser;
  browser_->setObjectName("Browser_Seite");

  auto* splitter = new QSplitter;
  splitter->setObjectName("Spl_Hilfe");
  splitter->addWidget(tabs_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({280, 720});
  setCentralWidget(splitter);
  resize(1000, 700);

  connect(browser_, &QTextBrowser::anchorClicked, this, &THelpViewer::Navigate);
  connect(browser_, &QTextBrowser::sourceChanged, this, &THelpViewer::SelectContentsItem);
  connect(browser_, &QTextBrowser::historyChanged, this, &THelpViewer::UpdateActions);
  connect(back_, &QAction::triggered, this, &THelpViewer::GoBack);
  connect(forward_, &QAction::triggered, this, &THelpViewer::GoForward);
  connect(home_, &QAction::triggered, this, &THelpViewer::ShowStartPage);
  const auto openContentsItem = [this](QTreeWidgetItem* item) {
    OpenLocal(item->data(0, Qt::UserRole).toString());
  };
  connect(contents_, &QTreeWidget::itemClicked, this, openContentsItem);
  connect(contents_, &QTreeWidget::itemActivated, this, openContentsItem);
  connect(search_, &QLineEdit::textChanged, this, &THelpViewer::SearchIndex);
  connect(search_, &QLineEdit::returnPressed, this,
          [this] { OpenIndexItem(index_->currentItem()); });
  connect(index_, &QListWidget::itemActivated, this, &THelpViewer::OpenIndexItem);
  connect(show, &QPushButton::clicked, this, [this] { OpenIndexItem(index_->currentItem()); });
  connect(fullText_, &THelpSearchTab::PageChosen, this,
          [this](const QByteArray& path, const QStringList& words) {
            if (file_ != nullptr && Display(HelpPageRef{path.toStdString(), {}})) {
              browser_->Highlight(words);
            }
          });
  UpdateActions();
}

THelpViewer::~THelpViewer() {
  // A kept placement is saved before the window goes.
  if (auto* placement = findChild<TFormPlacement*>(QString(), Qt::FindDirectChildrenOnly)) {
    placement->FormDestroy();
  }
  // The browser may still ask for resources while it is torn down.
  browser_->SetHelpFile(nullptr);
  fullText_->SetHelpFile(nullptr);
}

void THelpViewer::CloseFile() {
  browser_->SetHelpFile(nullptr);
  file_.reset();
  contents_->clear();
  contentsByPage_.clear();
  index_->clear();
  search_->clear();
  fullText_->SetHelpFile(nullptr);
  filePath_.clear();
  setWindowTitle(FromUtf8(kCaption));
}

bool THelpViewer::OpenFile(const QString& name) {
  CloseFile();
  fileName_ = name;
  const HelpFileLocation location =
      LocateHelpFile(name.toStdString(), ProgramFolder(), QDir::currentPath().toStdString() + "/");
  filePath_ = location.Path;
  if (!location.Found) {
    if (location.Searched.size() == 2) {
      ShowMessage(FromUtf8(kMsgFileMissingSearched)
                      .arg(name, FromUtf8(location.Searched[0]), FromUtf8(location.Searched[1])));
    } else {
      ShowMessage(FromUtf8(kMsgFileMissing).arg(name));
    }
    return false;
  }
  HelpFile::Opened opened = HelpFile::Open(location.Path);
  switch (opened.Status) {
  case HelpOpenStatus::Ok:
    break;
  case HelpOpenStatus::Missing:
    ShowMessage(FromUtf8(kMsgFileMissing).arg(DisplayName()));
    return false;
  case HelpOpenStatus::NotAFile:
    ShowMessage(NotAFileMessage(location.Path, DisplayName()));
    return false;
  case HelpOpenStatus::AccessDenied:
    ShowMessage(FromUtf8(kMsgAccessDenied).arg(DisplayName()));
    return false;
  case HelpOpenStatus::Damaged:
    ShowMessage(FromUtf8(kMsgDamaged).arg(DisplayName()));
    return false;
  }
  file_ = std::move(opened.File);
  browser_->SetHelpFile(file_.get());
  newFile_ = true;
  QString title = QString::fromStdString(AnsiToUtf8(file_->System().Title)).trimmed();
  if (title.isEmpty()) {
    title = QFileInfo(name).fileName();
  }
  setWindowTitle(FromUtf8(kCaptionWithFile).arg(title));
  FillContents();
  FillIndex();
  fullText_->SetHelpFile(file_.get());
  UpdateActions();
  return true;
}

QString THelpViewer::DisplayName() const {
  return filePath_.empty() ? fileName_ : FromUtf8(filePath_);
}

QString THelpViewer::CurrentPage() const {
  if (!message_.isEmpty() || file_ == nullptr) {
    return {};
  }
  return browser_->source().path();
}

bool THelpViewer::ShowTopic(const QString& page) {
  if (file_ == nullptr) {
    if (message_.isEmpty()) {
      ShowMessage(FromUtf8(kMsgNoFile));
    }
    return false;
  }
  if (page.isEmpty()) {
    return ShowStartPage();
  }
  const auto found = file_->FindPage(page.toStdString());
  if (!found) {
    ShowPageMissing(page);
    return false;
  }
  return Display(*found);
}

bool THelpViewer::ShowContext(std::uint32_t number) {
  if (file_ == nullptr) {
    if (message_.isEmpty()) {
      ShowMessage(FromUtf8(kMsgNoFile));
    }
    return false;
  }
  const HelpContextLookup lookup = file_->LookUpContext(number);
  if (!lookup.Mapped) {
    ShowMessage(FromUtf8(kMsgContextNotMapped).arg(number).arg(DisplayName()));
    return false;
  }
  if (!lookup.Page) {
    ShowMessage(FromUtf8(kMsgContextPageMissing)
                    .arg(number)
                    .arg(QString::fromStdString(AnsiToUtf8(lookup.Target)), DisplayName()));
    return false;
  }
  return Display(*lookup.Page);
}

bool THelpViewer::ShowStartPage() {
  if (file_ == nullptr) {
    if (message_.isEmpty()) {
      ShowMessage(FromUtf8(kMsgNoFile));
    }
    return false;
  }
  if (!file_->StartPage()) {
    ShowMessage(FromUtf8(kMsgNoPages).arg(DisplayName()));
    return false;
  }
  return Display(*file_->StartPage());
}

bool THelpViewer::Display(const HelpPageRef& page) {
  if (file_->Read(page.Path).Status != ChmReadStatus::Ok) {
    ShowMessage(FromUtf8(kMsgPageDamaged).arg(FromUtf8(page.Path), DisplayName()));
    return false;
  }
  const QUrl url = HelpUrl(page.Path, page.Anchor);
  const bool samePage =
      url.adjusted(QUrl::RemoveFragment) == browser_->source().adjusted(QUrl::RemoveFragment);
  const bool stale = !message_.isEmpty() || newFile_;
  message_.clear();
  browser_->setSource(url);
  // The browser keeps a document it believes current; a message or another file replaced it.
  if (samePage && stale) {
    browser_->reload();
  }
  if (newFile_) {
    // History belongs to one file: drop what led here from the last one.
    browser_->clearHistory();
    newFile_ = false;
  }
  SelectContentsItem(url);
  UpdateActions();
  return true;
}

void THelpViewer::ShowMessage(const QString& text) {
  message_ = text;
  browser_->setHtml(QStringLiteral("<div style=\"margin:16px\"><h3 style=\"color:#8a1c1c\">%1"
                                   "</h3><p>%2</p></div>")
                        .arg(FromUtf8(kMessageHeading).toHtmlEscaped(), text.toHtmlEscaped()));
  UpdateActions();
}

void THelpViewer::ShowPageMissing(const QString& page) {
  ShowMessage(FromUtf8(kMsgPageMissing).arg(page, DisplayName()));
}

void THelpViewer::Navigate(const QUrl& url) {
  if (url.scheme() == QLatin1String(kHelpUrlScheme)) {
    if (file_ == nullptr) {
      return;
    }
    if (const auto path = browser_->ObjectPath(url)) {
      Display(HelpPageRef{*path, url.fragment(QUrl::FullyDecoded).toStdString()});
    } else {
      QString page = url.path(QUrl::FullyDecoded);
      if (page.startsWith('/')) {
        page.remove(0, 1);
      }
      ShowPageMissing(page);
    }
    return;
  }
  if (IsExternal(url)) {
    QDesktopServices::openUrl(url);
    return;
  }
  ShowPageMissing(url.toString());
}

void THelpViewer::OpenLocal(const QString& local) {
  if (local.isEmpty() || file_ == nullptr) {
    return;
  }
  const QUrl url(local);
  if (IsExternal(url)) {
    QDesktopServices::openUrl(url);
    return;
  }
  if (const auto page = file_->FindTarget(local.toStdString())) {
    Display(*page);
  } else {
    ShowPageMissing(local);
  }
}

void THelpViewer::SearchFullText(const QString& text) {
  tabs_->setCurrentWidget(fullText_);
  fullText_->Search(text);
}

void THelpViewer::GoBack() {
  if (!message_.isEmpty() && file_ != nullptr && browser_->source().isValid()) {
    // Back from a message is the page it replaced.
    message_.clear();
    browser_->reload();
    UpdateActions();
    return;
  }
  browser_->backward();
  message_.clear();
  UpdateActions();
}

void THelpViewer::GoForward() {
  browser_->forward();
  message_.clear();
  UpdateActions();
}

void THelpViewer::FillContents() {
  const std::vector<SitemapEntry>& entries = file_->Contents();
  std::vector<QTreeWidgetItem*> items;
  items.reserve(entries.size());
  const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
  const QIcon pageIcon = style()->standardIcon(QStyle::SP_FileIcon);
  for (const SitemapEntry& entry : entries) {
    QTreeWidgetItem* item = entry.Parent >= 0
                                ? new QTreeWidgetItem(items[static_cast<size_t>(entry.Parent)])
                                : new QTreeWidgetItem(contents_);
    const QString local = entry.Locals.empty() ? QString() : FromUtf8(entry.Locals.front());
    item->setText(0, entry.Names.empty() ? local : FromUtf8(entry.Names.front()));
    item->setData(0, Qt::UserRole, local);
    item->setIcon(0, local.isEmpty() ? folderIcon : pageIcon);
    if (!entry.Locals.empty()) {
      if (const auto page = file_->FindTarget(entry.Locals.front())) {
        item->setData(0, kAnchorRole, FromUtf8(page->Anchor));
        contentsByPage_[FromUtf8(page->Path).toLower()].append(item);
      }
    }
    items.push_back(item);
  }
  if (static_cast<int>(entries.size()) <= kExpandAllLimit) {
    contents_->expandAll();
  }
}

void THelpViewer::FillIndex() {
  const std::vector<SitemapEntry>& entries = file_->Index();
  QHash<QString, int> keywordCount;
  for (const SitemapEntry& entry : entries) {
    if (!entry.Names.empty()) {
      ++keywordCount[FromUtf8(entry.Names.front())];
    }
  }
  for (const SitemapEntry& entry : entries) {
    QString text = entry.Names.empty() ? QString() : FromUtf8(entry.Names.front());
    if (entry.Names.size() > 1 && keywordCount.value(text) > 1) {
      text = FromUtf8(kIndexWithTopic).arg(text, FromUtf8(entry.Names[1]));
    }
    QStringList locals;
    for (const std::string& local : entry.Locals) {
      locals << FromUtf8(local);
    }
    auto* item = new QListWidgetItem(QString(entry.Depth * 4, ' ') + text, index_);
    item->setData(Qt::UserRole, locals);
    if (entry.Names.size() > 1) {
      item->setToolTip(FromUtf8(entry.Names[1]));
    }
  }
}

void THelpViewer::SearchIndex(const QString& text) {
  const QString wanted = text.trimmed();
  if (wanted.isEmpty()) {
    return;
  }
  for (int row = 0; row < index_->count(); ++row) {
    QListWidgetItem* item = index_->item(row);
    if (item->text().trimmed().startsWith(wanted, Qt::CaseInsensitive)) {
      index_->setCurrentItem(item);
      index_->scrollToItem(item, QAbstractItemView::PositionAtTop);
      return;
    }
  }
}

void THelpViewer::OpenIndexItem(QListWidgetItem* item) {
  if (item == nullptr) {
    return;
  }
  const QStringList locals = item->data(Qt::UserRole).toStringList();
  if (!locals.isEmpty()) {
    OpenLocal(locals.front());
  }
}

void THelpViewer::SelectContentsItem(const QUrl& url) {
  const QList<QTreeWidgetItem*> items =
      contentsByPage_.value(url.path(QUrl::FullyDecoded).toLower());
  if (items.isEmpty()) {
    return;
  }
  // The item of the anchor shown; without one, the item whose anchor comes first on the page.
  QTreeWidgetItem* item = nullptr;
  const QString fragment = url.fragment(QUrl::FullyDecoded);
  for (QTreeWidgetItem* candidate : items) {
    if (!fragment.isEmpty() && candidate->data(0, kAnchorRole).toString() == fragment) {
      item = candidate;
      break;
    }
  }
  if (item == nullptr) {
    const QStringList anchors = AnchorsInOrder(*browser_->document());
    qsizetype best = anchors.size() + 1;
    for (QTreeWidgetItem* candidate : items) {
      qsizetype at = anchors.indexOf(candidate->data(0, kAnchorRole).toString());
      at = at < 0 ? anchors.size() : at;
      if (at < best) {
        best = at;
        item = candidate;
      }
    }
  }
  if (contents_->currentItem() != item) {
    const QSignalBlocker block(contents_);
    contents_->setCurrentItem(item);
    contents_->scrollToItem(item);
  }
}

void THelpViewer::UpdateActions() {
  const bool replacedPage = !message_.isEmpty() && file_ != nullptr && browser_->source().isValid();
  back_->setEnabled(browser_->isBackwardAvailable() || replacedPage);
  forward_->setEnabled(browser_->isForwardAvailable() && message_.isEmpty());
  home_->setEnabled(file_ != nullptr && file_->StartPage().has_value());
}

namespace {

/// Keeps the help window usable while a modal box or dialog is open: whenever a modal window
/// would block it, the help window becomes that window's transient, which a modal window does
/// not block. So the help a box asks for can be read, scrolled and searched while the box
/// stays open.
class ModalExemption final : public QObject {
public:
  explicit ModalExemption(QWindow* window) : QObject(window), window_(window) {
    window->installEventFilter(this);
  }

  void Apply() {
    QWindow* modal = QGuiApplication::modalWindow();
    if (modal == window_) {
      modal = nullptr;
    }
    QObject::disconnect(hidden_);
    window_->setTransientParent(modal);
    // When that window goes, the help window follows the next modal window, or no window.
    if (modal != nullptr) {
      hidden_ = connect(modal, &QWindow::visibleChanged, this, [this](bool visible) {
        if (!visible) {
          Apply();
        }
      });
    }
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ && event->type() == QEvent::WindowBlocked) {
      Apply();
    }
    return QObject::eventFilter(watched, event);
  }

private:
  QWindow* window_;
  QMetaObject::Connection hidden_;
};

/// The screen a help request comes from: that of the window in use, else the primary one.
QScreen* RequestScreen() {
  for (const QWidget* window : {QApplication::activeModalWidget(), QApplication::activeWindow()}) {
    if (window != nullptr && window->screen() != nullptr) {
      return window->screen();
    }
  }
  return QGuiApplication::primaryScreen();
}

/// Puts viewer wholly on a screen. A window placed before (in this run or a stored placement)
/// stays on the screen its centre lies on; one never placed, or whose centre lies on no screen,
/// is centred on requestScreen. It is shrunk where the screen is smaller and moved in where it
/// sticks out.
void PlaceOn(THelpViewer& viewer, QScreen* requestScreen) {
  const QMargins margins = FrameMarginsOf(&viewer);
  QRect frame = FrameOf(&viewer);
  QScreen* screen =
      viewer.testAttribute(Qt::WA_Moved) ? QGuiApplication::screenAt(frame.center()) : nullptr;
  const bool centre = screen == nullptr;
  if (centre) {
    screen = requestScreen;
  }
  if (screen == nullptr) {
    return;
  }
  const QRect available = screen->availableGeometry();
  const QSize size = viewer.size().boundedTo(available.size().shrunkBy(margins));
  if (size != viewer.size()) {
    viewer.resize(size);
  }
  frame.setSize(size.grownBy(margins));
  if (centre) {
    frame.moveCenter(available.center());
  }
  MoveFrameTo(&viewer, KeepOnScreen(frame, available).topLeft());
}

} // namespace

THelpViewer& SharedHelpViewer() {
  static QPointer<THelpViewer> viewer;
  if (viewer.isNull()) {
    viewer = new THelpViewer;
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    // The help window alone does not keep the program running; it goes when the program does.
    viewer->setAttribute(Qt::WA_QuitOnClose, false);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, viewer.data(), &QObject::deleteLater);
    // Its placement is kept between program runs, as the other windows keep theirs.
    auto* placement = new TFormPlacement(viewer);
    placement->setObjectName(QStringLiteral("FormPlacement1"));
    placement->SetIniFileName(QString::fromUtf8(kFormStorageKey));
    placement->SetIniSection(QString::fromUtf8(kSectionHelp));
    viewer->winId();
    new ModalExemption(viewer->windowHandle());
  }
  return *viewer;
}

namespace {

/// The shared window with the file of fileText open; returns false when it could not be.
bool OpenShared(THelpViewer& viewer, const QString& file) {
  if (viewer.HasFile() && viewer.FileName() == file) {
    return true;
  }
  return viewer.OpenFile(file);
}

void Present(THelpViewer& viewer) {
  QScreen* screen = RequestScreen();
  if (auto* exemption = viewer.windowHandle()->findChild<ModalExemption*>()) {
    exemption->Apply();
  }
  viewer.show();
  PlaceOn(viewer, screen);
  viewer.raise();
  viewer.activateWindow();
}

} // namespace

void ShowHelp(const QString& fileText, const QString& topic) {
  const HelpFileText parts = SplitHelpFileText(fileText.toStdString());
  THelpViewer& viewer = SharedHelpViewer();
  if (OpenShared(viewer, FromUtf8(parts.File))) {
    viewer.ShowTopic(topic.isEmpty() ? FromUtf8(parts.Page) : topic);
  }
  Present(viewer);
}

void ShowHelpContext(const QString& fileText, std::uint32_t number) {
  const HelpFileText parts = SplitHelpFileText(fileText.toStdString());
  THelpViewer& viewer = SharedHelpViewer();
  if (OpenShared(viewer, FromUtf8(parts.File))) {
    viewer.ShowContext(number);
  }
  Present(viewer);
}

void ShowInHelpViewer(WId /*parent*/, const QString& fileText, unsigned command,
                      const HtmlHelpData& data) {
  if (command == HH_DISPLAY_TOPIC) {
    const QString* topic = std::get_if<QString>(&data);
    ShowHelp(fileText, topic != nullptr ? *topic : QString());
  } else if (command == HH_HELP_CONTEXT) {
    if (const std::uint32_t* number = std::get_if<std::uint32_t>(&data)) {
      ShowHelpContext(fileText, *number);
    }
  }
}

} // namespace qm
