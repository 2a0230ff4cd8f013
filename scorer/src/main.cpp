// kivoscorer: the race officer's scoring program.
#include <QApplication>
#include <QLocale>

#include "locale/user_locale.h"
#include "program.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // The date pickers and other widgets then show the same forms as the
  // texts the pages keep (Japanese on a machine left at the C locale).
  QLocale::setDefault(platform::UserLocale());
  // Qt's own dialogs and buttons speak the program's language.
  const auto qtJapanese = kivo::InstallQtJapanese();
  const kivo::ScorerStart start = kivo::StartScorer();
  if (!start.form) return 0;
  return application.exec();
}
