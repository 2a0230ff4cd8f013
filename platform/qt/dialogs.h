#pragma once
// Modal messages, questions and file choosers. The program talks only to this
// interface, so tests can answer its questions from a script.
#include <QString>
#include <QStringList>

namespace platform {

enum class Answer { Yes, No, Cancel };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Plain message with OK, titled with MessageTitle().
  virtual void ShowMessage(const QString& text) = 0;
  // Plain message with OK under another title (e.g. the data summary box).
  virtual void ShowTitledMessage(const QString& title, const QString& text) = 0;
  // Yes/No question titled "確認"; true only on Yes.
  virtual bool Confirm(const QString& text) = 0;
  // Yes/No/Cancel question titled "確認".
  virtual Answer ConfirmYesNoCancel(const QString& text) = 0;
  // File-open dialog; empty when cancelled. `filter` in Qt's form,
  // e.g. "Rating data (*.rms)".
  virtual QString OpenFile(const QString& title, const QString& folder, const QString& filter) = 0;
  // Picture-open dialog (with preview where the platform has one); empty when cancelled.
  virtual QString OpenPicture(const QString& title, const QString& folder, const QString& filter) = 0;
};

// The title of plain messages: the scorer's application title unless the
// program set its own (the course distance program's boxes carry its name).
QString MessageTitle();
void SetMessageTitle(const QString& title);

// The dialogs the program uses; QtDialogs unless a test installed another.
Dialogs& CurrentDialogs();
// Installs `dialogs` (not owned); nullptr restores the Qt implementation.
void SetDialogs(Dialogs* dialogs);

}  // namespace platform
