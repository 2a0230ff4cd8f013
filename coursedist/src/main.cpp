// drevlin: measures course legs on a map or from typed mark positions.
#include <QApplication>

#include "drevcore.h"
#include "map_view.h"

int main(int argc, char** argv) {
  drevlin::PrepareWebEngineProcess();
  QApplication application(argc, argv);
  TForm1 form;
  form.show();
  return application.exec();
}
