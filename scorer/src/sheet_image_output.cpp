// The sheet image, the output target "画像ソフトに出力": the page is drawn,
// saved as a JPEG and opened in the desktop's image viewer.
#include "core/logo_files.h"
#include "core/sheet_image_text.h"
#include "locale/user_locale.h"
#include "qt/dialogs.h"
#include "qt/jpeg.h"
#include "qt/shell.h"
#include "scorer_window.h"
#include "sheet_image_drawing.h"

namespace kivo {
namespace {

QString WithReason(QString message, const QString& reason) {
  if (!reason.isEmpty()) message += QLatin1Char('\n') + reason;
  return message;
}

}  // namespace

void TForm1::RenderSheetImage() {
  platform::Dialogs& dialogs = platform::CurrentDialogs();
  SheetLogos logos;
  const std::pair<const QString&, QImage&> wanted[] = {
      {Model.LogoLeft, logos.left}, {Model.LogoMiddle, logos.middle}, {Model.LogoRight, logos.right}};
  for (const auto& [name, logo] : wanted) {
    // "-" is none; a name that could reach outside the logo folder is no
    // logo. Any other is read as the logo boxes read it.
    if (!IsLogoName(name)) continue;
    const QString found = FindLogoFile(Model.LogoFolder, name);
    const QString path = found.isEmpty() ? Model.LogoFolder + QLatin1Char('/') + name : found;
    QString error = QStringLiteral("ファイルが見つかりません。");
    if (!found.isEmpty()) logo = platform::LoadPicture(path, &error);
    if (logo.isNull()) {
      dialogs.ShowMessage(WithReason(QStringLiteral("ロゴ画像を読み込めませんでした。\n") + path, error));
      return;
    }
  }

  const SheetImage sheet = DrawSheetImage(Model, logos, platform::UserLocale());
  if (!sheet.TableFits()) {
    dialogs.ShowMessage(QStringLiteral("表が画像の下端を越えるため、画像ファイルは作成しませんでした。"));
    return;
  }

  const QString path = Model.PicturesFolder + QLatin1Char('/') + SheetImageFileName(Model, Model.SheetKind);
  QString error;
  if (!platform::EncodeJpegFile(sheet.page, path, 90, &error)) {
    dialogs.ShowMessage(WithReason(QStringLiteral("画像ファイルを書き込めませんでした。\n") + path, error));
    return;
  }
  if (!platform::CurrentShell().OpenImage(path))
    dialogs.ShowMessage(QStringLiteral("画像ソフトを起動できませんでした。\n") + path);
}

}  // namespace kivo
