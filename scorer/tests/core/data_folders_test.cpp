#include "core/data_folders.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace kivo {
namespace {

TEST(DataFoldersTest, PathsAreFormedBesideTheProgram) {
  EventModel model;
  SetDataFolderPaths(model, QStringLiteral("/opt/kivo"));
  EXPECT_EQ(model.ProgramFolder, QStringLiteral("/opt/kivo/"));
  EXPECT_EQ(model.DataRoot, QStringLiteral("/opt/kivo/KIVODATA"));
  EXPECT_EQ(model.RmsFolder, QStringLiteral("/opt/kivo/KIVODATA/RMS"));
  EXPECT_EQ(model.RaceDataFolder, QStringLiteral("/opt/kivo/KIVODATA/RACEDATA"));
  EXPECT_EQ(model.XmlFolder, QStringLiteral("/opt/kivo/KIVODATA/XML"));
  EXPECT_EQ(model.LogoFolder, QStringLiteral("/opt/kivo/KIVODATA/LOGO"));
  EXPECT_EQ(model.MscFolder, QStringLiteral("/opt/kivo/KIVODATA/MSC"));
  EXPECT_EQ(model.HelpFile, QStringLiteral("/opt/kivo/KIVODATA/help/kivohelp.html"));
  EXPECT_EQ(model.OutputFolder, QStringLiteral("/opt/kivo/KIVODATA/OUTPUTDATA"));
  EXPECT_EQ(model.HtmlFolder, QStringLiteral("/opt/kivo/KIVODATA/OUTPUTDATA/HTML"));
  EXPECT_EQ(model.PicturesFolder, QStringLiteral("/opt/kivo/KIVODATA/OUTPUTDATA/PICTURES"));
  EXPECT_EQ(model.CsvFolder, QStringLiteral("/opt/kivo/KIVODATA/OUTPUTDATA/CSV"));
  EXPECT_EQ(model.CourseProgramPath, QStringLiteral("/opt/kivo/drevlin"));
  EXPECT_EQ(model.LastDataFile, QStringLiteral("/opt/kivo/KIVODATA/MSC/lastdata.txt"));
  SetDataFolderPaths(model, QStringLiteral("/opt/kivo/"));
  EXPECT_EQ(model.ProgramFolder, QStringLiteral("/opt/kivo/"));
}

TEST(DataFoldersTest, ParentsComeBeforeTheirChildrenAndHelpIsNotMade) {
  EventModel model;
  SetDataFolderPaths(model, QStringLiteral("/p"));
  const QStringList order = DataFolderCreationOrder(model);
  EXPECT_EQ(order, (QStringList{"/p/KIVODATA", "/p/KIVODATA/RMS", "/p/KIVODATA/RACEDATA", "/p/KIVODATA/XML",
                                "/p/KIVODATA/LOGO", "/p/KIVODATA/MSC", "/p/KIVODATA/OUTPUTDATA",
                                "/p/KIVODATA/OUTPUTDATA/HTML", "/p/KIVODATA/OUTPUTDATA/PICTURES",
                                "/p/KIVODATA/OUTPUTDATA/CSV"}));
}

TEST(DataFoldersTest, MissingFoldersAreMadeAndFailuresListed) {
  QTemporaryDir folder;
  EventModel model;
  SetDataFolderPaths(model, folder.path());
  EXPECT_TRUE(CreateDataFolders(model).isEmpty());
  for (const QString& path : DataFolderCreationOrder(model)) EXPECT_TRUE(QFileInfo(path).isDir());
  EXPECT_TRUE(CreateDataFolders(model).isEmpty());  // all there already

  QDir(model.OutputFolder).removeRecursively();
  QFile blocker(model.OutputFolder);
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  EXPECT_EQ(CreateDataFolders(model),
            (QStringList{model.OutputFolder, model.HtmlFolder, model.PicturesFolder, model.CsvFolder}));
}

}  // namespace
}  // namespace kivo
