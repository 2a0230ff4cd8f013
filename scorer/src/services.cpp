// The small services around the event: the memory file, the lock, the logo
// boxes, the help page, the details panel's "X" and the start of the course
// distance program.
#include <QFile>
#include <QFileInfo>

#include "core/file_io.h"
#include "core/last_data.h"
#include "core/logo_files.h"
#include "files/whole_file.h"
#include "form_building.h"
#include "qt/dialogs.h"
#include "qt/guard.h"
#include "qt/jpeg.h"
#include "qt/shell.h"
#include "qt/system.h"
#include "scorer_window.h"

namespace kivo {
namespace {

// The memory file is a single short line; more is never read.
constexpr qint64 kLastDataReadLimit = 4096;

// The lock keeps every page that edits the event's data, and the issued
// dates, from the user's hands.
void EnableEventData(TForm1& form, bool enabled) {
  for (QWidget* part :
       {static_cast<QWidget*>(form.pnlEVENT), static_cast<QWidget*>(form.pnlCOURSE),
        static_cast<QWidget*>(form.pnlENTRY), static_cast<QWidget*>(form.pnlFINISH),
        static_cast<QWidget*>(form.DateTimePicker7), static_cast<QWidget*>(form.DateTimePicker8)})
    part->setEnabled(enabled);
}

}  // namespace

void TForm1::LoadLastData() {
  if (!QFileInfo(Model.LastDataFile).isFile()) return;
  QFile file(Model.LastDataFile);
  // A memory file that is there but cannot be read is reported; the start
  // goes on with the newest rating data file and no correction.
  const auto reportUnreadable = [this] {
    platform::CurrentDialogs().ShowMessage(QStringLiteral("次のファイルを読み込めませんでした。\n") +
                                           Model.LastDataFile);
  };
  if (!file.open(QIODevice::ReadOnly)) {
    reportUnreadable();
    return;
  }
  const QByteArray content = file.read(kLastDataReadLimit);
  if (file.error() != QFileDevice::NoError) {
    reportUnreadable();
    return;
  }
  const QByteArray line = FirstLine(content);
  file.close();

  const std::optional<LastData> data = ParseLastDataLine(line);
  if (!data) return;
  const QString remembered = Model.RmsFolder + QLatin1Char('/') + data->RmsName;
  if (!data->RmsName.isEmpty() && QFileInfo(remembered).isFile()) Model.RmsFile = remembered;
  Model.ClockCorrection = data->ClockCorrection;
}

void TForm1::SaveLastData() {
  const QString rmsName = QFileInfo(Model.RmsFile).fileName();
  QString reason;
  if (!platform::WriteFileWhole(Model.LastDataFile, FormatLastDataFile(rmsName, Model.ClockCorrection),
                                &reason)) {
    platform::CurrentDialogs().ShowMessage(
        QStringLiteral("次のファイルに書き込めませんでした。\n%1\n%2").arg(Model.LastDataFile, reason));
  }
}

void TForm1::ShowLockedState() {
  Panel19->SetCaption(QStringLiteral("LOCKED"));
  Panel19->SetColor(kRed);
  Panel19->setToolTip(QStringLiteral("クリックするとロックを解除します。"));
  EnableEventData(*this, false);
}

void TForm1::ShowUnlockedState() {
  Panel19->SetCaption(QStringLiteral("UNLOCKED"));
  Panel19->SetColor(kBlue);
  Panel19->setToolTip(QStringLiteral("クリックするとデータをロックします。"));
  EnableEventData(*this, true);
}

void TForm1::Panel19Click() {
  platform::Guarded([this] {
    platform::Dialogs& dialogs = platform::CurrentDialogs();
    if (Model.Locked > 0) {
      if (dialogs.Confirm(QStringLiteral("ロックを解除しますか？"))) {
        Model.Locked = 0;
        ShowUnlockedState();
      }
    } else if (dialogs.Confirm(QStringLiteral("データをロックしますか？"))) {
      Model.Locked = 1;
      ShowLockedState();
    }
  });
}

void TForm1::ChooseLogo(PictureBox* box, QString& logoName) {
  platform::Dialogs& dialogs = platform::CurrentDialogs();
  if (Model.Locked > 0) {
    dialogs.ShowMessage(QStringLiteral("ロックされているので変更はできません"));
    return;
  }
  const QString chosen = dialogs.OpenPicture(
      QStringLiteral("画像ファイルを開く"), Model.LogoFolder + QStringLiteral("/morsund_eng.jpg"),
      QStringLiteral("画像ファイル(*.jpg,*.bmp (*.jpg *.bmp *.JPG *.BMP)"));
  QString name;
  if (!chosen.isEmpty()) {
    QString error;
    const QImage picture = platform::LoadPicture(chosen, &error);
    if (picture.isNull()) {
      // The box and the name keep what they had. The reason comes from the
      // picture library in English, so the message says first what failed.
      QString message = QStringLiteral("画像ファイルを読み込めませんでした。\n") + chosen;
      if (!error.isEmpty()) message += QLatin1Char('\n') + error;
      dialogs.ShowMessage(message);
      return;
    }
    name = QFileInfo(chosen).fileName();
    if (!TakeLogoIntoFolder(chosen, name.toLower())) return;
    box->SetPicture(picture);
  } else {
    box->Clear();
    name = QStringLiteral("-");
  }
  logoName = name.toLower();
}

bool TForm1::TakeLogoIntoFolder(const QString& chosen, const QString& name) {
  // A name that could reach outside the folder is no logo; it is kept as
  // picked, and no sheet looks it up.
  if (!IsLogoName(name)) return true;
  const LogoIntake intake = LogoIntakeFor(Model.LogoFolder, name, chosen);
  if (intake.need == LogoIntake::Need::Nothing) return true;
  if (intake.need == LogoIntake::Need::Replace &&
      !platform::CurrentDialogs().Confirm(
          QStringLiteral("LOGOフォルダには同じ名前の別の画像があります。\n%1\n"
                         "選んだ画像で置き換えますか？")
              .arg(intake.path)))
    return false;
  const QString what = QStringLiteral("ロゴ画像");
  SaveFileWhole(intake.path, ReadFileWhole(chosen, what), what);
  return true;
}

void TForm1::Image2Click() {
  platform::Guarded([this] { ChooseLogo(Image2, Model.LogoLeft); });
}
void TForm1::Image3Click() {
  platform::Guarded([this] { ChooseLogo(Image3, Model.LogoMiddle); });
}
void TForm1::Image4Click() {
  platform::Guarded([this] { ChooseLogo(Image4, Model.LogoRight); });
}

void TForm1::Panel20Click() {
  platform::Guarded([this] { platform::CurrentShell().OpenDocument(Model.HelpFile); });
}

void TForm1::Panel22Click() { pnlDETAILS->hide(); }

bool TForm1::IsInternetConnected() { return platform::CurrentSystem().IsInternetConnected(); }

void TForm1::Button13Click() {
  platform::Guarded([this] {
    if (!IsInternetConnected()) {
      platform::CurrentDialogs().ShowMessage(QStringLiteral("インターネットに接続されていません"));
      return;
    }
    platform::CurrentShell().StartProgram(Model.CourseProgramPath);
  });
}

}  // namespace kivo
