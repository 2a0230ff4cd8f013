#include "core/data_folders.h"

#include <QDir>
#include <QFileInfo>

namespace kivo {

void SetDataFolderPaths(EventModel& model, const QString& programFolder) {
  model.ProgramFolder = programFolder.endsWith(QLatin1Char('/')) ? programFolder
                                                                 : programFolder + QLatin1Char('/');
  model.DataRoot = model.ProgramFolder + QStringLiteral("KIVODATA");
  model.RmsFolder = model.DataRoot + QStringLiteral("/RMS");
  model.RaceDataFolder = model.DataRoot + QStringLiteral("/RACEDATA");
  model.XmlFolder = model.DataRoot + QStringLiteral("/XML");
  model.LogoFolder = model.DataRoot + QStringLiteral("/LOGO");
  model.MscFolder = model.DataRoot + QStringLiteral("/MSC");
  model.HelpFile = model.DataRoot + QStringLiteral("/help/kivohelp.html");
  model.OutputFolder = model.DataRoot + QStringLiteral("/OUTPUTDATA");
  model.HtmlFolder = model.OutputFolder + QStringLiteral("/HTML");
  model.PicturesFolder = model.OutputFolder + QStringLiteral("/PICTURES");
  model.CsvFolder = model.OutputFolder + QStringLiteral("/CSV");
  model.CourseProgramPath = model.ProgramFolder + QStringLiteral("drevlin");
  model.LastDataFile = model.MscFolder + QStringLiteral("/lastdata.txt");
}

QStringList DataFolderCreationOrder(const EventModel& model) {
  return {model.DataRoot,     model.RmsFolder,  model.RaceDataFolder,
          model.XmlFolder,    model.LogoFolder, model.MscFolder,
          model.OutputFolder, model.HtmlFolder, model.PicturesFolder,
          model.CsvFolder};
}

QStringList CreateDataFolders(const EventModel& model) {
  QStringList failed;
  for (const QString& folder : DataFolderCreationOrder(model)) {
    if (QFileInfo(folder).isDir()) continue;
    // One folder at a time: its parent exists by now (or failed before).
    if (!QDir().mkdir(folder)) failed << folder;
  }
  return failed;
}

}  // namespace kivo
