// The set-up of the window tests: a program folder with one-line templates, empty tables and
// map-head templates, scripted dialogs, a recorder in place of the help viewer, and helpers
// that drive the main window and its modal dialogs by their controls' names.
#pragma once

#include "../desktop/ScriptedDialogs.h"
#include "../desktop/SettingsSandbox.h"
#include "TestUtil.h"
#include "gui/Fortschritt.h"
#include "gui/Hauptmenue.h"
#include "project/ProjectModel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace qmtest {

/// The user page of one source with the block "Hallo" titled "Titel" under the templates below.
inline const std::string kPage = CrLf({"H", "BH", "Hallo", "", "", "BF", "F"});
/// A Pascal source with that block.
inline const std::string kSource = CrLf({"{###DocGen_Start Titel", "Hallo", "###DocGen_End}"});

class UiTest : public ::testing::Test {
protected:
  UiTest() {
    WriteFile(root / "bin/HTMLTags.txt", "");
    WriteFile(root / "bin/Umlaute.txt", "");
    WriteFile(root / "bin/Header.txt", "%TYPE%%FILE%\r\n");
    WriteFile(root / "bin/Comment.txt", "Stand: %DATETIME%\r\n");
    for (const char* shared : {"webhilfe.js", "webhilfe.css", "lunr.min.js"}) {
      WriteFile(root / (std::string("bin/webhelp/") + shared), "");
    }
    for (const char* kind : {"Usr", "Dev"}) {
      const std::string k(kind);
      WriteFile(root / ("Templates/HTMLHeader_" + k + ".htt"), "H\r\n");
      WriteFile(root / ("Templates/HTMLFooter_" + k + ".htt"), "F\r\n");
      WriteFile(root / ("Templates/HTMLBlockHeader_" + k + ".htt"), "BH\r\n");
      WriteFile(root / ("Templates/HTMLBlockFooter_" + k + ".htt"), "BF\r\n");
    }
  }

  /// A main window over the program folder above, whose progress window does not linger.
  std::unique_ptr<qm::ui::TLex_Hauptmenue> NewWindow(const QStringList& arguments = {}) {
    auto window = std::make_unique<qm::ui::TLex_Hauptmenue>(root / "bin/", arguments);
    window->SetProgressPause(0);
    return window;
  }

  /// Shows window and makes it the active one, so that its shortcuts work.
  static void Activate(qm::ui::TLex_Hauptmenue& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  /// Sets the input folder and ticks Pascal, the output folder too when given.
  static void Configure(qm::ui::TLex_Hauptmenue& window, const std::string& input,
                        const std::string& output) {
    Find<QLineEdit>(window, "Edt_Eingabepfad")->setText(QString::fromStdString(input));
    Find<QLineEdit>(window, "Edt_Ausgabepfad")->setText(QString::fromStdString(output));
    Find<QCheckBox>(window, "optPascal")->setChecked(true);
  }

  /// Runs start, which starts a conversion, and returns when the conversion is over.
  static void Convert(qm::ui::TLex_Hauptmenue& window, const std::function<void()>& start) {
    QSignalSpy ended(&window, &qm::ui::TLex_Hauptmenue::ConversionEnded);
    start();
    if (ended.isEmpty()) {
      ASSERT_TRUE(ended.wait(kRunTimeoutMs)) << "the conversion did not end";
    }
  }

  /// Converts with window and calls atFile(progress window, position) inside the run as each
  /// file is done; the run waits at that file until atFile has returned. The run must first ask
  /// a question (the output folder is made after one), so that atFile is in place in time.
  static void ConvertCalling(qm::ui::TLex_Hauptmenue& window,
                             const std::function<void(qm::ui::TLex_Fortschritt&, int)>& atFile) {
    Convert(window, [&] {
      window.OnConvert();
      auto* progress = qobject_cast<qm::ui::TLex_Fortschritt*>(window.ProgressWindow());
      ASSERT_NE(progress, nullptr);
      QObject::connect(
          progress, &qm::ui::TLex_Fortschritt::FileDone, progress,
          [&atFile, progress](int position) { atFile(*progress, position); },
          Qt::BlockingQueuedConnection);
    });
  }

  /// The child of window named name (a test failure when there is none).
  template <typename T> static T* Find(const QObject& window, const char* name) {
    T* child = window.findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }

  /// Whether the command of the menu item or tool button named name can be used.
  static bool CommandEnabled(const QObject& window, const char* name) {
    if (auto* button = window.findChild<QToolButton*>(QLatin1String(name))) {
      return button->isEnabled();
    }
    return Find<QAction>(window, name)->isEnabled();
  }

  /// Runs open, which shows a modal dialog of type T, and action on that dialog once it is
  /// open. action is to close the dialog; one it leaves open is a test failure and is hidden.
  template <typename T>
  static void WithModal(const std::function<void()>& open, const std::function<void(T&)>& action) {
    bool reached = false;
    QObject guard; // a dialog that never opens leaves no timer behind
    QTimer::singleShot(0, &guard, [&] {
      auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
      if (dialog == nullptr) {
        ADD_FAILURE() << "no modal dialog of the expected type";
        return;
      }
      reached = true;
      action(*dialog);
      if (dialog->isVisible()) {
        ADD_FAILURE() << "the dialog stayed open";
        dialog->QDialog::done(QDialog::Rejected);
      }
    });
    open();
    EXPECT_TRUE(reached);
  }

  /// Runs action inside the application's event loop and returns the loop's exit code once
  /// something ends it (QCoreApplication::exit); a loop nothing ends fails the test.
  static int ExitCodeOf(const std::function<void()>& action) {
    QObject guard; // no timer outlives the call
    QTimer::singleShot(0, &guard, action);
    QTimer::singleShot(kRunTimeoutMs, &guard, [] {
      ADD_FAILURE() << "nothing ended the event loop";
      QCoreApplication::exit(-1);
    });
    QApplication::setQuitOnLastWindowClosed(false);
    const int code = QApplication::exec();
    QApplication::setQuitOnLastWindowClosed(true);
    return code;
  }

  /// Clicks the push or tool button named name in window.
  static void Click(const QObject& window, const char* name) {
    if (auto* button = window.findChild<QAbstractButton*>(QLatin1String(name))) {
      QTest::mouseClick(button, Qt::LeftButton);
      return;
    }
    ADD_FAILURE() << "no button " << name;
  }

  /// Whether dialog stands centred over owner: top = owner's top + (owner's height - own
  /// height) / 2, left likewise, each half rounded toward zero.
  static void ExpectCentred(const QWidget& dialog, const QWidget& owner) {
    const QRect o = owner.frameGeometry();
    const QRect d = dialog.frameGeometry();
    EXPECT_EQ(d.topLeft(), QPoint(o.left() + (o.width() - d.width()) / 2,
                                  o.top() + (o.height() - d.height()) / 2));
  }

  static constexpr int kRunTimeoutMs = 30000;

  // The windows keep their state in settings of their own, first made and last gone.
  SettingsSandbox settings;
  TempDir root;
  ScriptedDialogs dialogs;
  HelpRecorder help;
};

} // namespace qmtest
