// The event file commands of the top bar: new, open (with the showing of the
// opened race on every page), save, and the questions at the close of the
// window.
#include <optional>

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>

#include "core/event_file.h"
#include "core/file_io.h"
#include "core/local_date_time.h"
#include "core/logo_files.h"
#include "core/number_text.h"
#include "core/race_xml.h"
#include "core/rms_text.h"
#include "locale/float_text.h"
#include "locale/user_locale.h"
#include "qt/dialogs.h"
#include "qt/guard.h"
#include "qt/jpeg.h"
#include "qt/system.h"
#include "scorer_window.h"

namespace kivo {

void TForm1::ConnectEventCommands() {
  connect(Button9, &QPushButton::clicked, this, &TForm1::Button9Click);
  connect(Button10, &QPushButton::clicked, this, &TForm1::Button10Click);
  connect(Button21, &QPushButton::clicked, this, &TForm1::Button21Click);
}

void TForm1::SaveEventFile(const QString& failure) {
  kivo::SaveEventFile(Model);
  RememberEventFile(Model.EventFile);
  platform::CurrentSystem().Beep();
  platform::CurrentDialogs().ShowMessage(failure.isEmpty() ? QStringLiteral("データが保存されました")
                                                           : failure);
}

void TForm1::RememberEventFile(const QString& path) {
  if (!eventFiles_.contains(path)) eventFiles_.append(path);
}

bool TForm1::MayReplaceFilesUnderSaveName() {
  const QStringList others = FilesOfAnotherEvent(Model, eventFiles_);
  if (others.isEmpty()) return true;
  if (!platform::CurrentDialogs().Confirm(
          QStringLiteral("別のイベントのファイルがあります。\n%1\n上書きしますか？")
              .arg(others.join(QLatin1Char('\n')))))
    return false;
  // Agreed once: the save that follows the calculation does not ask again.
  for (const QString& file : others) RememberEventFile(file);
  return true;
}

void TForm1::ReadEventFile() { kivo::ReadEventFile(Model); }

void TForm1::Button9Click() {
  platform::Guarded([this] {
    if (!SaveChangedEvent()) return;
    ResetEventForm();
    ShowPage(1);
    RememberSavedEvent();
  });
}

void TForm1::Button10Click() {
  platform::Guarded([this] {
    const QString chosen = platform::CurrentDialogs().OpenFile(
        QStringLiteral("ファイルを開く"), Model.RaceDataFolder, QStringLiteral("KIVO (*.kivo)"));
    if (chosen.isEmpty()) return;
    if (!SaveChangedEvent()) return;

    // The chosen event and its race are read and checked whole before the
    // event on screen is touched: a file that cannot be opened leaves it
    // exactly as it was.
    EventModel opened = Model;
    opened.ResetEventData();
    bool raceXmlRead = false;
    try {
      raceXmlRead = OpenEventFiles(opened, QFileInfo(chosen).absoluteFilePath(), platform::UserLocale());
    } catch (const ScorerFileError& e) {
      platform::CurrentDialogs().ShowMessage(QString::fromStdString(e.what()));
      return;
    }

    ResetEventForm();
    Model = opened;
    RememberEventFile(Model.EventFile);
    ShowPage(1);
    ShowRace(1, raceXmlRead);
    RememberEventFile(Model.RaceXmlFile);
    // The next data check takes the save name field, which shows it
    // without the extension.
    Model.SaveName = QFileInfo(chosen).fileName();
    RememberSavedEvent();
    if (!raceXmlRead) {
      platform::CurrentDialogs().ShowMessage(QStringLiteral("レースXMLファイルがありません。\n%1\n"
                                                            "イベントの項目だけを開きました。")
                                                 .arg(Model.RaceXmlFile));
    }
  });
}

void TForm1::ShowSaveName(const QString& name) {
  QString shown = name;
  bool shortened = false;
  while (const std::optional<QString> shorter = SaveNameAfterCheck(shown)) {
    shown = *shorter;
    shortened = true;
  }
  if (shortened) platform::CurrentDialogs().ShowMessage(ForbiddenSaveNameMessage());
  editingSaveName_ = true;
  Edit3->setText(shown);
  editingSaveName_ = false;
}

void TForm1::ShowRace(int race, bool raceXmlRead) {
  const QLocale locale = platform::UserLocale();

  if (!Model.EventName.isEmpty()) Edit2->setText(Model.EventName);
  Edit4->setText(Model.RaceName[race]);
  ShowSaveName(SaveNameBase(QFileInfo(Model.EventFile).fileName()));
  Edit6->setText(Model.EventClass);
  Edit7->setText(Model.Chairman);

  Model.RaceXmlFile = Model.XmlFolder + QLatin1Char('/') + Model.RaceXmlName[race];
  if (raceXmlRead) {
    ComboBox1->setCurrentText(CourseTypeText(Model.RaceType[race]));
    Edit1->setText(platform::ShortFloatText(Model.CourseDistance[race], locale));
    Panel15->SetCaption(Model.RaceName[race]);
    Label17->setText(Model.RaceName[race]);
    Edit4->setText(Model.RaceName[race]);
    Edit7->setText(Model.Chairman);
    const QDateTime start = LocalDateTimeOrThrow(Model.RaceStart[race], locale);
    DateTimePicker1->setDate(start.date());
    DateTimePicker2->setTime(start.time());
    if (!Model.RaceLimit[race].isEmpty()) {
      const QDateTime limit = LocalDateTimeOrThrow(Model.RaceLimit[race], locale);
      DateTimePicker3->setDate(limit.date());
      DateTimePicker4->setTime(limit.time());
    }
    for (int leg = 1; leg <= Model.RaceLegCount[race]; ++leg) {
      StringGrid1->SetCells(1, leg, platform::ShortFloatText(Model.LegDistance[race][leg], locale));
      StringGrid1->SetCells(2, leg, platform::ShortFloatText(Model.LegCourse[race][leg], locale));
      StringGrid1->SetCells(3, leg, platform::ShortFloatText(Model.LegWindDirection[race][leg], locale));
      StringGrid1->SetCells(4, leg, platform::ShortFloatText(Model.LegWindSpeed[race][leg], locale));
    }
  }

  Edit5->setText(Model.RaceJury[race]);
  // As picking the event's course type would, with the count of its legs.
  ShowLegGridForCourseType(true);

  Memo3->clear();
  Label21->setText(QStringLiteral("ファイルがありません"));
  ListBox1->clear();
  // A rating data file that cannot be read is reported, and the rest of the
  // race (its entries, finishes, logos and lock) is still shown.
  if (QFileInfo(Model.RmsFile).isFile()) platform::Guarded([this] { LoadRmsFile(); });

  if (Model.RaceEntryCount[race] > 0) {
    ListBox2->clear();
    for (int entry = 1; entry <= Model.RaceEntryCount[race]; ++entry)
      ListBox2->addItem(Model.EntryName[entry]);
    Memo5->setText(QString::number(Model.RaceEntryCount[race]));
  }

  RefreshFinishLists();

  const auto showLogo = [this](PictureBox* box, QString& name) {
    if (AnsiByteLength(name) < 3) {
      box->Clear();
      return;
    }
    const QString path = FindLogoFile(Model.LogoFolder, name);
    if (!path.isEmpty()) {
      const QImage picture = platform::LoadPicture(path);
      // An unreadable picture leaves the box as it was, like a missing one.
      if (!picture.isNull()) box->SetPicture(picture);
    } else {
      name = QStringLiteral("-");
    }
  };
  showLogo(Image2, Model.LogoLeft);
  showLogo(Image3, Model.LogoMiddle);
  showLogo(Image4, Model.LogoRight);

  if (Model.Locked > 0)
    ShowLockedState();
  else
    ShowUnlockedState();

  const auto showIssued = [&locale](QDateEdit* picker, const QString& issued) {
    if (AnsiByteLength(issued) <= 5) return;
    const QDateTime date = LocalDateTimeOrThrow(issued, locale);
    picker->setDate(date.date());
  };
  showIssued(DateTimePicker7, Model.ScratchIssued);
  showIssued(DateTimePicker8, Model.ResultIssued);
}

bool TForm1::HasSaveName() {
  if (AnsiByteLength(Model.SaveName) > 1) return true;
  platform::CurrentDialogs().ShowMessage(QStringLiteral("保存するファイル名が指定されていません"));
  return false;
}

void TForm1::WriteEvent() {
  NameRaceXml(Model);
  WriteRaceXml();
  // The race XML is the only store of the computed results: scored again
  // at once, it does not come back from a save with placeholders only (a
  // locked event reopened would have no results for its sheets). A
  // failure leaves the placeholders and is told, as a calculation's is.
  QString failure;
  if (Model.ReadinessState == kResultsAndScratch && !ScoreRaceXml()) {
    Button19->setEnabled(false);
    failure = CalculationFailureMessage() + QStringLiteral("\n\nイベントファイルは保存されました。");
  }
  SaveEventFile(failure);
  RememberSavedEvent();
}

void TForm1::Button21Click() {
  platform::Guarded([this] {
    platform::Dialogs& dialogs = platform::CurrentDialogs();
    CheckRaceData();
    if (!HasSaveName() || !MayReplaceFilesUnderSaveName()) return;
    const int lockedBefore = Model.Locked;
    if (Model.Locked == 0) {
      if (dialogs.Confirm(QStringLiteral("データロックしますか？"))) {
        Model.Locked = 1;
        ShowLockedState();
      }
    } else if (!dialogs.Confirm(QStringLiteral("データがロックされています\n"
                                               "保存するとデータが更新されます。"))) {
      return;
    }
    try {
      CheckRaceData();
      WriteEvent();
    } catch (...) {
      // Not saved, not locked: a locked event closes without a question.
      if (lockedBefore == 0 && Model.Locked != 0) {
        Model.Locked = 0;
        ShowUnlockedState();
      }
      throw;
    }
  });
}

EventSave TForm1::EventSaveNow() const {
  const QLocale locale = platform::UserLocale();
  EventModel gathered = Model;
  CheckRace(gathered, RacePages(), locale);
  return EventSaveFor(std::move(gathered), locale);
}

bool TForm1::EventChanged() const {
  try {
    return !savedEvent_ || EventSaveNow() != *savedEvent_;
  } catch (const std::exception&) {
    // A page that holds no number where one is needed was typed by someone.
    return true;
  }
}

void TForm1::RememberSavedEvent() {
  try {
    savedEvent_ = EventSaveNow();
  } catch (const std::exception&) {
    savedEvent_.reset();
  }
}

bool TForm1::SaveChangedEvent() {
  if (!EventChanged() || !platform::CurrentDialogs().Confirm(QStringLiteral("データを保存しますか？")))
    return true;
  bool saved = false;
  platform::Guarded([this, &saved] {
    CheckRaceData();
    if (!HasSaveName() || !MayReplaceFilesUnderSaveName()) return;
    WriteEvent();
    saved = true;
  });
  return saved;
}

bool TForm1::FormClose() {
  if (Model.Locked == 0) {
    platform::Guarded([this] { SaveLastData(); });
    platform::Dialogs& dialogs = platform::CurrentDialogs();
    if (EventChanged() && dialogs.Confirm(QStringLiteral("データを保存しますか？"))) {
      bool saved = false;
      const int lockedBefore = Model.Locked;
      platform::Guarded([&] {
        // The check runs before the lock question, which its readiness
        // decides.
        CheckRaceData();
        if (!HasSaveName() || !MayReplaceFilesUnderSaveName()) return;
        if (Model.ReadinessState > kScratchOnly)
          Model.Locked = dialogs.Confirm(QStringLiteral("データをロックしますか？")) ? 1 : 0;
        WriteEvent();
        saved = true;
      });
      // The window stays with the event as it was: the user frees the
      // folder or types a save name and closes again.
      if (!saved) {
        Model.Locked = lockedBefore;
        return false;
      }
    }
  } else if (!SaveChangedEvent()) {
    // Locked with the lock panel after typing, never saved: asked like an
    // unlocked event, so the typing is not lost. An event opened locked and
    // left alone still closes without a question.
    return false;
  }
  platform::CurrentSystem().Beep();
  return true;
}

}  // namespace kivo
