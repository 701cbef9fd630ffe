// The GUI test binary's entry point: one QApplication for all tests. Windows are drawn
// without a display unless the caller chose a platform (ctest sets "offscreen"; test
// discovery at build time runs the binary with no environment at all).
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
