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
#include "engine/Generator.h"
#include "gui/ConversionRun.h"
#include "gui/ErrorBox.h"
#include "gui/FieldText.h"
#include "gui/Fortschritt.h"
#include "gui/HTMLEditor.h"
#include "gui/Images.h"
#include "gui/Info.h"
#include "gui/SourceKindBoxes.h"
#include "gui/UiTexts.h"
#include "gui/WindowState.h"
#include "gui/WorkshopProj.h"
#include "gui/ZusaetzlicheDateien.h"
#include "project/ProjectFile.h"
#include "project/ProjectJob.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
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
constexpr int kOptionsGroupHeight = 53;
constexpr int kOutputGroupHeight = 92;
constexpr int kGroupGap = 3;
constexpr int kPathEditWidth = 397;
constexpr int kPickerButtonSize = 21;
constexpr int kToolButtonWidth = 91;
constexpr int kToolButtonHeight = 52;
constexpr int kToolImageSize = 32;
constexpr int kToolSeparatorWidth = 8;
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
  *button = new QToolButton(parent);
  (*button)->setObjectName(QLatin1String(buttonName));
  (*button)->setToolTip(UiText(kHintPickFolder));
  (*button)->setIcon(FolderImage());
  (*button)->setFixedSize(kPickerButtonSize, kPickerButtonSize);
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
  values << QStringLiteral("optOEM.Checked") << QStringLiteral("optEigeneDateien.Checked");
  return values;
}

} // namespace

TLex_Hauptmenue::TLex_Hauptmenue(const std::string& programFolder, const QStringList& arguments,
                                 QWidget* parent)
    : QMainWindow(parent), programFolder_(programFolder), arguments_(arguments) {
  setObjectName(QStringLiteral("Lex_Hauptmenue"));
  setWindowTitle(UiText(kMainCaption));
  setWindowIcon(ProgramImage());
  // A fixed-size window: system menu and close box only.
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
  SetHelpContext(this, kHelpMainWindow);

  Help = new THtmlHelpGateway(this);
  Help->setObjectName(QStringLiteral("Help"));
  Help->SetChmFile(QString::fromUtf8(kHelpFile));
  Dlg_Eingabepfad = new DirectoryPickerDialog(this);
  Dlg_Eingabepfad->setObjectName(QStringLiteral("Dlg_Eingabepfad"));
  Dlg_Ausgabepfad = new DirectoryPickerDialog(this);
  Dlg_Ausgabepfad->setObjectName(QStringLiteral("Dlg_Ausgabepfad"));

  BuildToolBar();
  BuildMenu();
  BuildControls();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  // Restored when the window is first shown, before a project named on the command line is
  // loaded.
  FormStorage1 = CreateFormStorage(this, kSectionMenue, StoredValues());
  FormCreate(programFolder_);
  info_ = new TLex_Info(this);
  UpdateCommands();
}

TLex_Hauptmenue::~TLex_Hauptmenue() {
  // Saves the window as destroyed unless its close saved it already ("&Beenden").
  FormStorage1->FormDestroy();
  // A run still going is stopped and waited for before the generator goes.
  delete run_;
}

void TLex_Hauptmenue::FormCreate(const std::string& programFolder) {
  try {
    generator_ = std::make_unique<const TGenerator>(programFolder);
    templates_ = generator_->InstalledTemplates();
  } catch (const Error& e) {
    // The window still opens; the commands that need the generator stay off.
    ShowError(ErrorText(e));
  }
  // Created also without a generator: its values are the project's, and its command is off.
  Lex_WorkshopProj = new TLex_WorkshopProj(*this);
  InstallHelpHandler(
      this, [this](int context) { Help->DisplayContext(static_cast<std::uint32_t>(context)); });
  Dlg_Eingabepfad->SetTitle(UiText(kTitlePickInput));
  Dlg_Ausgabepfad->SetTitle(UiText(kTitlePickOutput));
}

void TLex_Hauptmenue::BuildToolBar() {
  ToolBar1 = addToolBar(QString());
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  // The band keeps its grip but stays at the top of the window.
  ToolBar1->setAllowedAreas(Qt::TopToolBarArea);
  ToolBar1->setFloatable(false);
  ToolBar1->setIconSize(QSize(kToolImageSize, kToolImageSize));
  ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  ToolBar1->toggleViewAction()->setEnabled(false);
  setContextMenuPolicy(Qt::NoContextMenu);

  const auto addButton = [this](const char* name, const char* caption, const char* hint,
                                const QIcon& image, Handler handler, unsigned needs) {
    QAction* action = AddCommand(ToolBar1, name, caption, handler, needs);
    // Set apart from the text, so the blanks around "Konvertieren" stay.
    action->setIconText(QString::fromUtf8(caption));
    action->setToolTip(UiText(hint));
    action->setIcon(image);
    QWidget* button = ToolBar1->widgetForAction(action);
    button->setObjectName(QLatin1String(name));
    button->setMinimumSize(kToolButtonWidth, kToolButtonHeight);
  };
  addButton("ToolButton1", kToolExit, kToolExitHint, ExitImage(), &TLex_Hauptmenue::BeendenClick,
            kAlways);
  addButton("ToolButton3", kToolConvert, kToolConvertHint, ConvertImage(),
            &TLex_Hauptmenue::KonvertierenClick, kNeedsGenerator | kNotDuringRun);
  QWidget* separator = ToolBar1->widgetForAction(ToolBar1->addSeparator());
  separator->setObjectName(QStringLiteral("ToolButton4"));
  separator->setFixedWidth(kToolSeparatorWidth);
  addButton("ToolButton2", kToolInfo, kToolInfoHint, InfoImage(), &TLex_Hauptmenue::InfoClick,
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
  AddCommand(file, "Oeffnen1", kMenuOpen, &TLex_Hauptmenue::OeffnenClick, kProjectCommand,
             kShortcutOpen);
  file->addSeparator();
  AddCommand(file, "Speichern1", kMenuSave, &TLex_Hauptmenue::SpeichernClick, kNeedsGenerator,
             kShortcutSave);
  AddCommand(file, "Speichernunter1", kMenuSaveAs, &TLex_Hauptmenue::SpeichernUnterClick,
             kNeedsGenerator);
  file->addSeparator();
  AddCommand(file, "Beenden1", kMenuExit, &TLex_Hauptmenue::BeendenClick, kAlways, kShortcutExit);

  QMenu* templates = addMenu("HTMLVorlagen1", kMenuTemplates);
  // The template commands stand in the order of a page, the kinds apart by a separator.
  for (size_t i = 0; i < kTemplateMenuOrder.size(); ++i) {
    const TemplateInfo& t = TemplateInfoOf(kTemplateMenuOrder[i]);
    if (i > 0 && TemplateInfoOf(kTemplateMenuOrder[i - 1]).kind != t.kind) {
      templates->addSeparator();
    }
    AddAction(
        templates, t.menuName, UiText(t.menuCaption), [this, id = t.id] { EditTemplate(id); },
        kProjectCommand);
  }
  templates->addSeparator();
  AddCommand(templates, "ZustzlicheDateien1", kMenuExtraFiles,
             &TLex_Hauptmenue::ZustzlicheDateien1Click, kNotDuringRun);

  QMenu* project = addMenu("Projekt1", kMenuProject);
  convertCommand_ =
      AddCommand(project, "HTMLAusgabegenerieren1", kMenuConvert,
                 &TLex_Hauptmenue::KonvertierenClick, kProjectCommand, kShortcutConvert);
  project->addSeparator();
  AddCommand(project, "HelpWorkshopProjektgenerieren1", kMenuHelpWorkshop,
             &TLex_Hauptmenue::HelpWorkshopProjektgenerieren1Click, kProjectCommand);

  QMenu* help = addMenu("Fragezeichen1", kMenuHelp);
  AddCommand(help, "Willkommen1", kMenuWelcome, &TLex_Hauptmenue::Willkommen1Click, kAlways);
  AddCommand(help, "Hilfe1", kMenuHelpTopics, &TLex_Hauptmenue::Hilfe1Click, kAlways);
  help->addSeparator();
  AddCommand(help, "Info1", kMenuInfo, &TLex_Hauptmenue::InfoClick, kAlways);
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
    if ((command.needs & kNeedsGenerator) != 0 && generator_ == nullptr) {
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
  Edt_Eingabepfad =
      AddPathRow(input, inInput, "Edt_Eingabepfad", kHintInputPath, "Btn_Eingabepfad", &pickInput);
  chkUnterordner = AddCheckBox(input, "chkUnterordner", kCaptionSubfolders, kHintSubfolders, true);
  inInput->addWidget(chkUnterordner);
  auto* kinds = new QGridLayout;
  kinds->setVerticalSpacing(0);
  kindBoxes_ = std::make_unique<SourceKindBoxes>(input, kinds, kSourceKindTable);
  inInput->addLayout(kinds);

  QGroupBox* options = AddGroup(client, groups, "GroupBox3", kGroupOptions, kOptionsGroupHeight);
  // The three options do not fit in one row at the design's width; they take two rows in the
  // columns of the kinds above.
  auto* inOptions = GroupLayout<QGridLayout>(options);
  inOptions->setVerticalSpacing(0);
  optAutoTrenn =
      AddCheckBox(options, "optAutoTrenn", kCaptionAutoLineBreak, kHintAutoLineBreak, true);
  optOEM = AddCheckBox(options, "optOEM", kCaptionOemToAnsi, kHintOemToAnsi, false);
  optEigeneDateien = AddCheckBox(options, "optEigeneDateien", kCaptionOneFilePerBlock,
                                 kHintOneFilePerBlock, false);
  inOptions->addWidget(optAutoTrenn, 0, 0);
  inOptions->addWidget(optOEM, 0, 1);
  inOptions->addWidget(optEigeneDateien, 1, 0, 1, 2);
  // Both grids share their first column's width, so the second columns line up.
  const int firstColumn = std::max(optAutoTrenn->sizeHint().width(), kindBoxes_->LeftColumnWidth());
  kinds->setColumnMinimumWidth(0, firstColumn);
  inOptions->setColumnMinimumWidth(0, firstColumn);
  inOptions->setColumnStretch(1, 1);
  kinds->setColumnStretch(1, 1);

  QGroupBox* output = AddGroup(client, groups, "GroupBox2", kGroupOutput, kOutputGroupHeight);
  auto* inOutput = GroupLayout<QVBoxLayout>(output);
  AddLabel(output, inOutput, "Label4", kLabelPath);
  QToolButton* pickOutput = nullptr;
  Edt_Ausgabepfad = AddPathRow(output, inOutput, "Edt_Ausgabepfad", kHintOutputPath,
                               "Btn_Ausgabepfad", &pickOutput);
  AddLabel(output, inOutput, "Label2", kOutputNote);

  setCentralWidget(client);

  connect(pickInput, &QToolButton::clicked, this,
          [this] { Guarded([this] { Btn_EingabepfadClick(); }); });
  connect(pickOutput, &QToolButton::clicked, this,
          [this] { Guarded([this] { Btn_AusgabepfadClick(); }); });
  // Every change to ticked warns: by the user, by a project or by restored values.
  connect(optEigeneDateien, &QCheckBox::toggled, this, &TLex_Hauptmenue::optEigeneDateienClick);
  // Ctrl+K is the conversion's also inside an edit, where the platform would delete to the end
  // of the line.
  Edt_Eingabepfad->installEventFilter(this);
  Edt_Ausgabepfad->installEventFilter(this);
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

ProjectSettings TLex_Hauptmenue::Settings() const {
  ProjectSettings s = ConversionSettings();
  s.Help = HelpValues();
  return s;
}

ProjectSettings TLex_Hauptmenue::ConversionSettings() const {
  ProjectSettings s;
  s.ExtraFilesFolder = extraFilesFolder_;
  s.InputPath = FieldText(*Edt_Eingabepfad, kFieldInputPath);
  s.IncludeSubfolders = chkUnterordner->isChecked();
  s.Kinds = kindBoxes_->Ticked();
  s.OutputPath = OutputPath();
  s.AutoLineBreak = optAutoTrenn->isChecked();
  s.OemToAnsi = optOEM->isChecked();
  s.OneFilePerBlock = optEigeneDateien->isChecked();
  if (generator_ != nullptr) {
    s.Templates = templates_;
  }
  return s;
}

void TLex_Hauptmenue::ShowSettings(const ProjectSettings& s) {
  extraFilesFolder_ = s.ExtraFilesFolder;
  Edt_Eingabepfad->setText(FromAnsi(s.InputPath));
  chkUnterordner->setChecked(s.IncludeSubfolders);
  kindBoxes_->Tick(s.Kinds);
  Edt_Ausgabepfad->setText(FromAnsi(s.OutputPath));
  optAutoTrenn->setChecked(s.AutoLineBreak);
  optOEM->setChecked(s.OemToAnsi);
  optEigeneDateien->setChecked(s.OneFilePerBlock);
  SetHelpValues(s.Help);
}

HelpProjectSettings TLex_Hauptmenue::HelpValues() const {
  return Lex_WorkshopProj->Values();
}

void TLex_Hauptmenue::SetHelpValues(const HelpProjectSettings& values) {
  Lex_WorkshopProj->SetValues(values);
}

QString TLex_Hauptmenue::OutputFolderText() const {
  return Edt_Ausgabepfad->text();
}

std::string TLex_Hauptmenue::OutputPath() const {
  return FieldText(*Edt_Ausgabepfad, kFieldOutputPath);
}

QWidget* TLex_Hauptmenue::ProgressWindow() const {
  return run_ != nullptr ? run_->ProgressWindow() : nullptr;
}

void TLex_Hauptmenue::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // A form storage restores its values on the Show event, before this runs.
  if (!shown_) {
    shown_ = true;
    Guarded([this] { FormShow(); });
  }
}

void TLex_Hauptmenue::FormShow() {
  if (arguments_.size() == 1 && generator_ != nullptr) {
    currentProjectFile_ = ToPath(arguments_.constFirst());
    try {
      LoadProjectFile();
    } catch (...) {
      // As with "&Öffnen...": an unreadable project does not become the current one.
      currentProjectFile_.clear();
      throw;
    }
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

void TLex_Hauptmenue::BeendenClick() {
  // Ends the event loop without closing a window (QCoreApplication::quit() would close them
  // all first), so the window is saved as it is destroyed, with "Visible" "1"; its close box
  // saves it as closed.
  QCoreApplication::exit(0);
}

void TLex_Hauptmenue::InfoClick() {
  info_->open();
}

void TLex_Hauptmenue::Btn_EingabepfadClick() {
  if (Dlg_Eingabepfad->Execute()) {
    Edt_Eingabepfad->setText(Dlg_Eingabepfad->Directory());
  }
}

void TLex_Hauptmenue::Btn_AusgabepfadClick() {
  if (Dlg_Ausgabepfad->Execute()) {
    Edt_Ausgabepfad->setText(Dlg_Ausgabepfad->Directory());
  }
}

void TLex_Hauptmenue::optEigeneDateienClick(bool checked) {
  if (!checked) {
    return;
  }
  MessageRequest request;
  request.Kind = MessageKind::Warning;
  request.Text = UiText(kMsgOneFilePerBlock);
  request.Buttons = MessageButton::Ok | MessageButton::Help;
  request.HelpContext = kHelpOneFilePerBlock;
  Dialogs().Message(isVisible() ? this : nullptr, request);
}

void TLex_Hauptmenue::Willkommen1Click() {
  Help->DisplayTopic(QString::fromUtf8(kTopicWelcome));
}

void TLex_Hauptmenue::Hilfe1Click() {
  Help->DisplayTopic(QString::fromUtf8(kTopicHelp));
}

void TLex_Hauptmenue::KonvertierenClick() {
  if (generator_ == nullptr || run_ != nullptr) {
    return;
  }
  run_ = new ConversionRun(this, *generator_, ConversionSettings(), progressPauseMs_);
  connect(run_, &ConversionRun::Ended, this, &TLex_Hauptmenue::ConversionRunEnded);
  UpdateCommands();
  run_->Start();
}

void TLex_Hauptmenue::ConversionRunEnded() {
  const QString failure = run_->Failure();
  const WarningList warnings = run_->Warnings();
  // A run that got as far as converting replaced what the help project builds on, also when
  // it failed or was stopped.
  if (run_->Result().Ran()) {
    lastRun_ = run_->TakeResult();
  }
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

void TLex_Hauptmenue::OeffnenClick() {
  const std::optional<QString> chosen = Dialogs().OpenFile(this, ProjectFileRequest());
  if (!chosen) {
    return;
  }
  // A file that cannot be read loads nothing and does not become the current project, so a
  // later "&Speichern" does not write into it.
  const std::string previous = currentProjectFile_;
  currentProjectFile_ = ToPath(WithProjectExtension(*chosen, true));
  try {
    LoadProjectFile();
  } catch (...) {
    currentProjectFile_ = previous;
    throw;
  }
}

void TLex_Hauptmenue::LoadProjectFile() {
  // The project's templates replace all eight, also those it does not hold.
  ProjectSettings settings = qm::LoadProjectFile(currentProjectFile_);
  templates_ = settings.Templates;
  ShowSettings(settings);
}

void TLex_Hauptmenue::SpeichernClick() {
  if (currentProjectFile_.empty()) {
    SaveAs();
    return;
  }
  SaveProjectFile(currentProjectFile_, Settings());
}

void TLex_Hauptmenue::SpeichernUnterClick() {
  SaveAs();
}

void TLex_Hauptmenue::SaveAs() {
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
    }
    // A save that fails leaves the previous project the current one, so that a later
    // "&Speichern" does not write to a file the user never got.
    const std::string previous = currentProjectFile_;
    currentProjectFile_ = ToPath(name);
    try {
      SpeichernClick();
    } catch (...) {
      currentProjectFile_ = previous;
      throw;
    }
    return;
  }
}

void TLex_Hauptmenue::EditTemplate(TemplateId id) {
  TLex_HTMLEditor editor(*this, templates_, id);
  editor.exec();
}

void TLex_Hauptmenue::ZustzlicheDateien1Click() {
  TLex_ZusaetzlicheDateien dialog(this);
  // With no folder set, the folder "Extra Files" beside the program is proposed.
  dialog.SetFolder(extraFilesFolder_.empty()
                       ? FromPath(programFolder_) + QString::fromUtf8(kExtraFilesFolder)
                       : FromAnsi(extraFilesFolder_));
  if (dialog.exec() == QDialog::Accepted) {
    extraFilesFolder_ = ToAnsi(dialog.Folder());
  }
}

void TLex_Hauptmenue::HelpWorkshopProjektgenerieren1Click() {
  Lex_WorkshopProj->exec();
}

} // namespace qm::ui
