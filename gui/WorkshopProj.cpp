#include "gui/WorkshopProj.h"

#include "desktop/FilePickerDialog.h"
#include "desktop/FormStorage.h"
#include "desktop/FormStorageTexts.h"
#include "desktop/HelpRequests.h"
#include "desktop/QtText.h"
#include "desktop/UserDialogs.h"
#include "desktop/WindowPlacement.h"
#include "gui/ConversionRun.h"
#include "gui/ErrorBox.h"
#include "gui/FieldText.h"
#include "gui/Hauptmenue.h"
#include "gui/Images.h"
#include "gui/UiTexts.h"
#include "gui/WindowState.h"
#include "project/ProjectJob.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <optional>

namespace qm::ui {

namespace {

// The design's client area is 386 x 412; groups grow where this platform's fonts need more.
constexpr int kDialogWidth = 386;
constexpr int kPickerButtonSize = 21;
constexpr int kGroupMargin = 8;

QGroupBox* AddGroup(QWidget* parent, QBoxLayout* layout, const char* name, const char* caption) {
  auto* group = new QGroupBox(caption != nullptr ? UiText(caption) : QString(), parent);
  group->setObjectName(QLatin1String(name));
  layout->addWidget(group);
  return group;
}

QVBoxLayout* GroupLayout(QGroupBox* group) {
  auto* layout = new QVBoxLayout(group);
  layout->setContentsMargins(kGroupMargin, kGroupMargin / 2, kGroupMargin, kGroupMargin / 2);
  layout->setSpacing(2);
  return layout;
}

QCheckBox* AddCheckBox(QGroupBox* group, QBoxLayout* layout, const char* name, const char* caption,
                       bool checked, bool bold = false) {
  auto* box = new QCheckBox(UiText(caption), group);
  box->setObjectName(QLatin1String(name));
  box->setChecked(checked);
  if (bold) {
    QFont font = box->font();
    font.setBold(true);
    box->setFont(font);
  }
  layout->addWidget(box);
  return box;
}

// A label with its edit to the right.
QLineEdit* AddLabelledEdit(QGroupBox* group, QBoxLayout* layout, const char* labelName,
                           const char* label, const char* editName, QToolButton** button = nullptr,
                           const char* buttonName = nullptr) {
  auto* row = new QHBoxLayout;
  row->setSpacing(4);
  auto* text = new QLabel(UiText(label), group);
  text->setObjectName(QLatin1String(labelName));
  auto* edit = new QLineEdit(group);
  edit->setObjectName(QLatin1String(editName));
  text->setBuddy(edit);
  row->addWidget(text);
  row->addWidget(edit, 1);
  if (button != nullptr) {
    *button = new QToolButton(group);
    (*button)->setObjectName(QLatin1String(buttonName));
    (*button)->setToolTip(UiText(kHintPickFolder));
    (*button)->setIcon(FolderImage());
    (*button)->setFixedSize(kPickerButtonSize, kPickerButtonSize);
    row->addWidget(*button);
  }
  layout->addLayout(row);
  return edit;
}

/// path inside folder, relative to it; nothing when it lies outside.
std::optional<QString> RelativeInside(const QString& path, const QString& folder) {
  const QString relative = QDir(folder).relativeFilePath(path);
  if (relative.isEmpty() || relative == QLatin1String(".") || QDir::isAbsolutePath(relative) ||
      relative == QLatin1String("..") || relative.startsWith(QLatin1String("../"))) {
    return std::nullopt;
  }
  return relative;
}

} // namespace

QString DefaultPageText(const QString& chosen, const QString& outputFolder) {
  if (outputFolder.trimmed().isEmpty()) {
    return chosen;
  }
  const QFileInfo file(chosen);
  const QFileInfo folder(outputFolder);
  if (std::optional<QString> relative =
          RelativeInside(file.absoluteFilePath(), folder.absoluteFilePath())) {
    return *relative;
  }
  // The same folder reached through a link.
  if (file.exists() && folder.exists()) {
    if (std::optional<QString> relative =
            RelativeInside(file.canonicalFilePath(), folder.canonicalFilePath())) {
      return *relative;
    }
  }
  return chosen;
}

// The boxes of the run: the precondition's error at once, the completion after the run's
// warnings; and whether the projects were written, after which the dialog closes.
class TLex_WorkshopProj::RunMessages final : public HelpProjectMessages {
public:
  explicit RunMessages(QWidget* dialog) : dialog_(dialog) {}

  void ShowError(const std::string& text, int helpContext) override {
    Show(MessageKind::Error, text, helpContext);
  }
  void ShowInformation(const std::string& text, int helpContext) override {
    completion_ = text;
    completionHelp_ = helpContext;
  }
  void ProjectsWritten() override { projectsWritten_ = true; }

  bool ProjectsWrittenYet() const { return projectsWritten_; }
  void ShowCompletion() const {
    if (completion_) {
      Show(MessageKind::Information, *completion_, completionHelp_);
    }
  }

private:
  void Show(MessageKind kind, const std::string& text, int helpContext) const {
    MessageRequest request;
    request.Kind = kind;
    request.Text = MessageFromAnsi(text);
    request.Buttons = MessageButton::Ok | MessageButton::Help;
    request.HelpContext = helpContext;
    Dialogs().Message(dialog_, request);
  }

  QWidget* dialog_;
  bool projectsWritten_ = false;
  std::optional<std::string> completion_;
  int completionHelp_ = 0;
};

TLex_WorkshopProj::TLex_WorkshopProj(TLex_Hauptmenue& owner) : QDialog(&owner), owner_(owner) {
  setObjectName(QStringLiteral("Lex_WorkshopProj"));
  setWindowTitle(UiText(kWorkshopCaption));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
  SetHelpContext(this, kHelpWorkshop);
  const HelpProjectSettings design;

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(6);

  QGroupBox* title = AddGroup(this, layout, "GroupBox4", nullptr);
  auto* inTitle = GroupLayout(title);
  inTitle->setContentsMargins(kGroupMargin, kGroupMargin, kGroupMargin, kGroupMargin);
  Titel = AddLabelledEdit(title, inTitle, "Label1", kLabelHelpTitle, "Titel");

  QGroupBox* tech = AddGroup(this, layout, "GroupBox1", kGroupTechHelp);
  auto* inTech = GroupLayout(tech);
  ErzeugeTech =
      AddCheckBox(tech, inTech, "ErzeugeTech", kCaptionTechHelp, design.TechHelpEnabled, true);
  TechStdDatei = AddLabelledEdit(tech, inTech, "Label2", kLabelDefaultPage, "TechStdDatei",
                                 &TechStdDateiBtn, "TechStdDateiBtn");
  TechErzeugeToc = AddCheckBox(tech, inTech, "TechErzeugeToc", kCaptionToc, design.TechToc);
  TechErzeugeIndex = AddCheckBox(tech, inTech, "TechErzeugeIndex", kCaptionIndex, design.TechIndex);

  QGroupBox* doc = AddGroup(this, layout, "GroupBox3", kGroupDocHelp);
  auto* inDoc = GroupLayout(doc);
  ErzeugeDoc = AddCheckBox(doc, inDoc, "ErzeugeDoc", kCaptionDocHelp, design.DocHelpEnabled, true);
  DocStdDatei = AddLabelledEdit(doc, inDoc, "Label3", kLabelDefaultPage, "DocStdDatei",
                                &DocStdDateiBtn, "DocStdDateiBtn");
  DocErzeugeToc = AddCheckBox(doc, inDoc, "DocErzeugeToc", kCaptionToc, design.DocToc);
  DocErzeugeIndex = AddCheckBox(doc, inDoc, "DocErzeugeIndex", kCaptionIndex, design.DocIndex);

  QGroupBox* maps = AddGroup(this, layout, "GroupBox5", kGroupMaps);
  auto* inMaps = GroupLayout(maps);
  optCPPMap = AddCheckBox(maps, inMaps, "optCPPMap", kCaptionCppMap, design.MapHeaderC);
  optPascalMap =
      AddCheckBox(maps, inMaps, "optPascalMap", kCaptionPascalMap, design.MapHeaderPascal);
  optJavaMap = AddCheckBox(maps, inMaps, "optJavaMap", kCaptionJavaMap, design.MapHeaderJava);

  QGroupBox* more = AddGroup(this, layout, "GroupBox2", kGroupMore);
  auto* inMore = GroupLayout(more);
  Sprachstring = AddLabelledEdit(more, inMore, "Label4", kLabelLanguage, "Sprachstring");
  Sprachstring->setText(FromAnsi(design.Language));
  optAliasHeader = AddCheckBox(more, inMore, "optAliasHeader", kCaptionAlias, design.AliasHeaders);

  BitBtn1 =
      new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), UiText(kWorkshopOk), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setDefault(true);
  BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                            UiText(kWorkshopCancel), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  layout->addSpacing(2);
  layout->addLayout(buttons);
  // The fixed size follows the layout; the groups take the design's width.
  title->setMinimumWidth(kDialogWidth - layout->contentsMargins().left() -
                         layout->contentsMargins().right());
  layout->setSizeConstraint(QLayout::SetFixedSize);

  FileDialog = new FilePickerDialog(this, FilePickerDialog::Kind::Open);
  FileDialog->setObjectName(QStringLiteral("FileDialog"));
  FileDialog->SetTitle(UiText(kTitleDefaultPage));
  FileDialog->SetFilters({QString::fromUtf8(kFilterWebPages), QString::fromUtf8(kFilterAllFiles)});
  FileDialog->SetDefaultExt(QString::fromUtf8(kPageExtension));

  // Active when the dialog is made; each showing then switches it by the project file.
  FormStorage1 = CreateFormStorage(
      this, kSectionWorkshop,
      {QStringLiteral("DocErzeugeIndex.Checked"), QStringLiteral("DocErzeugeToc.Checked"),
       QStringLiteral("DocStdDatei.Text"), QStringLiteral("ErzeugeDoc.Checked"),
       QStringLiteral("ErzeugeTech.Checked"), QStringLiteral("Sprachstring.Text"),
       QStringLiteral("TechErzeugeIndex.Checked"), QStringLiteral("TechErzeugeToc.Checked"),
       QStringLiteral("TechStdDatei.Text"), QStringLiteral("Titel.Text"),
       QStringLiteral("optAliasHeader.Checked"), QStringLiteral("optCPPMap.Checked"),
       QStringLiteral("optJavaMap.Checked"), QStringLiteral("optPascalMap.Checked")});

  connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
  connect(TechStdDateiBtn, &QToolButton::clicked, this, [this] { TechStdDateiBtnClick(); });
  connect(DocStdDateiBtn, &QToolButton::clicked, this, [this] { DocStdDateiBtnClick(); });
}

TLex_WorkshopProj::~TLex_WorkshopProj() {
  FormStorage1->FormDestroy();
}

HelpProjectSettings TLex_WorkshopProj::Values() const {
  HelpProjectSettings v;
  v.Title = FieldText(*Titel, kFieldHelpTitle);
  v.TechDefaultPage = FieldText(*TechStdDatei, kFieldTechDefaultPage);
  v.DocDefaultPage = FieldText(*DocStdDatei, kFieldDocDefaultPage);
  v.Language = FieldText(*Sprachstring, kFieldLanguage);
  v.AliasHeaders = optAliasHeader->isChecked();
  v.MapHeaderC = optCPPMap->isChecked();
  v.MapHeaderPascal = optPascalMap->isChecked();
  v.MapHeaderJava = optJavaMap->isChecked();
  v.DocHelpEnabled = ErzeugeDoc->isChecked();
  v.DocToc = DocErzeugeToc->isChecked();
  v.DocIndex = DocErzeugeIndex->isChecked();
  v.TechHelpEnabled = ErzeugeTech->isChecked();
  v.TechToc = TechErzeugeToc->isChecked();
  v.TechIndex = TechErzeugeIndex->isChecked();
  return v;
}

void TLex_WorkshopProj::SetValues(const HelpProjectSettings& v) {
  Titel->setText(FromAnsi(v.Title));
  Sprachstring->setText(FromAnsi(v.Language));
  optAliasHeader->setChecked(v.AliasHeaders);
  optCPPMap->setChecked(v.MapHeaderC);
  optPascalMap->setChecked(v.MapHeaderPascal);
  optJavaMap->setChecked(v.MapHeaderJava);
  ErzeugeDoc->setChecked(v.DocHelpEnabled);
  DocStdDatei->setText(FromAnsi(v.DocDefaultPage));
  DocErzeugeToc->setChecked(v.DocToc);
  DocErzeugeIndex->setChecked(v.DocIndex);
  ErzeugeTech->setChecked(v.TechHelpEnabled);
  TechStdDatei->setText(FromAnsi(v.TechDefaultPage));
  TechErzeugeToc->setChecked(v.TechToc);
  TechErzeugeIndex->setChecked(v.TechIndex);
}

std::array<QLineEdit*, 4> TLex_WorkshopProj::Edits() const {
  return {Titel, TechStdDatei, DocStdDatei, Sprachstring};
}

std::array<QCheckBox*, 10> TLex_WorkshopProj::Boxes() const {
  return {ErzeugeTech,     TechErzeugeToc, TechErzeugeIndex, ErzeugeDoc, DocErzeugeToc,
          DocErzeugeIndex, optCPPMap,      optPascalMap,     optJavaMap, optAliasHeader};
}

TLex_WorkshopProj::ControlState TLex_WorkshopProj::State() const {
  ControlState state;
  for (const QLineEdit* edit : Edits()) {
    state.texts.append(edit->text());
  }
  for (const QCheckBox* box : Boxes()) {
    state.ticks.append(box->isChecked());
  }
  return state;
}

void TLex_WorkshopProj::SetState(const ControlState& state) {
  const auto edits = Edits();
  for (size_t i = 0; i < edits.size(); ++i) {
    edits[i]->setText(state.texts[static_cast<qsizetype>(i)]);
  }
  const auto boxes = Boxes();
  for (size_t i = 0; i < boxes.size(); ++i) {
    boxes[i]->setChecked(state.ticks[static_cast<qsizetype>(i)]);
  }
}

void TLex_WorkshopProj::setVisible(bool visible) {
  // Taken before the Show event, on which the form storage restores the stored values.
  if (visible && !isVisible() && FormStorage1->Active() && !owner_.CurrentProjectFile().empty()) {
    projectValues_ = State();
  }
  QDialog::setVisible(visible);
}

void TLex_WorkshopProj::showEvent(QShowEvent* event) {
  // The form storage has restored its values on the Show event, before this runs.
  FormShow();
  QDialog::showEvent(event);
}

void TLex_WorkshopProj::FormShow() {
  // With a project file open, the stored values of an earlier program run must not replace
  // the project's: saving the project would write them into it.
  if (projectValues_) {
    SetState(*projectValues_);
    projectValues_.reset();
  }
  // The values are kept between program runs only while no project file holds them.
  FormStorage1->SetActive(owner_.CurrentProjectFile().empty());
  CentreOver(this, parentWidget());
}

void TLex_WorkshopProj::BitBtn1Click() {
  const TGenerator* generator = owner_.Generator();
  if (generator == nullptr) {
    return;
  }
  RunMessages messages(this);
  WarningList warnings;
  bool built = false;
  const bool ran = RunGuarded(this, [&] {
    // The help project reads its values and the output folder, nothing else of the settings.
    ProjectSettings settings;
    settings.Help = Values();
    settings.OutputPath = owner_.OutputPath();
    built = BuildHelpProject(owner_.LastRun(), generator->Tables(), settings,
                             owner_.ProgramFolder(), messages, &warnings);
  });
  if (ran && built) {
    if (!warnings.empty()) {
      MessageRequest request;
      request.Kind = MessageKind::Warning;
      request.Text = RunWarningsText(warnings, kMsgHelpProjectWarnings);
      request.Buttons = MessageButton::Ok | MessageButton::Help;
      request.HelpContext = kHelpWorkshop;
      Dialogs().Message(this, request);
    }
    messages.ShowCompletion();
  }
  // Once the projects are written the dialog closes, also after a later failure.
  if (messages.ProjectsWrittenYet()) {
    accept();
  }
}

void TLex_WorkshopProj::TechStdDateiBtnClick() {
  ChooseDefaultPage(TechStdDatei);
}

void TLex_WorkshopProj::DocStdDateiBtnClick() {
  ChooseDefaultPage(DocStdDatei);
}

void TLex_WorkshopProj::ChooseDefaultPage(QLineEdit* edit) {
  const QString outputFolder = owner_.OutputFolderText();
  FileDialog->SetInitialDir(outputFolder);
  if (FileDialog->Execute()) {
    edit->setText(DefaultPageText(FileDialog->FileName(), outputFolder));
  }
}

} // namespace qm::ui
