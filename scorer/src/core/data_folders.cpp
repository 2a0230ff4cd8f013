#include "core/data_folders.h"

#include <QDir>
#include <QFileInfo>

#include "files/whole_file.h"

namespace kivo {

void SetDataFolderPaths(EventModel& model, const QString& programFolder) {
  model.ProgramFolder =
      programFolder.endsWith(QLatin1Char('/')) ? programFolder : programFolder + QLatin1Char('/');
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
  return {model.DataRoot,  model.RmsFolder,    model.RaceDataFolder, model.XmlFolder,      model.LogoFolder,
          model.MscFolder, model.OutputFolder, model.HtmlFolder,     model.PicturesFolder, model.CsvFolder};
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

void RemoveLeftoverSaveFiles(const EventModel& model) {
  // What the scorer writes: event files, race XML, the memory file, the
  // sheets, and the logo pictures copied beside the pages.
  const QStringList extensions{QStringLiteral("kivo"), QStringLiteral("xml"), QStringLiteral("txt"),
                               QStringLiteral("html"), QStringLiteral("csv"), QStringLiteral("jpg"),
                               QStringLiteral("jpeg"), QStringLiteral("bmp"), QStringLiteral("png")};
  for (const QString& folder : DataFolderCreationOrder(model))
    platform::RemoveLeftoverTemporaryFiles(folder, extensions);
}

}  // namespace kivo
