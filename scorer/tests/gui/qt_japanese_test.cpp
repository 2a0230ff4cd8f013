// Qt's own texts (standard buttons, file dialogs) in Japanese when Debian's
// translations are installed.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>

#include "program.h"

namespace kivo {
namespace {

TEST(QtJapaneseTest, StandardButtonsAndFileDialogsSpeakJapanese) {
  const QString file = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ja.qm");
  if (!QFileInfo::exists(file)) GTEST_SKIP() << "qt6-translations-l10n is not installed";
  const QString cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
  const QString lookIn = QCoreApplication::translate("QFileDialog", "Look in:");
  {
    const auto translator = InstallQtJapanese();
    ASSERT_NE(translator, nullptr);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), lookIn);
  }
  // Gone with its translator.
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), cancel);
}

}  // namespace
}  // namespace kivo
