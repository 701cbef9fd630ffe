// The GUI test binary's entry point: one QApplication for all tests. Windows are drawn
// without a display unless the caller chose a platform (ctest sets "offscreen"; test
// discovery at build time runs the binary with no environment at all).
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  QApplication app(argc, argv);
  // A window saves its state when it closes; a test that forgets its own settings folder
  // still never writes the user's configuration.
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
