#pragma once
// The program block: one copy at a time, then the main window.
#include <memory>

#include <QString>
#include <QTranslator>

#include "qt/single_instance.h"
#include "scorer_window.h"

namespace kivo {

inline constexpr char kSingleInstanceName[] = "IKOV scorer";

// Installs Qt's own Japanese texts (qtbase_ja: the buttons of the standard
// message boxes, the file dialogs) into the application, so that they
// speak the program's language whatever the system's; null when they are
// not installed. The translator works while it lives.
std::unique_ptr<QTranslator> InstallQtJapanese();

struct ScorerStart {
  std::unique_ptr<platform::SingleInstance> guard;
  std::unique_ptr<TForm1> form;  // null when another copy runs
};

// Needs the QApplication. When another copy runs: shows
// "KIVO SCORERはすでに起動されています。" titled "KIVO scorer", then asks
// that copy to raise its window, and returns no form. Otherwise
// creates the main window (which runs FormCreate), shows it and lets a later
// copy raise it. `programFolder` empty: the folder of the program's file.
ScorerStart StartScorer(const QString& guardName = QString::fromUtf8(kSingleInstanceName),
                        const QString& programFolder = QString());

}  // namespace kivo
