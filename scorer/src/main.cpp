// kivoscorer: the race officer's scoring program.
#include <QApplication>

#include "program.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const kivo::ScorerStart start = kivo::StartScorer();
  if (!start.form) return 0;
  return application.exec();
}
