#pragma once
// Lets one copy of a program run at a time. The first copy listens on a local
// socket of the given name; a later copy finds it, shows its message, asks
// the first to raise its window and ends. Create it after the QApplication;
// the first copy needs the event loop to hear later copies.
//
//   platform::SingleInstance guard("IKOV scorer");
//   if (guard.AnotherCopyRuns()) { /* show the message */ guard.AskRunningCopyToRaise(); return 0; }
//   if (!guard.Start()) { /* a copy started just now: show the message */ return 0; }
//   QObject::connect(&guard, &platform::SingleInstance::raiseRequested, &window, ...);
#include <QObject>
#include <QString>

class QLocalServer;

namespace platform {

class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // `name` is the socket's name in the temporary folder, e.g. "IKOV scorer".
  explicit SingleInstance(const QString& name, QObject* parent = nullptr);
  ~SingleInstance() override;

  // True when this process is now the first copy and listens. False when
  // another copy answered; it has been asked to raise its window. A socket
  // left behind by a crashed copy (nothing answers) is removed and this
  // process becomes the first copy.
  bool Start();

  // True after Start() made this process the first copy.
  bool IsFirst() const;

  // True when a copy answers under the name; it is asked nothing, so the
  // caller can tell the user first and ask it to raise afterwards.
  bool AnotherCopyRuns() const;

  // Asks the running copy to bring its window to the front; false when no
  // copy answered.
  bool AskRunningCopyToRaise();

 signals:
  // A later copy asked the first one to bring its window to the front.
  void raiseRequested();

 private:
  void AcceptConnections();

  QString name_;
  QLocalServer* server_ = nullptr;
};

}  // namespace platform
