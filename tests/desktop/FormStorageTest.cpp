// The form storage keeps a window's placement and control values between runs: restored when
// the window is shown, saved when it closes or is destroyed, every value a string in the
// user's settings. The offscreen platform has one 800 x 800 screen at 96 dots per inch.
#include "desktop/FormStorage.h"
#include "desktop/FormStorageTexts.h"

#include "SettingsSandbox.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using qm::TFormStorage;
using qmtest::SettingsSandbox;

const char* const kBoxes[] = {"chkUnterordner",   "optAssembler", "optBasic",        "optC",
                              "optHTML",          "optJava",      "optPascal",       "optSQL",
                              "optInstallShield", "optOEM",       "optEigeneDateien"};

/// A window like the main window: fixed size at (100, 50), two path edits and eleven boxes.
class MenueForm : public QWidget {
public:
  explicit MenueForm(bool fixedSize = true) {
    for (const char* name : {"Edt_Ausgabepfad", "Edt_Eingabepfad"}) {
      (new QLineEdit(this))->setObjectName(name);
    }
    for (const char* name : kBoxes) {
      (new QCheckBox(this))->setObjectName(name);
    }
    Box("chkUnterordner")->setChecked(true);
    if (fixedSize) {
      setFixedSize(442, 372);
    }
    setGeometry(100, 50, 442, 372);
    storage = new TFormStorage(this);
    storage->SetIniFileName(qm::kFormStorageKey);
    storage->SetIniSection(qm::kSectionMenue);
    QStringList props{"Edt_Ausgabepfad.Text", "Edt_Eingabepfad.Text"};
    for (const char* name : kBoxes) {
      props.append(QString(name) + ".Checked");
    }
    storage->SetStoredProps(props);
    QObject::connect(storage, &TFormStorage::OnError, this,
                     [this](const qm::FormStorageError& e) { errors.push_back(e.Message()); });
  }
  ~MenueForm() override { storage->FormDestroy(); }

  QLineEdit* Edit(const char* name) const { return findChild<QLineEdit*>(name); }
  QCheckBox* Box(const char* name) const { return findChild<QCheckBox*>(name); }
  /// The input and output texts, the ticked boxes and the geometry.
  std::string State() const {
    QString out = Edit("Edt_Eingabepfad")->text() + "|" + Edit("Edt_Ausgabepfad")->text() + "|";
    for (const char* name : kBoxes) {
      out += Box(name)->isChecked() ? QString(name) + " " : QString();
    }
    const QRect g = geometry();
    return out.toStdString() +
           QString::asprintf("|%d,%d %dx%d", g.x(), g.y(), g.width(), g.height()).toStdString();
  }

  TFormStorage* storage;
  bool refuseClose = false;
  QString inputAtShow;
  std::vector<QString> errors;

protected:
  void showEvent(QShowEvent*) override { inputAtShow = Edit("Edt_Eingabepfad")->text(); }
  void closeEvent(QCloseEvent* event) override { event->setAccepted(!refuseClose); }
};

/// The section of a MenueForm closed in its designed state.
std::string DesignedMenue(const std::string& visible) {
  return "[Menue]\n"
         "Edt_Ausgabepfad_Text=\n"
         "Edt_Eingabepfad_Text=\n"
         "Flags=0\n"
         "FormVersion=0\n"
         "MinMaxPos=\"-1,-1,-1,-1\"\n"
         "MinMaxPos%28800x800%29=\"-1,-1,-1,-1\"\n"
         "NormPos=\"100,50,542,422\"\n"
         "NormPos%28800x800%29=\"100,50,542,422\"\n"
         "PixelsPerInch=96\n"
         "ShowCmd=1\n"
         "Visible=" +
         visible +
         "\n"
         "chkUnterordner_Checked=True\n"
         "optAssembler_Checked=False\n"
         "optBasic_Checked=False\n"
         "optC_Checked=False\n"
         "optEigeneDateien_Checked=False\n"
         "optHTML_Checked=False\n"
         "optInstallShield_Checked=False\n"
         "optJava_Checked=False\n"
         "optOEM_Checked=False\n"
         "optPascal_Checked=False\n"
         "optSQL_Checked=False\n";
}

const char* const kDesignedState = "||chkUnterordner |100,50 442x372";

TEST(FormStorage, FirstStartShowsTheDesignAndClosingWritesEveryValue) {
  SettingsSandbox sandbox;
  auto form = std::make_unique<MenueForm>();
  form->show();
  EXPECT_EQ(form->State(), kDesignedState);
  EXPECT_FALSE(qmtest::Exists(sandbox.File())) << "showing alone writes nothing";
  form->close();
  EXPECT_EQ(sandbox.Text(), DesignedMenue("0"));
  form.reset(); // saved since the restore: destruction writes nothing more
  EXPECT_EQ(sandbox.Text(), DesignedMenue("0"));
}

TEST(FormStorage, WindowLeftThroughExitIsSavedAsDestroyed) {
  // A quit command ends the event loop with exit(), which closes no window; the window is
  // saved while it is destroyed.
  SettingsSandbox sandbox;
  auto form = std::make_unique<MenueForm>();
  form->show();
  QApplication::setQuitOnLastWindowClosed(false);
  QCoreApplication::removePostedEvents(qApp, QEvent::Quit);
  QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
  QApplication::exec();
  QApplication::setQuitOnLastWindowClosed(true);
  EXPECT_TRUE(form->isVisible());
  form.reset();
  EXPECT_EQ(sandbox.Text(), DesignedMenue("1"));
}

TEST(FormStorage, SecondWindowGetsBackTextsBoxesAndPosition) {
  SettingsSandbox sandbox;
  {
    MenueForm first;
    first.show();
    first.Edit("Edt_Eingabepfad")->setText("/home/u/src ");
    first.Edit("Edt_Ausgabepfad")->setText("\t/home/u/out");
    first.Box("chkUnterordner")->setChecked(false);
    first.Box("optC")->setChecked(true);
    first.setGeometry(120, 80, 442, 372);
    first.close();
  }
  MenueForm second;
  second.show();
  EXPECT_EQ(second.State(), "/home/u/src|/home/u/out|optC |120,80 442x372");
  EXPECT_EQ(second.inputAtShow, "/home/u/src") << "the window's own show sees restored values";
}

TEST(FormStorage, RestoresWhatTheSettingsHold) {
  // Booleans in any case, blanks around texts and numbers; garbage and values of other kinds
  // leave the design; positions: this screen size first, then without a size, none from
  // another pixel density, a fixed-size window keeps its size, an empty rectangle is ignored.
  const struct {
    const char* values;
    bool fixedSize;
    const char* state;
  } cases[] = {
      {"optPascal_Checked=TRUE\noptSQL_Checked=true\nchkUnterordner_Checked=fAlSe\n"
       "Edt_Eingabepfad_Text=\"  /src  \"\nPixelsPerInch=\" 96 \"\nNormPos=\"10  20,,452 392\"\n",
       true, "/src||optPascal optSQL |10,20 442x372"},
      {"FormVersion=-1\noptC_Checked=True\nNormPos=\"10,20,452,392\"\n", true, kDesignedState},
      {"FormVersion=x\nFlags=@ByteArray(2)\nShowCmd=three\nPixelsPerInch=@ByteArray(96)\n"
       "NormPos%28800x800%29=\"a,b,c,d\"\nNormPos=@Rect(1 2 3 4)\nMinMaxPos=\n"
       "Edt_Eingabepfad_Text=/a, /b\nEdt_Ausgabepfad_Text=@ByteArray(/out)\n"
       "chkUnterordner_Checked=0\noptC_Checked=yes\noptJava_Checked=True, False\n",
       true, kDesignedState},
      {"NormPos%281024x768%29=\"300,200,742,572\"\nNormPos=\"60,70,502,442\"\n", true,
       "||chkUnterordner |60,70 442x372"},
      {"NormPos%28800x800%29=\"30,40,472,412\"\nNormPos=\"60,70,502,442\"\n", true,
       "||chkUnterordner |30,40 442x372"},
      {"NormPos%28800x800%29=\nNormPos=\"60,70,502,442\"\n", true,
       "||chkUnterordner |60,70 442x372"},
      {"NormPos=\"60,70,502,442\"\nPixelsPerInch=120\n", true, kDesignedState},
      {"NormPos=\"10,20,310,220\"\n", false, "||chkUnterordner |10,20 300x200"},
      {"NormPos=\"10,20\"\n", false, "||chkUnterordner |10,20 532x402"},
      {"NormPos=\"10,20,10,220\"\n", false, kDesignedState},
      {"NormPos=\"10,20,310,20\"\n", false, kDesignedState},
  };
  for (const auto& c : cases) {
    SettingsSandbox sandbox;
    sandbox.Seed(std::string("[Menue]\n") + c.values);
    MenueForm form(c.fixedSize);
    form.show();
    EXPECT_EQ(form.State(), c.state) << c.values;
    EXPECT_TRUE(form.errors.empty() && form.windowState() == Qt::WindowNoState) << c.values;
  }
}

TEST(FormStorage, ShowStateAndFocusedControl) {
  // A maximized window keeps its normal rectangle; ShowCmd 2 with Flags 2 is minimized from
  // maximized; fpActiveControl without fpPosition restores the focus but not the position.
  SettingsSandbox sandbox;
  sandbox.Seed("[Menue]\nShowCmd=3\nNormPos=\"10,20,310,220\"\n");
  {
    MenueForm form(false);
    form.storage->SetOptions(form.storage->Options() | TFormStorage::fpActiveControl);
    form.show();
    EXPECT_TRUE(form.isMaximized());
    form.Box("optC")->setFocus();
    form.close();
  }
  const std::string text = sandbox.Text();
  for (const char* line :
       {"\nShowCmd=3\n", "\nNormPos=\"10,20,310,220\"\n", "\nActiveControl=optC\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << " in " << text;
  }
  sandbox.Seed("[Menue]\nShowCmd=2\nFlags=2\nActiveControl=optC\nNormPos=\"10,20,310,220\"\n");
  MenueForm form(false);
  form.storage->SetOptions(TFormStorage::fpState | TFormStorage::fpActiveControl);
  form.show();
  EXPECT_EQ(form.windowState(), Qt::WindowMinimized | Qt::WindowMaximized);
  EXPECT_EQ(form.focusWidget(), form.Box("optC"));
  EXPECT_EQ(form.normalGeometry(), QRect(100, 50, 442, 372));
}

TEST(FormStorage, WritesNothingUnlessShownAndActive) {
  SettingsSandbox sandbox;
  { MenueForm neverShown; }
  {
    MenueForm inactive;
    inactive.storage->SetActive(false);
    inactive.show();
    inactive.close();
  }
  {
    // Switched on after the show: nothing was restored, so nothing is saved.
    MenueForm lateActive;
    lateActive.storage->SetActive(false);
    lateActive.show();
    lateActive.storage->SetActive(true);
    lateActive.close();
  }
  EXPECT_FALSE(qmtest::Exists(sandbox.File()));
  {
    MenueForm refusing;
    refusing.refuseClose = true;
    refusing.show();
    refusing.close();
    EXPECT_FALSE(qmtest::Exists(sandbox.File())) << "a refused close saves nothing";
  }
  EXPECT_EQ(sandbox.Text(), DesignedMenue("1")) << "the open window is saved as destroyed";
}

TEST(FormStorage, StoredPropsResolveByNameInAnyCase) {
  // Unresolvable items are dropped; the value names are those of the control and property,
  // declared or dynamic; without IniSection the window's class name is the section.
  SettingsSandbox sandbox;
  QWidget form;
  (new QLineEdit("x", &form))->setObjectName("Edt_Eingabepfad");
  (new QCheckBox(&form))->setObjectName("optC");
  auto* dialog = new QObject(&form);
  dialog->setObjectName("OpenDialog1");
  dialog->setProperty("FileName", " /t/a.htm ");
  dialog->setProperty("count", 7);
  auto* storage = new TFormStorage(&form);
  storage->SetIniFileName("Software/Pellhardt/Quillmark");
  storage->SetStoredProps({" edt_eingabepfad . TEXT ", "Missing.Text", "optC.NoSuch", ".Text",
                           "optC.", "optC", "OPTC.checked", "OpenDialog1.filename",
                           "OpenDialog1.Count"});
  form.show();
  form.close();
  EXPECT_EQ(storage->StoredProps(), QStringList({" edt_eingabepfad . TEXT ", "OPTC.checked",
                                                 "OpenDialog1.filename", "OpenDialog1.Count"}));
  QSettings settings("Pellhardt", "Quillmark");
  settings.beginGroup("QWidget");
  EXPECT_EQ(settings.childKeys().filter("_"),
            QStringList({"Edt_Eingabepfad_Text", "OpenDialog1_Count", "OpenDialog1_FileName",
                         "optC_Checked"}));
  EXPECT_EQ(settings.value("OpenDialog1_FileName"), QVariant("/t/a.htm"));
  EXPECT_EQ(settings.value("OpenDialog1_Count"), QVariant("7"));
  settings.setValue("OpenDialog1_Count", "x12");
  settings.sync();
  form.show();
  EXPECT_EQ(dialog->property("count"), QVariant(0)) << "a number that does not convert is 0";
  storage->FormDestroy();
}

/// A window like the template editor: a text and two file-dialog-like objects.
class EditorForm : public QDialog {
public:
  EditorForm() {
    content = new QPlainTextEdit(this);
    content->setObjectName("Content");
    for (const char* name : {"OpenDialog1", "SaveDialog1"}) {
      auto* dialog = new QObject(this);
      dialog->setObjectName(name);
      dialog->setProperty("FileName", QString());
    }
    setFixedSize(417, 246);
    setGeometry(150, 100, 417, 246);
    storage = new TFormStorage(this);
    storage->SetIniFileName(qm::kFormStorageKey);
    storage->SetIniSection(qm::kSectionEditor);
    storage->SetStoredProps({"Content.Lines", "OpenDialog1.FileName", "SaveDialog1.FileName"});
  }
  ~EditorForm() override { storage->FormDestroy(); }
  QObject* Dialog(const char* name) const { return findChild<QObject*>(name); }

  QPlainTextEdit* content;
  TFormStorage* storage;
};

TEST(FormStorage, EditorLinesGoToTheirOwnGroup) {
  SettingsSandbox sandbox;
  {
    EditorForm editor;
    editor.show();
    editor.content->setPlainText("<p class=\"a\">; Menü\n  <b>x</b> \n");
    editor.Dialog("OpenDialog1")->setProperty("FileName", "/t/a.htm ");
    editor.accept();
  }
  EXPECT_EQ(sandbox.Text(), "[Editor]\n"
                            "Flags=0\n"
                            "FormVersion=0\n"
                            "MinMaxPos=\"-1,-1,-1,-1\"\n"
                            "MinMaxPos%28800x800%29=\"-1,-1,-1,-1\"\n"
                            "NormPos=\"150,100,567,346\"\n"
                            "NormPos%28800x800%29=\"150,100,567,346\"\n"
                            "OpenDialog1_FileName=/t/a.htm\n"
                            "PixelsPerInch=96\n"
                            "SaveDialog1_FileName=\n"
                            "ShowCmd=1\n"
                            "Visible=0\n"
                            "\n"
                            "[Editor.Content_Lines]\n"
                            "Count=3\n"
                            "Item0=\"<p class=\\\"a\\\">; Menü\"\n"
                            "Item1=\"  <b>x</b> \"\n"
                            "Item2=\n");
  {
    EditorForm editor;
    editor.show();
    EXPECT_EQ(editor.content->toPlainText(), "<p class=\"a\">; Menü\n  <b>x</b> \n");
    EXPECT_EQ(editor.Dialog("OpenDialog1")->property("FileName"), QVariant("/t/a.htm"));
    editor.content->clear();
    editor.reject();
  }
  const std::string text = sandbox.Text();
  EXPECT_EQ(text.find("Content_Lines"), std::string::npos) << "an empty text deletes the group";
  EXPECT_EQ(text.find("Item"), std::string::npos) << text;
  EditorForm editor;
  editor.content->setPlainText("kept");
  editor.show();
  EXPECT_EQ(editor.content->toPlainText(), "kept");
}

TEST(FormStorage, DamagedLineGroupsLeaveTheText) {
  // A Count that is no number or larger than the lines held, and a line of another kind.
  const char* groups[] = {"Count=lots\nItem0=a\n", "Count=100000\nItem0=a\nItem1=b\n",
                          "Count=2\nItem0=a\nItem1=@ByteArray(b)\n"};
  const char* expected[] = {"kept", "a\nb", "kept"};
  for (size_t i = 0; i < std::size(groups); ++i) {
    SettingsSandbox sandbox;
    sandbox.Seed(std::string("[Editor.Content_Lines]\n") + groups[i]);
    EditorForm editor;
    editor.content->setPlainText("kept");
    editor.show();
    EXPECT_EQ(editor.content->toPlainText(), expected[i]) << groups[i];
  }
}

TEST(FormStorage, UnreadableOrUnwritableSettingsAreReported) {
  // The message names the file and the reason; the window still opens and closes, and a
  // window whose restore failed does not overwrite the file.
  SettingsSandbox sandbox;
  const QString file = QDir::toNativeSeparators(QString::fromStdString(sandbox.File()));
  {
    MenueForm form;
    form.show();
    QDir().mkpath(QString::fromStdString(sandbox.File())); // a folder where the file belongs
    form.close();
    EXPECT_FALSE(form.isVisible());
    ASSERT_EQ(form.errors.size(), 1u);
    EXPECT_EQ(form.errors[0], "Die Fenstereinstellungen können nicht in " + file +
                                  " gespeichert werden: Dateizugriff verweigert");
  }
  QDir(QString::fromStdString(sandbox.File())).removeRecursively();
  sandbox.Seed("[Menue\nEdt_Eingabepfad_Text=/src\n");
  MenueForm form;
  form.show();
  EXPECT_TRUE(form.isVisible());
  ASSERT_EQ(form.errors.size(), 1u);
  EXPECT_EQ(form.errors[0], "Die Fenstereinstellungen können nicht aus " + file +
                                " gelesen werden: ungültiges Dateiformat");
  form.close();
  EXPECT_EQ(form.errors.size(), 1u);
  EXPECT_EQ(sandbox.Text(), "[Menue\nEdt_Eingabepfad_Text=/src\n");
}

} // namespace
