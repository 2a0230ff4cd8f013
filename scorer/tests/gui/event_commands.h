#pragma once
// The top bar's event file commands as a user gives them, over a race typed
// through the widgets (race_typing.h): calculate, save, open, close and
// start again beside the same folder.
#include <QPlainTextEdit>
#include <QPushButton>

#include "race_typing.h"

namespace kivo::testing {

class EventCommandsFixture : public RaceTypingFixture {
 protected:
  // "計算" on the result page; the module must answer "OK".
  void Calculate() {
    form().Panel6->Click();
    ASSERT_EQ(form().ShownPage(), 5);
    form().Button12->click();
    ASSERT_EQ(form().Memo1->toPlainText(), QStringLiteral("OK"));
  }

  // "保存" answering the lock question with `lock`.
  void Save(platform::Answer lock) {
    dialogs().QueueAnswer(lock);
    form().Button21->click();
  }

  // "ファイル" choosing the event file `relative`.
  void Open(const QString& relative) {
    dialogs().QueueFile(PathOf(relative));
    form().Button10->click();
  }

  // Closes without saving and starts the program again beside the same
  // folder.
  void Restart() {
    if (form().Model.Locked == 0 && form().EventChanged()) dialogs().QueueAnswer(platform::Answer::No);
    CloseForm();
    StartForm();
  }
};

}  // namespace kivo::testing
