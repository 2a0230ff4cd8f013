#include "program.h"

#include <QApplication>
#include <QLibraryInfo>

#include "qt/dialogs.h"

namespace kivo {

std::unique_ptr<QTranslator> InstallQtJapanese() {
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return nullptr;
  QCoreApplication::installTranslator(translator.get());
  return translator;
}

ScorerStart StartScorer(const QString& guardName, const QString& programFolder) {
  ScorerStart start;
  start.guard = std::make_unique<platform::SingleInstance>(guardName);
  const auto refuse = [] {
    platform::CurrentDialogs().ShowTitledMessage(QStringLiteral("KIVO scorer"),
                                                 QStringLiteral("KIVO SCORERはすでに起動されています。"));
  };
  // The user reads the message first; the running copy comes to the front
  // once it is closed.
  if (start.guard->AnotherCopyRuns()) {
    refuse();
    start.guard->AskRunningCopyToRaise();
    return start;
  }
  if (!start.guard->Start()) {
    // A copy started between the look and the start; it was asked already.
    refuse();
    return start;
  }
  QApplication::setApplicationName(QStringLiteral("MORSUND KIVO SCORER 2017"));
  start.form = std::make_unique<TForm1>(programFolder);
  TForm1* form = start.form.get();
  QObject::connect(start.guard.get(), &platform::SingleInstance::raiseRequested, form, [form] {
    form->setWindowState(form->windowState() & ~Qt::WindowMinimized);
    form->show();
    form->raise();
    form->activateWindow();
  });
  form->show();
  return start;
}

}  // namespace kivo
