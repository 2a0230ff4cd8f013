#include "qt/testing/doubles.h"

#include <QDir>

namespace platform::testing {

void ScriptedDialogs::QueueAnswer(Answer answer) { answers_.push_back(answer); }

void ScriptedDialogs::QueueAnswers(std::initializer_list<Answer> answers) {
  answers_.insert(answers_.end(), answers);
}

void ScriptedDialogs::QueueFile(const QString& path) { files_.push_back(path); }

QStringList ScriptedDialogs::Messages() const {
  QStringList texts;
  for (const DialogEvent& event : events_)
    if (event.kind == DialogEvent::Kind::Message) texts << event.text;
  return texts;
}

QStringList ScriptedDialogs::Questions() const {
  QStringList texts;
  for (const DialogEvent& event : events_)
    if (event.kind == DialogEvent::Kind::Confirm || event.kind == DialogEvent::Kind::ConfirmYesNoCancel)
      texts << event.text;
  return texts;
}

QStringList ScriptedDialogs::Unexpected() const {
  QStringList texts;
  for (const DialogEvent& event : events_)
    if (!event.expected) texts << event.text;
  return texts;
}

void ScriptedDialogs::Clear() {
  events_.clear();
  answers_.clear();
  files_.clear();
}

void ScriptedDialogs::ShowMessage(const QString& text) {
  events_.push_back({DialogEvent::Kind::Message, MessageTitle(), text, {}, true});
}

void ScriptedDialogs::ShowTitledMessage(const QString& title, const QString& text) {
  events_.push_back({DialogEvent::Kind::Message, title, text, {}, true});
}

bool ScriptedDialogs::Confirm(const QString& text) {
  return NextAnswer(DialogEvent::Kind::Confirm, text, Answer::No) == Answer::Yes;
}

Answer ScriptedDialogs::ConfirmYesNoCancel(const QString& text) {
  return NextAnswer(DialogEvent::Kind::ConfirmYesNoCancel, text, Answer::Cancel);
}

QString ScriptedDialogs::OpenFile(const QString& title, const QString& folder, const QString& filter) {
  return NextFile(DialogEvent::Kind::OpenFile, title, folder, filter);
}

QString ScriptedDialogs::OpenPicture(const QString& title, const QString& folder, const QString& filter) {
  return NextFile(DialogEvent::Kind::OpenPicture, title, folder, filter);
}

Answer ScriptedDialogs::NextAnswer(DialogEvent::Kind kind, const QString& text, Answer fallback) {
  const bool expected = !answers_.empty();
  events_.push_back({kind, QStringLiteral("確認"), text, {}, expected});
  if (!expected) return fallback;
  const Answer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

QString ScriptedDialogs::NextFile(DialogEvent::Kind kind, const QString& title, const QString& folder,
                                  const QString& filter) {
  const bool expected = !files_.empty();
  events_.push_back({kind, title, folder, filter, expected});
  if (!expected) return {};
  const QString path = files_.front();
  files_.pop_front();
  return path;
}

bool RecordingShell::Record(ShellCall::Kind kind, const QString& path) {
  calls_.push_back({kind, path});
  return result_;
}

bool RecordingShell::OpenDocument(const QString& pathOrUrl) {
  return Record(ShellCall::Kind::OpenDocument, pathOrUrl);
}

bool RecordingShell::OpenImage(const QString& path) { return Record(ShellCall::Kind::OpenImage, path); }

bool RecordingShell::OpenInTextEditor(const QString& path) {
  return Record(ShellCall::Kind::OpenInTextEditor, path);
}

bool RecordingShell::StartProgram(const QString& path) { return Record(ShellCall::Kind::StartProgram, path); }

FakeSystem::FakeSystem() : now_(QDate(2017, 7, 1), QTime(10, 0, 0)) { SetTempPath(QDir::tempPath()); }

void FakeSystem::SetTempPath(const QString& path) {
  tempPath_ = path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

ScopedDoubles::ScopedDoubles()
    : previousDialogs_(&CurrentDialogs()),
      previousShell_(&CurrentShell()),
      previousSystem_(&CurrentSystem()) {
  SetDialogs(&dialogs);
  SetShell(&shell);
  SetSystem(&system);
}

ScopedDoubles::~ScopedDoubles() {
  SetDialogs(previousDialogs_);
  SetShell(previousShell_);
  SetSystem(previousSystem_);
}

}  // namespace platform::testing
