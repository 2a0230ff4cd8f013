#include <stdexcept>

#include <gtest/gtest.h>
#include <QMessageBox>
#include <QPushButton>

#include "qt/guard.h"
#include "qt/message_boxes.h"
#include "qt/testing/doubles.h"

using platform::Answer;
using platform::testing::DialogEvent;
using platform::testing::ScopedDoubles;
using platform::testing::ScriptedDialogs;

TEST(ScriptedDialogs, AnswersQuestionsInOrderAndRecordsTheRestAsUnexpected) {
  ScriptedDialogs dialogs;
  dialogs.QueueAnswers({Answer::Yes, Answer::No, Answer::Cancel, Answer::Yes});
  EXPECT_TRUE(dialogs.Confirm("データをロックしますか？"));
  EXPECT_FALSE(dialogs.Confirm("ロックを解除しますか？"));
  EXPECT_FALSE(dialogs.Confirm("Cancel acts like No"));
  EXPECT_EQ(dialogs.ConfirmYesNoCancel("CSV?"), Answer::Yes);
  EXPECT_TRUE(dialogs.AllScriptUsed());
  EXPECT_TRUE(dialogs.Unexpected().isEmpty());

  EXPECT_FALSE(dialogs.Confirm("unscripted yes/no"));
  EXPECT_EQ(dialogs.ConfirmYesNoCancel("unscripted three-way"), Answer::Cancel);
  EXPECT_EQ(dialogs.Unexpected(), QStringList({"unscripted yes/no", "unscripted three-way"}));
  EXPECT_EQ(dialogs.Questions().size(), 6);
  for (const DialogEvent& event : dialogs.Events()) EXPECT_EQ(event.title, "確認");
}

TEST(ScriptedDialogs, RecordsMessagesWithTheirTitlesInOrder) {
  ScriptedDialogs dialogs;
  dialogs.ShowMessage("インターネットに接続されていません");
  dialogs.QueueAnswer(Answer::Yes);
  dialogs.Confirm("question between");
  dialogs.ShowTitledMessage("データ", "summary");

  ASSERT_EQ(dialogs.Events().size(), 3u);
  EXPECT_EQ(dialogs.Events()[0].kind, DialogEvent::Kind::Message);
  EXPECT_EQ(dialogs.Events()[0].title, "MORSUND KIVO SCORER 2017");
  EXPECT_EQ(dialogs.Events()[1].kind, DialogEvent::Kind::Confirm);
  EXPECT_EQ(dialogs.Events()[2].title, "データ");
  EXPECT_EQ(dialogs.Messages(), QStringList({"インターネットに接続されていません", "summary"}));
  EXPECT_TRUE(dialogs.Unexpected().isEmpty());

  dialogs.Clear();
  EXPECT_TRUE(dialogs.Events().empty());
}

TEST(ScriptedDialogs, FileDialogsReturnScriptedPathsAndEmptyMeansCancelled) {
  ScriptedDialogs dialogs;
  dialogs.QueueFile("/data/LOGO/Logo_A.JPG");
  dialogs.QueueFile("");
  EXPECT_EQ(dialogs.OpenPicture("logo", "/data/LOGO", "画像ファイル (*.jpg *.bmp)"), "/data/LOGO/Logo_A.JPG");
  EXPECT_EQ(dialogs.OpenFile("event", "/data/RACEDATA", "*.kivo"), "");
  EXPECT_TRUE(dialogs.Unexpected().isEmpty());

  EXPECT_EQ(dialogs.OpenFile("unscripted", "/data/RMS", "*.rms"), "");
  EXPECT_EQ(dialogs.Unexpected(), QStringList({"/data/RMS"}));
  ASSERT_EQ(dialogs.Events().size(), 3u);
  EXPECT_EQ(dialogs.Events()[0].kind, DialogEvent::Kind::OpenPicture);
  EXPECT_EQ(dialogs.Events()[0].filter, "画像ファイル (*.jpg *.bmp)");
  EXPECT_EQ(dialogs.Events()[1].kind, DialogEvent::Kind::OpenFile);
}

TEST(ScopedDoubles, InstallsTheDoublesAndPutsBackTheRealServices) {
  platform::Dialogs* realDialogs = &platform::CurrentDialogs();
  platform::Shell* realShell = &platform::CurrentShell();
  platform::System* realSystem = &platform::CurrentSystem();
  {
    ScopedDoubles doubles;
    EXPECT_EQ(&platform::CurrentDialogs(), &doubles.dialogs);
    EXPECT_EQ(&platform::CurrentShell(), &doubles.shell);
    EXPECT_EQ(&platform::CurrentSystem(), &doubles.system);
    {
      ScopedDoubles inner;
      EXPECT_EQ(&platform::CurrentDialogs(), &inner.dialogs);
    }
    EXPECT_EQ(&platform::CurrentDialogs(), &doubles.dialogs);
  }
  EXPECT_EQ(&platform::CurrentDialogs(), realDialogs);
  EXPECT_EQ(&platform::CurrentShell(), realShell);
  EXPECT_EQ(&platform::CurrentSystem(), realSystem);
}

TEST(Guarded, ShowsTheFailureMessageAndReturns) {
  ScopedDoubles doubles;
  bool ran = false;
  platform::Guarded([&] { ran = true; });
  EXPECT_TRUE(ran);
  EXPECT_TRUE(doubles.dialogs.Events().empty());

  platform::Guarded([] { throw std::runtime_error("'12,5' is not a valid integer value"); });
  platform::Guarded([] { throw 42; });
  EXPECT_EQ(doubles.dialogs.Messages(),
            QStringList({"'12,5' is not a valid integer value", "不明なエラーが発生しました。"}));
  EXPECT_EQ(doubles.dialogs.Events()[0].title, "MORSUND KIVO SCORER 2017");
}

TEST(ScriptedDialogs, PlainMessagesCarryTheTitleTheProgramSet) {
  ScriptedDialogs dialogs;
  platform::SetMessageTitle("drevlin");
  dialogs.ShowMessage("Invalid value");
  platform::SetMessageTitle("MORSUND KIVO SCORER 2017");
  dialogs.ShowMessage("text");
  ASSERT_EQ(dialogs.Events().size(), 2u);
  EXPECT_EQ(dialogs.Events()[0].title, "drevlin");
  EXPECT_EQ(dialogs.Events()[1].title, "MORSUND KIVO SCORER 2017");
  EXPECT_EQ(platform::MessageTitle(), "MORSUND KIVO SCORER 2017");
}

// The real boxes are built and clicked without being shown: a shown modal
// box would wait for a user forever.
TEST(QtMessageBoxes, PlainBoxHasTheTitleAndOneOkButton) {
  auto box = platform::BuildMessageBox("MORSUND KIVO SCORER 2017", "text", nullptr);
  EXPECT_EQ(box->windowTitle(), "MORSUND KIVO SCORER 2017");
  EXPECT_EQ(box->text(), "text");
  ASSERT_EQ(box->buttons().size(), 1);
  EXPECT_EQ(box->standardButton(box->buttons()[0]), QMessageBox::Ok);
}

TEST(QtMessageBoxes, QuestionsHaveTheirButtonsAndAnswers) {
  struct Case {
    bool withCancel;
    QStringList buttons;
    Answer escape;
  };
  const Case cases[] = {
      {false, {"はい(&Y)", "いいえ(&N)"}, Answer::No},
      {true, {"はい(&Y)", "いいえ(&N)", "キャンセル"}, Answer::Cancel},
  };
  const Answer answers[] = {Answer::Yes, Answer::No, Answer::Cancel};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.withCancel ? "three-way" : "yes/no");
    for (int i = 0; i < c.buttons.size(); ++i) {
      auto box = platform::BuildQuestionBox("データをロックしますか？", c.withCancel, nullptr);
      EXPECT_EQ(box->windowTitle(), "確認");
      EXPECT_EQ(box->text(), "データをロックしますか？");
      QStringList texts;
      QAbstractButton* chosen = nullptr;
      for (QAbstractButton* button : box->buttons()) {
        texts << button->text();
        if (button->text() == c.buttons[i]) chosen = button;
      }
      texts.sort();
      QStringList wanted = c.buttons;
      wanted.sort();
      EXPECT_EQ(texts, wanted);
      EXPECT_EQ(box->defaultButton()->text(), "はい(&Y)");
      EXPECT_EQ(platform::AnswerOf(*box), c.escape);  // closed without a button
      ASSERT_NE(chosen, nullptr);
      chosen->click();
      EXPECT_EQ(platform::AnswerOf(*box), answers[i]);
    }
  }
}
