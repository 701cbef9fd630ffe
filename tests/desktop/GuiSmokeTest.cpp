// The GUI test binary starts and can create and show a widget on the offscreen platform.
#include <QApplication>
#include <QLabel>

#include <gtest/gtest.h>

TEST(GuiTestBinary, ShowsAWidgetWithoutADisplay) {
  QLabel label("Quillmark");
  label.show();
  EXPECT_TRUE(label.isVisible());
  EXPECT_FALSE(QApplication::platformName().isEmpty());
}
