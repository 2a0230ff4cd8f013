#pragma once
// The folder tree beside the program in which every file of the system lives.
#include <QString>
#include <QStringList>

#include "core/event_model.h"

namespace kivo {

// Forms every folder path of the model, HelpFile, CourseProgramPath and
// LastDataFile from `programFolder` (a trailing "/" is added when missing).
void SetDataFolderPaths(EventModel& model, const QString& programFolder);

// The folders made at start when missing, parents before children. The help
// folder is not among them: it comes with the program.
QStringList DataFolderCreationOrder(const EventModel& model);

// Creates each missing folder of DataFolderCreationOrder, one at a time.
// Returns the folders that could not be made, in that order (a folder below
// one that failed fails too).
QStringList CreateDataFolders(const EventModel& model);

// Removes the temporary files that a killed save left in the data folders
// (the scorer's and the module's writers name them ".<file>.XXXXXX"); a
// user's own file is never among them. Only while no save can be running:
// at start, before the window takes any command.
void RemoveLeftoverSaveFiles(const EventModel& model);

}  // namespace kivo
