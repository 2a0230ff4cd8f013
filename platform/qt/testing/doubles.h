#pragma once
// Test doubles for the platform services: dialogs answered from a script, a
// shell that only records, and a machine with a settable clock.
#include <deque>
#include <vector>

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "qt/dialogs.h"
#include "qt/shell.h"
#include "qt/system.h"

namespace platform::testing {

struct DialogEvent {
  enum class Kind { Message, Confirm, ConfirmYesNoCancel, OpenFile, OpenPicture };
  Kind kind;
  QString title;
  QString text;    // the message or question; the start folder for a file dialog
  QString filter;  // file dialogs only
  bool expected;   // false when a question or file dialog had no scripted answer
};

// Records every message, question and file dialog in order. Questions take
// their answers from a queue; a question with none left is recorded as
// unexpected and answered No (Cancel for the three-way question). File
// dialogs take scripted paths ("" = cancelled) likewise.
class ScriptedDialogs : public Dialogs {
 public:
  void QueueAnswer(Answer answer);
  void QueueAnswers(std::initializer_list<Answer> answers);
  void QueueFile(const QString& path);

  const std::vector<DialogEvent>& Events() const { return events_; }
  QStringList Messages() const;    // texts of plain messages, titled or not
  QStringList Questions() const;   // texts of both kinds of question
  QStringList Unexpected() const;  // texts of questions and dialogs with no scripted answer
  bool AllScriptUsed() const { return answers_.empty() && files_.empty(); }
  void Clear();

  void ShowMessage(const QString& text) override;
  void ShowTitledMessage(const QString& title, const QString& text) override;
  bool Confirm(const QString& text) override;
  Answer ConfirmYesNoCancel(const QString& text) override;
  QString OpenFile(const QString& title, const QString& folder, const QString& filter) override;
  QString OpenPicture(const QString& title, const QString& folder, const QString& filter) override;

 private:
  Answer NextAnswer(DialogEvent::Kind kind, const QString& text, Answer fallback);
  QString NextFile(DialogEvent::Kind kind, const QString& title, const QString& folder,
                   const QString& filter);

  std::vector<DialogEvent> events_;
  std::deque<Answer> answers_;
  std::deque<QString> files_;
};

struct ShellCall {
  enum class Kind { OpenDocument, OpenImage, OpenInTextEditor, StartProgram };
  Kind kind;
  QString path;
  bool operator==(const ShellCall&) const = default;
};

// Records what the program asked the desktop to open or start.
class RecordingShell : public Shell {
 public:
  const std::vector<ShellCall>& Calls() const { return calls_; }
  void SetResult(bool result) { result_ = result; }
  void Clear() { calls_.clear(); }

  bool OpenDocument(const QString& pathOrUrl) override;
  bool OpenImage(const QString& path) override;
  bool OpenInTextEditor(const QString& path) override;
  bool StartProgram(const QString& path) override;

 private:
  bool Record(ShellCall::Kind kind, const QString& path);
  std::vector<ShellCall> calls_;
  bool result_ = true;
};

// Counts beeps; on-line flag, temporary folder and clock set by the test.
class FakeSystem : public System {
 public:
  FakeSystem();
  int Beeps() const { return beeps_; }
  void SetOnline(bool online) { online_ = online; }
  void SetTempPath(const QString& path);  // a trailing "/" is added when missing
  void SetNow(const QDateTime& now) { now_ = now; }
  void AdvanceSeconds(qint64 seconds) { now_ = now_.addSecs(seconds); }
  void AdvanceMilliseconds(qint64 ms) { now_ = now_.addMSecs(ms); }

  void Beep() override { ++beeps_; }
  bool IsInternetConnected() override { return online_; }
  QString TempPath() override { return tempPath_; }
  QDateTime Now() override { return now_; }

 private:
  int beeps_ = 0;
  bool online_ = true;
  QString tempPath_;
  QDateTime now_;
};

// Installs the three doubles for the life of a test and puts back what was
// installed before (normally the real services).
class ScopedDoubles {
 public:
  ScopedDoubles();
  ~ScopedDoubles();
  ScopedDoubles(const ScopedDoubles&) = delete;
  ScopedDoubles& operator=(const ScopedDoubles&) = delete;

  ScriptedDialogs dialogs;
  RecordingShell shell;
  FakeSystem system;

 private:
  Dialogs* previousDialogs_;
  Shell* previousShell_;
  System* previousSystem_;
};

}  // namespace platform::testing
