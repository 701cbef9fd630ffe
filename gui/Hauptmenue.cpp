#include "gui/Hauptmenue.h"

#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/Paths.h"
#include "desktop/DirectoryPickerDialog.h"
#include "desktop/FormStorage.h"
#include "desktop/FormStorageTexts.h"
#include "desktop/HelpRequests.h"
#include "desktop/HtmlHelpGateway.h"
#include "desktop/QtText.h"
#include "desktop/UserDialogs.h"
#include "engine/EnumTable.h"
#include "gui/ConversionRun.h"
#include "gui/ErrorBox.h"
#include "gui/Fortschritt.h"
#include "gui/HTMLEditor.h"
#include "gui/Images.h"
#include "gui/Info.h"
#include "gui/SettingsView.h"
#include "gui/SourceKindBoxes.h"
#include "gui/UiTexts.h"
#include "gui/WindowParts.h"
#include "gui/WindowState.h"
#include "gui/WorkshopProj.h"
#include "gui/ZusaetzlicheDateien.h"
#include "project/ProjectFile.h"
#include "project/ProjectModel.h"
#include "project/RunSummary.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <exception>
#include <functional>

namespace qm::ui {

namespace {

// The design's geometry: group boxes 441 wide, 153, 53 and 92 high, 3 pixels apart under the
// tool bar; path edits 397 wide with a 21 x 21 picker button. Layouts grow a part only where
// a text of this platform's fonts needs more room.
constexpr int kGroupWidth = 441;
constexpr int kInputGroupHeight = 153;
constexpr int kOptionsGroupHeight = 78;
constexpr int kOutputGroupHeight = 92;
constexpr int kGroupGap = 3;
constexpr int kPathEditWidth = 397;
constexpr int kToolButtonWidth = 91;
constexpr int kGroupMargin = 8;

QGroupBox* AddGroup(QWidget* parent, QLayout* layout, const char* name, const char* caption,
                    int height) {
  auto* group = new QGroupBox(UiText(caption), parent);
  group->setObjectName(QLatin1String(name));
  group->setMinimumSize(kGroupWidth, height);
  layout->addWidget(group);
  return group;
}

// The layout inside a group box: close to the frame, as the design's small controls are.
template <typename Layout> Layout* GroupLayout(QGroupBox* group) {
  auto* layout = new Layout(group);
  layout->setContentsMargins(kGroupMargin, kGroupMargin / 2, kGroupMargin, kGroupMargin);
  layout->setSpacing(2);
  return layout;
}

QCheckBox* AddCheckBox(QWidget* parent, const char* name, const char* caption, const char* hint,
                       bool checked) {
  auto* box = new QCheckBox(UiText(caption), parent);
  box->setObjectName(QLatin1String(name));
  box->setToolTip(UiText(hint));
  box->setChecked(checked);
  return box;
}

QLabel* AddLabel(QWidget* parent, QLayout* layout, const char* name, const char* text) {
  auto* label = new QLabel(UiText(text), parent);
  label->setObjectName(QLatin1String(name));
  layout->addWidget(label);
  return label;
}

// A path edit with its picker button beside it.
QLineEdit* AddPathRow(QWidget* parent, QBoxLayout* layout, const char* editName, const char* hint,
                      const char* buttonName, QToolButton** button) {
  auto* row = new QHBoxLayout;
  row->setSpacing(2);
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QLatin1String(editName));
  edit->setToolTip(UiText(hint));
  edit->setMinimumWidth(kPathEditWidth);
  row->addWidget(edit, 1);
  *button = NewPickerButton(parent, buttonName);
  row->addWidget(*button);
  layout->addLayout(row);
  return edit;
}

// The order in which the window's stored values list the kinds' check boxes.
constexpr std::array<SourceKind, kSourceKindCount> kStoredKindOrder{
    SourceKind::Assembler, SourceKind::Basic,  SourceKind::C,   SourceKind::HTML,
    SourceKind::Java,      SourceKind::Pascal, SourceKind::SQL, SourceKind::InstallShield,
};
static_assert(ListsEachOnce(kStoredKindOrder), "every kind's check box is stored once");

// The values of the window that its form storage keeps, in the order it restores them. The
// additional-files folder, the automatic line break and the project file are not kept: each
// start begins without them.
QStringList StoredValues() {
  QStringList values = {QStringLiteral("Edt_Ausgabepfad.Text"),
                        QStringLiteral("Edt_Eingabepfad.Text"),
                        QStringLiteral("chkUnterordner.Checked")};
  for (SourceKind kind : kStoredKindOrder) {
    values << UiText(SourceKindInfoOf(kind).boxName) + QStringLiteral(".Checked");
  }
  values << QStringLiteral("optOEM.Checked") << QStringLiteral("optEigeneDateien.Checked")
         << QStringLiteral("cmbQuellkodierung.CurrentIndex");
  return values;
}

} // namespace

TLex_Hauptmenue::TLex_Hauptmenue(const std::string& programFolder, const QStringList& arguments,
                                 QWidget* parent)
    : QMainWindow(parent), model_(std::make_unique<ProjectModel>(programFolder)),
      arguments_(arguments) {
  setObjectName(QStringLiteral("Lex_Hauptmenue"));
  setWindowTitle(UiText(kMainCaption));
  setWindowIcon(ProgramImage());
  // A fixed-size window: system menu and close box only, no minimize or maximize.
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
  SetHelpContext(this, kHelpMainWindow);

  help_ = new THtmlHelpGateway(this);
  help_->setObjectName(QStringLiteral("Help"));
  help_->SetChmFile(QString::fromUtf8(kHelpFile));
  inputPicker_ = new DirectoryPickerDialog(this);
  inputPicker_->setObjectName(QStringLiteral("Dlg_Eingabepfad"));
  outputPicker_ = new DirectoryPickerDialog(this);
  outputPicker_->setObjectName(QStringLiteral("Dlg_Ausgabepfad"));

  BuildToolBar();
  BuildMenu();
  BuildControls();
  BuildStatusLine();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  // Sized now, not when first shown: the stored placement is restored onto this size, and a
  // box shown before the window keeps it.
  layout()->activate();
  // Restored when the window is first shown, before a project named on the command line is
  // loaded.
  formStorage_ = CreateFormStorage(this, kSectionMenue, StoredValues());
  BindControls();
  StartModel();
  ClearStatusOnEdits();
  info_ = new TLex_Info(this);
  UpdateCommands();
}

TLex_Hauptmenue::~TLex_Hauptmenue() {
  // Saves the window as destroyed unless its close saved it already ("&Beenden").
  formStorage_->FormDestroy();
  // A run still going is stopped and waited for before the model goes.
  delete run_;
  // The dialog shows the model too: it goes first.
  delete workshop_;
}

void TLex_Hauptmenue::StartModel() {
  try {
    model_->ReadInstallation();
  } catch (const Error& e) {
    // The window still opens; the commands that need the generator stay off.
    ShowError(ErrorText(e));
  }
  model_->StartFresh();
  // Created also without a generator: its values are the project's, and its command is off.
  workshop_ = new TLex_WorkshopProj(this, *model_);
  connect(workshop_, &TLex_WorkshopProj::RunEnded, this, &TLex_Hauptmenue::SetStatus);
  InstallHelpHandler(
      this, [this](int context) { help_->DisplayContext(static_cast<std::uint32_t>(context)); });
  inputPicker_->SetTitle(UiText(kTitlePickInput));
  outputPicker_->SetTitle(UiText(kTitlePickOutput));
}

void TLex_Hauptmenue::BuildStatusLine() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar1"));
  bar->setSizeGripEnabled(false);
  statusLabel_ = new ElidedLabel(bar);
  statusLabel_->setObjectName(QStringLiteral("Lbl_Status"));
  bar->addWidget(statusLabel_, 1);
}

void TLex_Hauptmenue::ClearStatusOnEdits() {
  // Any edit makes the last run's word stale: the fields, the boxes, a project opened.
  const auto clear = [this] { SetStatus(QString()); };
  for (QLineEdit* edit : centralWidget()->findChildren<QLineEdit*>()) {
    connect(edit, &QLineEdit::textChanged, this, clear);
  }
  for (QCheckBox* box : centralWidget()->findChildren<QCheckBox*>()) {
    connect(box, &QCheckBox::toggled, this, clear);
  }
  connect(sourceEncodingBox_, &QComboBox::currentIndexChanged, this, clear);
  model_->Observe(clear);
}

QString TLex_Hauptmenue::StatusText() const {
  return statusLabel_->FullText();
}

void TLex_Hauptmenue::SetStatus(const QString& text) {
  // One line: a message of several lines is joined.
  statusLabel_->SetFullText(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')));
}

QString TLex_Hauptmenue::ConversionStatus(JobOutcome outcome, const QString& failure,
                                          int warnings) const {
  if (!failure.isEmpty()) {
    return failure;
  }
  switch (outcome) {
  case JobOutcome::Declined:
    return {};
  case JobOutcome::Cancelled: {
    const TLex_Fortschritt* progress = run_->ProgressWindow();
    return QString::asprintf(kStatusCancelled, progress != nullptr ? progress->FilesDone() : 0,
                             progress != nullptr ? progress->FileCount() : 0);
  }
  case JobOutcome::Converted:
    break;
  }
  return QString::fromStdString(RunSummaryLine(run_->Job().Result().Counts, warnings));
}

void TLex_Hauptmenue::BuildToolBar() {
  toolBar_ = AddTopToolBar(this);
  setContextMenuPolicy(Qt::NoContextMenu);

  const auto addButton = [this](const char* name, const char* caption, const char* hint,
                                const QIcon& image, Handler handler, unsigned needs) {
    QAction* action = AddCommand(toolBar_, name, caption, handler, needs);
    // Set apart from the text, so the blanks around "Konvertieren" stay.
    action->setIconText(QString::fromUtf8(caption));
    action->setToolTip(UiText(hint));
    action->setIcon(image);
    NameToolButton(toolBar_, action, name, kToolButtonWidth);
  };
  addButton("ToolButton1", kToolExit, kToolExitHint, ExitImage(), &TLex_Hauptmenue::OnExit,
            kAlways);
  addButton("ToolButton3", kToolConvert, kToolConvertHint, ConvertImage(),
            &TLex_Hauptmenue::OnConvert, kNeedsGenerator | kNotDuringRun);
  AddToolSeparator(toolBar_, "ToolButton4");
  addButton("ToolButton2", kToolInfo, kToolInfoHint, InfoImage(), &TLex_Hauptmenue::OnAbout,
            kAlways);
}

void TLex_Hauptmenue::BuildMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  const auto addMenu = [bar](const char* name, const char* text) {
    QMenu* menu = bar->addMenu(UiText(text));
    menu->setObjectName(QLatin1String(name));
    return menu;
  };
  constexpr unsigned kProjectCommand = kNeedsGenerator | kNotDuringRun;

  QMenu* file = addMenu("Datei1", kMenuFile);
  AddCommand(file, "Oeffnen1", kMenuOpen, &TLex_Hauptmenue::OnOpenProject, kProjectCommand,
             kShortcutOpen);
  file->addSeparator();
  AddCommand(file, "Speichern1", kMenuSave, &TLex_Hauptmenue::OnSaveProject, kNeedsGenerator,
             kShortcutSave);
  AddCommand(file, "Speichernunter1", kMenuSaveAs, &TLex_Hauptmenue::OnSaveProjectAs,
             kNeedsGenerator);
  file->addSeparator();
  AddCommand(file, "Beenden1", kMenuExit, &TLex_Hauptmenue::OnExit, kAlways, kShortcutExit);

  QMenu* templates = addMenu("HTMLVorlagen1", kMenuTemplates);
  // The template commands stand in the order of a page, the kinds apart by a separator.
  for (size_t i = 0; i < kTemplateMenuOrder.size(); ++i) {
    const TemplateInfo& t = TemplateInfoOf(kTemplateMenuOrder[i]);
    if (i > 0 && TemplateInfoOf(kTemplateMenuOrder[i - 1]).kind != t.kind) {
      templates->addSeparator();
    }
    AddAction(
        templates, t.menuName, UiText(t.menuCaption), [this, id = t.id] { OnEditTemplate(id); },
        kProjectCommand);
  }
  templates->addSeparator();
  AddCommand(templates, "ZustzlicheDateien1", kMenuExtraFiles,
             &TLex_Hauptmenue::OnEditExtraFilesFolder, kNotDuringRun);

  QMenu* project = addMenu("Projekt1", kMenuProject);
  convertCommand_ = AddCommand(project, "HTMLAusgabegenerieren1", kMenuConvert,
                               &TLex_Hauptmenue::OnConvert, kProjectCommand, kShortcutConvert);
  project->addSeparator();
  AddCommand(project, "HelpWorkshopProjektgenerieren1", kMenuHelpWorkshop,
             &TLex_Hauptmenue::OnGenerateHelpProject, kProjectCommand);

  QMenu* help = addMenu("Fragezeichen1", kMenuHelp);
  AddCommand(help, "Willkommen1", kMenuWelcome, &TLex_Hauptmenue::OnShowWelcome, kAlways);
  AddCommand(help, "Hilfe1", kMenuHelpTopics, &TLex_Hauptmenue::OnShowHelp, kAlways);
  help->addSeparator();
  AddCommand(help, "Info1", kMenuInfo, &TLex_Hauptmenue::OnAbout, kAlways);
}

QAction* TLex_Hauptmenue::AddCommand(QWidget* host, const char* name, const char* text,
                                     Handler handler, unsigned needs, const char* shortcut) {
  return AddAction(
      host, name, UiText(text), [this, handler] { (this->*handler)(); }, needs, shortcut);
}

QAction* TLex_Hauptmenue::AddAction(QWidget* host, std::string_view name, const QString& text,
                                    std::function<void()> command, unsigned needs,
                                    const char* shortcut) {
  auto* action = new QAction(text, this);
  action->setObjectName(QLatin1String(name.data(), static_cast<qsizetype>(name.size())));
  if (shortcut != nullptr) {
    action->setShortcut(QKeySequence(QLatin1String(shortcut)));
    // The window's shortcuts work from every control of the window.
    action->setShortcutContext(Qt::WindowShortcut);
  }
  connect(action, &QAction::triggered, this,
          [this, command = std::move(command)] { Guarded(command); });
  host->addAction(action);
  commands_.push_back({action, needs});
  return action;
}

void TLex_Hauptmenue::UpdateCommands() {
  for (const Command& command : commands_) {
    bool enabled = true;
    if ((command.needs & kNeedsGenerator) != 0 && model_->Generator() == nullptr) {
      enabled = false;
    }
    if ((command.needs & kNotDuringRun) != 0 && run_ != nullptr) {
      enabled = false;
    }
    command.action->setEnabled(enabled);
  }
}

void TLex_Hauptmenue::BuildControls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("Client"));
  auto* groups = new QVBoxLayout(client);
  groups->setContentsMargins(0, kGroupGap, 1, kGroupGap + 1);
  groups->setSpacing(kGroupGap);

  QGroupBox* input = AddGroup(client, groups, "GroupBox1", kGroupInput, kInputGroupHeight);
  auto* inInput = GroupLayout<QVBoxLayout>(input);
  AddLabel(input, inInput, "Label1", kLabelPath);
  QToolButton* pickInput = nullptr;
  inputPathEdit_ =
      AddPathRow(input, inInput, "Edt_Eingabepfad", kHintInputPath, "Btn_Eingabepfad", &pickInput);
  subfoldersBox_ = AddCheckBox(input, "chkUnterordner", kCaptionSubfolders, kHintSubfolders, true);
  inInput->addWidget(subfoldersBox_);
  auto* kinds = new QGridLayout;
  kinds->setVerticalSpacing(0);
  kindBoxes_ = std::make_unique<SourceKindBoxes>(input, kinds, kSourceKindTable);
  inInput->addLayout(kinds);

  QGroupBox* options = AddGroup(client, groups, "GroupBox3", kGroupOptions, kOptionsGroupHeight);
  // The three options do not fit in one row at the design's width; they take two rows in the
  // columns of the kinds above.
  auto* inOptions = GroupLayout<QGridLayout>(options);
  inOptions->setVerticalSpacing(0);
  autoLineBreakBox_ =
      AddCheckBox(options, "optAutoTrenn", kCaptionAutoLineBreak, kHintAutoLineBreak, true);
  oemToAnsiBox_ = AddCheckBox(options, "optOEM", kCaptionOemToAnsi, kHintOemToAnsi, false);
  oneFilePerBlockBox_ = AddCheckBox(options, "optEigeneDateien", kCaptionOneFilePerBlock,
                                    kHintOneFilePerBlock, false);
  // The encodings in the order of their table, which the stored index counts in.
  sourceEncodingBox_ = new QComboBox(options);
  sourceEncodingBox_->setObjectName(QStringLiteral("cmbQuellkodierung"));
  sourceEncodingBox_->setToolTip(UiText(kHintSourceEncoding));
  for (const SourceEncodingInfo& info : kSourceEncodingTable) {
    sourceEncodingBox_->addItem(UiText(info.caption));
  }
  auto* encodingLabel = new QLabel(UiText(kLabelSourceEncoding), options);
  encodingLabel->setObjectName(QStringLiteral("lblQuellkodierung"));
  encodingLabel->setBuddy(sourceEncodingBox_);
  inOptions->addWidget(autoLineBreakBox_, 0, 0);
  inOptions->addWidget(oemToAnsiBox_, 0, 1);
  inOptions->addWidget(oneFilePerBlockBox_, 1, 0, 1, 2);
  inOptions->addWidget(encodingLabel, 2, 0);
  inOptions->addWidget(sourceEncodingBox_, 2, 1, Qt::AlignLeft);
  // Both grids share their first column's width, so the second columns line up.
  const int firstColumn =
      std::max(autoLineBreakBox_->sizeHint().width(), kindBoxes_->LeftColumnWidth());
  kinds->setColumnMinimumWidth(0, firstColumn);
  inOptions->setColumnMinimumWidth(0, firstColumn);
  inOptions->setColumnStretch(1, 1);
  kinds->setColumnStretch(1, 1);

  QGroupBox* output = AddGroup(client, groups, "GroupBox2", kGroupOutput, kOutputGroupHeight);
  auto* inOutput = GroupLayout<QVBoxLayout>(output);
  AddLabel(output, inOutput, "Label4", kLabelPath);
  QToolButton* pickOutput = nullptr;
  outputPathEdit_ = AddPathRow(output, inOutput, "Edt_Ausgabepfad", kHintOutputPath,
                               "Btn_Ausgabepfad", &pickOutput);
  AddLabel(output, inOutput, "Label2", kOutputNote);

  setCentralWidget(client);

  connect(pickInput, &QToolButton::clicked, this,
          [this] { Guarded([this] { OnPickInputFolder(); }); });
  connect(pickOutput, &QToolButton::clicked, this,
          [this] { Guarded([this] { OnPickOutputFolder(); }); });
  // Every change to ticked warns: by the user, by a project or by restored values.
  connect(oneFilePerBlockBox_, &QCheckBox::toggled, this,
          &TLex_Hauptmenue::OnOneFilePerBlockToggled);
  // Ctrl+K is the conversion's also inside an edit, where the platform would delete to the end
  // of the line.
  inputPathEdit_->installEventFilter(this);
  outputPathEdit_->installEventFilter(this);
}

template <typename F> void TLex_Hauptmenue::Guarded(F command) {
  RunGuarded(this, command);
}

void TLex_Hauptmenue::ShowError(const QString& message) {
  ShowErrorBox(this, message);
}

void TLex_Hauptmenue::ShowWarnings(const WarningList& warnings) {
  MessageRequest request;
  request.Kind = MessageKind::Warning;
  request.Text = RunWarningsText(warnings);
  request.Buttons = MessageButton::Ok | MessageButton::Help;
  request.HelpContext = kHelpConversion;
  Dialogs().Message(this, request);
}

void TLex_Hauptmenue::BindControls() {
  // In the order a project file lists the values, which is the order they are shown in.
  view_ = std::make_unique<SettingsView>(*model_);
  view_->Bind(
      inputPathEdit_, [](auto& s) -> auto& { return s.InputPath; }, TextField::InputPath,
      kFieldInputPath);
  view_->Bind(
      subfoldersBox_, [](auto& s) -> auto& { return s.IncludeSubfolders; });
  view_->Add([this] { kindBoxes_->Tick(model_->Settings().Kinds); });
  kindBoxes_->OnToggled(
      [this](SourceKind kind, bool ticked) { model_->Edit().Kinds.Set(kind, ticked); });
  view_->Bind(
      outputPathEdit_, [](auto& s) -> auto& { return s.OutputPath; }, TextField::OutputPath,
      kFieldOutputPath);
  view_->Bind(
      autoLineBreakBox_, [](auto& s) -> auto& { return s.AutoLineBreak; });
  view_->Bind(
      oemToAnsiBox_, [](auto& s) -> auto& { return s.OemToAnsi; });
  view_->Bind(
      oneFilePerBlockBox_, [](auto& s) -> auto& { return s.OneFilePerBlock; });
  // The window has no field for the exclude patterns: the input folder's tooltip names them.
  view_->Add([this] {
    QString hint = UiText(kHintInputPath);
    const Lines& patterns = model_->Settings().ExcludePatterns;
    if (!patterns.empty()) {
      QStringList shown;
      for (const std::string& pattern : patterns) {
        shown << FromAnsi(pattern);
      }
      hint +=
          QLatin1Char('\n') + UiText(kHintExcludePatterns) + shown.join(UiText(kPatternSeparator));
    }
    inputPathEdit_->setToolTip(hint);
  });
  view_->Add([this] {
    sourceEncodingBox_->setCurrentIndex(static_cast<int>(EnumIndex(model_->Settings().Encoding)));
  });
  connect(sourceEncodingBox_, &QComboBox::currentIndexChanged, this, [this](int index) {
    // A stored index that names no entry leaves the box empty; it reads as the default.
    model_->Edit().Encoding = index >= 0 && static_cast<size_t>(index) < kSourceEncodingTable.size()
                                  ? kSourceEncodingTable[static_cast<size_t>(index)].encoding
                                  : SourceEncoding::Auto;
  });
}

QWidget* TLex_Hauptmenue::ProgressWindow() const {
  return run_ != nullptr ? run_->ProgressWindow() : nullptr;
}

void TLex_Hauptmenue::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // A form storage restores its values on the Show event, before this runs.
  if (!shown_) {
    shown_ = true;
    Guarded([this] { OpenProjectOfCommandLine(); });
    // Once the window system has the window placed and shown.
    QTimer::singleShot(0, this, &TLex_Hauptmenue::WindowPlaced);
  }
}

void TLex_Hauptmenue::OpenProjectOfCommandLine() {
  // As with "&Öffnen...", an unreadable project does not become the current one.
  if (arguments_.size() == 1 && model_->Generator() != nullptr) {
    model_->Open(ToPath(arguments_.constFirst()));
  }
}

void TLex_Hauptmenue::closeEvent(QCloseEvent* event) {
  if (run_ != nullptr) {
    // The run stops before its next file; the window closes when it has ended.
    closeWhenRunEnds_ = true;
    run_->Abandon();
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

bool TLex_Hauptmenue::eventFilter(QObject* watched, QEvent* event) {
  // Ctrl+K in an edit converts, where the edit would delete to the end of the line: the edit
  // claims the key from the shortcut handling and this filter hands it to the command.
  if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (QKeySequence(key->keyCombination()) == QKeySequence(QLatin1String(kShortcutConvert))) {
      if (event->type() == QEvent::KeyPress) {
        convertCommand_->trigger();
      }
      event->accept();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TLex_Hauptmenue::OnExit() {
  // Ends the event loop without closing a window (QCoreApplication::quit() would close them
  // all first), so the window is saved as it is destroyed, with "Visible" "1"; its close box
  // saves it as closed.
  QCoreApplication::exit(0);
}

void TLex_Hauptmenue::OnAbout() {
  info_->open();
}

void TLex_Hauptmenue::OnPickInputFolder() {
  if (inputPicker_->Execute()) {
    inputPathEdit_->setText(inputPicker_->Directory());
  }
}

void TLex_Hauptmenue::OnPickOutputFolder() {
  if (outputPicker_->Execute()) {
    outputPathEdit_->setText(outputPicker_->Directory());
  }
}

void TLex_Hauptmenue::OnOneFilePerBlockToggled(bool ticked) {
  if (!ticked) {
    return;
  }
  // Ticked while the window opens (its stored values, a project of the command line): the
  // warning waits until the window stands placed on the screen, and then comes over it.
  if (isVisible() && !placed_) {
    oneFileWarningPending_ = true;
    return;
  }
  ShowOneFilePerBlockWarning();
}

void TLex_Hauptmenue::ShowOneFilePerBlockWarning() {
  MessageRequest request;
  request.Kind = MessageKind::Warning;
  request.Text = UiText(kMsgOneFilePerBlock);
  request.Buttons = MessageButton::Ok | MessageButton::Help;
  request.HelpContext = kHelpOneFilePerBlock;
  Dialogs().Message(isVisible() ? this : nullptr, request);
}

void TLex_Hauptmenue::WindowPlaced() {
  placed_ = true;
  if (oneFileWarningPending_) {
    oneFileWarningPending_ = false;
    ShowOneFilePerBlockWarning();
  }
}

void TLex_Hauptmenue::OnShowWelcome() {
  help_->DisplayTopic(QString::fromUtf8(kTopicWelcome));
}

void TLex_Hauptmenue::OnShowHelp() {
  help_->DisplayTopic(QString::fromUtf8(kTopicHelp));
}

void TLex_Hauptmenue::OnConvert() {
  if (model_->Generator() == nullptr || run_ != nullptr) {
    return;
  }
  run_ = new ConversionRun(this, model_->NewConversion(), progressPauseMs_);
  connect(run_, &ConversionRun::Ended, this, &TLex_Hauptmenue::OnConversionEnded);
  UpdateCommands();
  run_->Start();
}

void TLex_Hauptmenue::OnConversionEnded() {
  model_->ConversionDone(run_->Job());
  const QString failure = run_->Failure();
  const WarningList warnings = run_->Warnings();
  SetStatus(ConversionStatus(run_->Outcome(), failure, static_cast<int>(warnings.size())));
  run_->deleteLater();
  run_ = nullptr;
  UpdateCommands();
  if (!failure.isEmpty()) {
    ShowError(failure);
  }
  if (!warnings.empty()) {
    ShowWarnings(warnings);
  }
  emit ConversionEnded();
  if (closeWhenRunEnds_) {
    close();
  }
}

namespace {

FileRequest ProjectFileRequest() {
  FileRequest request;
  request.Filters = {QString::fromUtf8(kFilterProjects), QString::fromUtf8(kFilterAllFiles)};
  request.DefaultSuffix = QString::fromUtf8(kProjectExtension);
  return request;
}

// A typed name without an extension gets ".qmpr". When opening, a file of the bare name that
// exists is taken as it is.
QString WithProjectExtension(const QString& chosen, bool opening) {
  if (!ExtractFileExt(ToPath(chosen)).empty() || (opening && FileExists(ToPath(chosen)))) {
    return chosen;
  }
  return chosen + QLatin1Char('.') + QString::fromUtf8(kProjectExtension);
}

} // namespace

void TLex_Hauptmenue::OnOpenProject() {
  const std::optional<QString> chosen = Dialogs().OpenFile(this, ProjectFileRequest());
  if (!chosen) {
    return;
  }
  // A file that cannot be read loads nothing and does not become the current project, so a
  // later "&Speichern" does not write into it.
  model_->Open(ToPath(WithProjectExtension(*chosen, true)));
}

bool TLex_Hauptmenue::ConfirmSaveInto(const std::string& path) {
  // Saving merges the project into the file: into some other file only when the user says so.
  if (!FileExists(path) || HoldsProjectSection(path)) {
    return true;
  }
  MessageRequest request;
  request.Kind = MessageKind::Confirmation;
  request.Text = UiText(kMsgSaveIntoForeignFile).replace(QLatin1String("%s"), FromPath(path));
  request.Buttons = MessageButton::Yes | MessageButton::No;
  return Dialogs().Message(this, request) == MessageButton::Yes;
}

void TLex_Hauptmenue::OnSaveProject() {
  if (model_->CurrentProjectFile().empty()) {
    OnSaveProjectAs();
    return;
  }
  if (ConfirmSaveInto(model_->CurrentProjectFile())) {
    model_->Save();
  }
}

void TLex_Hauptmenue::OnSaveProjectAs() {
  for (;;) {
    const std::optional<QString> chosen = Dialogs().SaveFile(this, ProjectFileRequest());
    if (!chosen) {
      return;
    }
    const QString name = WithProjectExtension(*chosen, false);
    if (FileExists(ToPath(name))) {
      MessageRequest request;
      request.Kind = MessageKind::Confirmation;
      request.Text = UiText(kMsgReplaceFile).replace(QLatin1String("%s"), name);
      request.Buttons = MessageButton::Yes | MessageButton::No | MessageButton::Help;
      request.HelpContext = kHelpReplaceFile;
      if (Dialogs().Message(this, request) != MessageButton::Yes) {
        continue;
      }
      if (!ConfirmSaveInto(ToPath(name))) {
        continue;
      }
    }
    // A save that fails leaves the previous project the current one, so that a later
    // "&Speichern" does not write to a file the user never got.
    model_->SaveAs(ToPath(name));
    return;
  }
}

void TLex_Hauptmenue::OnEditTemplate(TemplateId id) {
  const Lines before = model_->Settings().Templates[id];
  TLex_HTMLEditor editor(this, *model_, id);
  editor.exec();
  if (model_->Settings().Templates[id] != before) {
    SetStatus(QString());
  }
}

void TLex_Hauptmenue::OnEditExtraFilesFolder() {
  TLex_ZusaetzlicheDateien dialog(this);
  // With no folder set, the folder "Extra Files" beside the program is proposed.
  const std::string& folder = model_->Settings().ExtraFilesFolder;
  dialog.SetFolder(folder.empty()
                       ? FromPath(model_->ProgramFolder()) + QString::fromUtf8(kExtraFilesFolder)
                       : FromAnsi(folder));
  if (dialog.exec() == QDialog::Accepted) {
    model_->Edit().ExtraFilesFolder = ToAnsi(dialog.Folder());
  }
}

void TLex_Hauptmenue::OnGenerateHelpProject() {
  SetStatus(QString());
  workshop_->exec();
}

} // namespace qm::ui
