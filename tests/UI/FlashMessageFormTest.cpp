// The flash message: one line in blue, twice the text's width and three times
// its height, centred, replacing the message shown before.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "UI/FlashMessageForm.h"

namespace zelvora {
namespace {

TEST(FlashMessageFormTest, SizedFromItsTextAndCentred) {
  TFlashMessageForm flash;
  flash.ShowMessage("Initializing Database");
  auto* panel = flash.findChild<QLabel*>("Panel");
  ASSERT_NE(panel, nullptr);
  const QFontMetrics metrics(panel->font());
  EXPECT_TRUE(flash.isVisible());
  EXPECT_EQ(flash.width(), 2 * metrics.horizontalAdvance("Initializing Database"));
  EXPECT_EQ(flash.height(), 3 * metrics.height());
  EXPECT_EQ(panel->palette().color(QPalette::WindowText), QColor(Qt::blue));
  const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
  EXPECT_LE((flash.geometry().center() - centre).manhattanLength(), 2);

  flash.ShowMessage("Reindexing Database");
  EXPECT_EQ(flash.Text(), "Reindexing Database");
  EXPECT_EQ(flash.width(), 2 * metrics.horizontalAdvance("Reindexing Database"));
  flash.HideMessage();
  EXPECT_FALSE(flash.isVisible());
}

}  // namespace
}  // namespace zelvora
