// drevlin: measures course legs on a map or from typed mark positions.
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>

#include "drevlin_window.h"
#include "map_view.h"

namespace {

int terminateSockets[2] = {-1, -1};

void OnTerminate(int) {
  const char byte = 0;
  [[maybe_unused]] const ssize_t written = write(terminateSockets[1], &byte, 1);
}

// A termination signal (the session ending, kill) ends the event loop like
// closing the window does, so that the window goes and takes the map page's
// folder with it.
void QuitOnTerminationSignals(QApplication& application) {
  if (socketpair(AF_UNIX, SOCK_STREAM, 0, terminateSockets) != 0) return;
  auto* notifier = new QSocketNotifier(terminateSockets[0], QSocketNotifier::Read, &application);
  QObject::connect(notifier, &QSocketNotifier::activated, &application, &QApplication::quit);
  struct sigaction action {};
  action.sa_handler = OnTerminate;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  drevlin::PrepareWebEngineProcess();
  QApplication application(argc, argv);
  QuitOnTerminationSignals(application);
  drevlin::TForm1 form;
  form.show();
  return application.exec();
}
