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
#include "gui/Images.h"
#include "gui/SettingsView.h"
#include "gui/UiTexts.h"
#include "gui/WindowParts.h"
#include "gui/WindowState.h"
#include "helpproject/HelpTexts.h"
#include "project/ProjectModel.h"
#include "project/RunSummary.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace qm::ui {

namespace {

// The design's client area is 386 x 412; groups grow where this platform's fonts need more.
constexpr int kDialogWidth = 386;
constexpr int kGroupMargin = 8;
/// The least height of the groups' scroll area on a tiny screen.
constexpr int kMinScrollHeight = 120;

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
    *button = NewPickerButton(group, buttonName);
    row->addWidget(*button);
  }
  layout->addLayout(row);
  return edit;
}

// A box of the help-project run over dialog, with "OK" and "Hilfe".
void ShowRunBox(QWidget* dialog, MessageKind kind, const QString& text, int helpContext) {
  MessageRequest request;
  request.Kind = kind;
  request.Text = text;
  request.Buttons = MessageButton::Ok | MessageButton::Help;
  request.HelpContext = helpContext;
  Dialogs().Message(dialog, request);
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

TLex_WorkshopProj::TLex_WorkshopProj(QWidget* owner, ProjectModel& model)
    : QDialog(owner), model_(model) {
  setObjectName(QStringLiteral("Lex_WorkshopProj"));
  setWindowTitle(UiText(kWorkshopCaption));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
  SetHelpContext(this, kHelpWorkshop);
  const HelpProjectSettings design;

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(6);
  // The groups scroll where the screen is too small for them (FitToScreen).
  auto* content = new QWidget;
  content->setObjectName(QStringLiteral("Groups"));
  auto* groups = new QVBoxLayout(content);
  groups->setContentsMargins(0, 0, 0, 0);
  groups->setSpacing(6);

  QGroupBox* title = AddGroup(this, groups, "GroupBox4", nullptr);
  auto* inTitle = GroupLayout(title);
  inTitle->setContentsMargins(kGroupMargin, kGroupMargin, kGroupMargin, kGroupMargin);
  titleEdit_ = AddLabelledEdit(title, inTitle, "Label1", kLabelHelpTitle, "Titel");

  QGroupBox* tech = AddGroup(this, groups, "GroupBox1", kGroupTechHelp);
  auto* inTech = GroupLayout(tech);
  techHelpBox_ =
      AddCheckBox(tech, inTech, "ErzeugeTech", kCaptionTechHelp, design.TechHelpEnabled, true);
  QToolButton* techPageButton = nullptr;
  techPageEdit_ = AddLabelledEdit(tech, inTech, "Label2", kLabelDefaultPage, "TechStdDatei",
                                  &techPageButton, "TechStdDateiBtn");
  techTocBox_ = AddCheckBox(tech, inTech, "TechErzeugeToc", kCaptionToc, design.TechToc);
  techIndexBox_ = AddCheckBox(tech, inTech, "TechErzeugeIndex", kCaptionIndex, design.TechIndex);

  QGroupBox* doc = AddGroup(this, groups, "GroupBox3", kGroupDocHelp);
  auto* inDoc = GroupLayout(doc);
  docHelpBox_ = AddCheckBox(doc, inDoc, "ErzeugeDoc", kCaptionDocHelp, design.DocHelpEnabled, true);
  QToolButton* docPageButton = nullptr;
  docPageEdit_ = AddLabelledEdit(doc, inDoc, "Label3", kLabelDefaultPage, "DocStdDatei",
                                 &docPageButton, "DocStdDateiBtn");
  docTocBox_ = AddCheckBox(doc, inDoc, "DocErzeugeToc", kCaptionToc, design.DocToc);
  docIndexBox_ = AddCheckBox(doc, inDoc, "DocErzeugeIndex", kCaptionIndex, design.DocIndex);

  QGroupBox* maps = AddGroup(this, groups, "GroupBox5", kGroupMaps);
  auto* inMaps = GroupLayout(maps);
  cMapBox_ = AddCheckBox(maps, inMaps, "optCPPMap", kCaptionCppMap, design.MapHeaderC);
  pascalMapBox_ =
      AddCheckBox(maps, inMaps, "optPascalMap", kCaptionPascalMap, design.MapHeaderPascal);
  javaMapBox_ = AddCheckBox(maps, inMaps, "optJavaMap", kCaptionJavaMap, design.MapHeaderJava);

  QGroupBox* more = AddGroup(this, groups, "GroupBox2", kGroupMore);
  auto* inMore = GroupLayout(more);
  languageEdit_ = AddLabelledEdit(more, inMore, "Label4", kLabelLanguage, "Sprachstring");
  languageEdit_->setText(FromAnsi(design.Language));
  aliasBox_ = AddCheckBox(more, inMore, "optAliasHeader", kCaptionAlias, design.AliasHeaders);
  webHelpBox_ = AddCheckBox(more, inMore, "chkWebHilfe", kCaptionWebHelp, design.WebHelp);

  scroll_ = new QScrollArea(this);
  scroll_->setObjectName(QStringLiteral("ScrollBox1"));
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll_->setWidgetResizable(true);
  scroll_->setWidget(content);
  layout->addWidget(scroll_);

  QPushButton* okButton = nullptr;
  QHBoxLayout* buttons = NewDialogButtons(this, kWorkshopOk, kWorkshopCancel, &okButton);
  layout->addSpacing(2);
  layout->addLayout(buttons);
  // The fixed size follows the layout; the groups take the design's width.
  title->setMinimumWidth(kDialogWidth - layout->contentsMargins().left() -
                         layout->contentsMargins().right());
  layout->setSizeConstraint(QLayout::SetFixedSize);
  FitToScreen();

  pageDialog_ = new FilePickerDialog(this, FilePickerDialog::Kind::Open);
  pageDialog_->setObjectName(QStringLiteral("FileDialog"));
  pageDialog_->SetTitle(UiText(kTitleDefaultPage));
  pageDialog_->SetFilters({QString::fromUtf8(kFilterWebPages), QString::fromUtf8(kFilterAllFiles)});
  pageDialog_->SetDefaultExt(QString::fromUtf8(kPageExtension));

  // Active when the dialog is made; each showing then switches it by the project file.
  formStorage_ = CreateFormStorage(
      this, kSectionWorkshop,
      {QStringLiteral("DocErzeugeIndex.Checked"), QStringLiteral("DocErzeugeToc.Checked"),
       QStringLiteral("DocStdDatei.Text"), QStringLiteral("ErzeugeDoc.Checked"),
       QStringLiteral("ErzeugeTech.Checked"), QStringLiteral("Sprachstring.Text"),
       QStringLiteral("TechErzeugeIndex.Checked"), QStringLiteral("TechErzeugeToc.Checked"),
       QStringLiteral("TechStdDatei.Text"), QStringLiteral("Titel.Text"),
       QStringLiteral("chkWebHilfe.Checked"), QStringLiteral("optAliasHeader.Checked"),
       QStringLiteral("optCPPMap.Checked"), QStringLiteral("optJavaMap.Checked"),
       QStringLiteral("optPascalMap.Checked")});
  BindControls();

  connect(okButton, &QPushButton::clicked, this, [this] { OnBuildHelpProject(); });
  connect(techPageButton, &QToolButton::clicked, this, [this] { OnChooseTechDefaultPage(); });
  connect(docPageButton, &QToolButton::clicked, this, [this] { OnChooseDocDefaultPage(); });
}

TLex_WorkshopProj::~TLex_WorkshopProj() {
  formStorage_->FormDestroy();
}

void TLex_WorkshopProj::BindControls() {
  view_ = std::make_unique<SettingsView>(model_);
  for (const TextControl& text : Texts()) {
    view_->Bind(
        text.edit, [value = text.value](auto& s) -> auto& { return s.Help.*value; }, text.field,
        text.caption);
  }
  for (const FlagControl& flag : Flags()) {
    view_->Bind(
        flag.box, [value = flag.value](auto& s) -> auto& { return s.Help.*value; });
  }
  view_->Show();
}

std::array<TLex_WorkshopProj::TextControl, 4> TLex_WorkshopProj::Texts() const {
  using H = HelpProjectSettings;
  return {{{titleEdit_, &H::Title, TextField::HelpTitle, kFieldHelpTitle},
           {techPageEdit_, &H::TechDefaultPage, TextField::TechDefaultPage, kFieldTechDefaultPage},
           {docPageEdit_, &H::DocDefaultPage, TextField::DocDefaultPage, kFieldDocDefaultPage},
           {languageEdit_, &H::Language, TextField::HelpLanguage, kFieldLanguage}}};
}

std::array<TLex_WorkshopProj::FlagControl, 11> TLex_WorkshopProj::Flags() const {
  using H = HelpProjectSettings;
  return {{{techHelpBox_, &H::TechHelpEnabled},
           {techTocBox_, &H::TechToc},
           {techIndexBox_, &H::TechIndex},
           {docHelpBox_, &H::DocHelpEnabled},
           {docTocBox_, &H::DocToc},
           {docIndexBox_, &H::DocIndex},
           {cMapBox_, &H::MapHeaderC},
           {pascalMapBox_, &H::MapHeaderPascal},
           {javaMapBox_, &H::MapHeaderJava},
           {aliasBox_, &H::AliasHeaders},
           {webHelpBox_, &H::WebHelp}}};
}

TLex_WorkshopProj::ControlState TLex_WorkshopProj::State() const {
  ControlState state;
  for (const TextControl& text : Texts()) {
    state.texts.append(text.edit->text());
  }
  for (const FlagControl& flag : Flags()) {
    state.ticks.append(flag.box->isChecked());
  }
  return state;
}

void TLex_WorkshopProj::SetState(const ControlState& state) {
  const auto texts = Texts();
  for (size_t i = 0; i < texts.size(); ++i) {
    texts[i].edit->setText(state.texts[static_cast<qsizetype>(i)]);
  }
  const auto flags = Flags();
  for (size_t i = 0; i < flags.size(); ++i) {
    flags[i].box->setChecked(state.ticks[static_cast<qsizetype>(i)]);
  }
}

void TLex_WorkshopProj::setVisible(bool visible) {
  // Taken before the Show event, on which the form storage restores the stored values.
  if (visible && !isVisible() && formStorage_->Active() && !model_.CurrentProjectFile().empty()) {
    projectValues_ = State();
  }
  QDialog::setVisible(visible);
}

void TLex_WorkshopProj::showEvent(QShowEvent* event) {
  // The form storage has restored its values on the Show event, before this runs.
  PrepareShowing();
  QDialog::showEvent(event);
}

void TLex_WorkshopProj::PrepareShowing() {
  // With a project file open, the stored values of an earlier program run must not replace
  // the project's: saving the project would write them into it.
  if (projectValues_) {
    SetState(*projectValues_);
    projectValues_.reset();
  }
  // The values are kept between program runs only while no project file holds them.
  formStorage_->SetActive(model_.CurrentProjectFile().empty());
  FitToScreen();
  CentreOver(this, parentWidget());
  // Centred over a main window near the screen's edge, the dialog would stick out.
  MoveOntoScreen(this);
}

void TLex_WorkshopProj::FitToScreen() {
  const QSize wanted = scroll_->widget()->sizeHint();
  scroll_->setFixedSize(wanted);
  layout()->activate();
  const QWidget* owner = parentWidget() != nullptr ? parentWidget() : this;
  if (const QScreen* screen = owner->screen()) {
    const QMargins frame = FrameMarginsOf(this);
    const int over =
        sizeHint().height() + frame.top() + frame.bottom() - screen->availableGeometry().height();
    if (over > 0) {
      // The groups scroll; the buttons stay in sight.
      scroll_->setFixedSize(wanted.width() + scroll_->verticalScrollBar()->sizeHint().width(),
                            std::max(wanted.height() - over, kMinScrollHeight));
      layout()->activate();
    }
  }
}

void TLex_WorkshopProj::OnBuildHelpProject() {
  if (model_.Generator() == nullptr) {
    return;
  }
  HelpProjectResult result;
  bool refused = false;
  QString status;
  const bool ran = RunGuarded(this, [&] {
    try {
      model_.BuildHelpProject(result);
    } catch (const Error& e) {
      status = ErrorText(e);
      // Without a conversion there is nothing to build from: a box of its own, with its help
      // page. Other failures go to the error box.
      if (e.Parts().operation != FileOperation::Precondition) {
        throw;
      }
      Dialogs().Message(this, ErrorRequest(ErrorText(e), kHelpNoConversionYet));
      refused = true;
    }
  });
  if (ran && !refused) {
    const RunResult& conversion = model_.LastRun();
    status = QString::fromStdString(RunSummaryLine(
        conversion.Counts, static_cast<int>(conversion.Warnings.size() + result.Warnings.size())));
    if (!result.Warnings.empty()) {
      ShowRunBox(this, MessageKind::Warning,
                 RunWarningsText(result.Warnings, kMsgHelpProjectWarnings), kHelpWorkshop);
    }
    ShowRunBox(this, MessageKind::Information, MessageFromAnsi(kMsgProjectsWritten),
               kHelpProjectsWritten);
  }
  emit RunEnded(status);
  // Once the projects are written the dialog closes, also after a later failure.
  if (result.ProjectsComplete) {
    accept();
  }
}

void TLex_WorkshopProj::OnChooseTechDefaultPage() {
  ChooseDefaultPage(techPageEdit_);
}

void TLex_WorkshopProj::OnChooseDocDefaultPage() {
  ChooseDefaultPage(docPageEdit_);
}

void TLex_WorkshopProj::ChooseDefaultPage(QLineEdit* edit) {
  const QString outputFolder = FromAnsi(model_.Settings().OutputPath);
  pageDialog_->SetInitialDir(outputFolder);
  if (pageDialog_->Execute()) {
    edit->setText(DefaultPageText(pageDialog_->FileName(), outputFolder));
  }
}

} // namespace qm::ui
