#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include "files/testing/full_disk.h"
#include "files/whole_file.h"

namespace {

using platform::testing::FullDiskAfter;

QByteArray Bytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void Put(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

// The names in `folder`, hidden ones included.
QStringList Names(const QString& folder) {
  return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

class WholeFile : public ::testing::Test {
 protected:
  QString PathOf(const QString& name) const { return folder_.filePath(name); }
  QTemporaryDir folder_;
};

TEST_F(WholeFile, ReplacesTheFileAndKeepsItsPermissions) {
  const QString path = PathOf(QStringLiteral("cup.kivo"));
  Put(path, "old");
  ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
  QString error;
  ASSERT_TRUE(platform::WriteFileWhole(path, "new content", &error)) << error.toStdString();
  EXPECT_EQ(Bytes(path), "new content");
  struct stat info {};
  ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(Names(folder_.path()), QStringList{QStringLiteral("cup.kivo")});
}

TEST_F(WholeFile, ALinkKeepsPointingAtTheFileItNames) {
  const QString real = PathOf(QStringLiteral("real.xml"));
  const QString link = PathOf(QStringLiteral("link.xml"));
  Put(real, "old");
  ASSERT_TRUE(QFile::link(real, link));
  ASSERT_TRUE(platform::WriteFileWhole(link, "new"));
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_EQ(Bytes(real), "new");
}

// The fault this writer exists for: a disk that fills while the file is
// written, small files included (their bytes reach the disk only at the end).
TEST_F(WholeFile, AFullDiskLeavesTheEarlierFileAndNoTemporaryFile) {
  struct Case {
    const char* what;
    qsizetype size;
    rlim_t room;
  };
  const Case cases[] = {
      {"small file, no room at all", 328, 0},
      {"small file, room for part", 328, 100},
      {"large file, room for part", 200000, 70000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const QString path = PathOf(QStringLiteral("race_R1.xml"));
    Put(path, "earlier file");
    QString error;
    bool written = true;
    {
      FullDiskAfter full(c.room);
      written = platform::WriteFileWhole(path, QByteArray(c.size, 'x'), &error);
    }
    EXPECT_FALSE(written);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(Bytes(path), "earlier file");
    EXPECT_EQ(Names(folder_.path()), QStringList{QStringLiteral("race_R1.xml")});
  }
}

TEST_F(WholeFile, AMissingFolderIsReportedWithTheSystemsReason) {
  QString error;
  EXPECT_FALSE(platform::WriteFileWhole(PathOf(QStringLiteral("gone/cup.kivo")), "x", &error));
  EXPECT_EQ(error, QStringLiteral("No such file or directory"));
}

TEST_F(WholeFile, ReadsOnlyARegularFileWithinTheLimit) {
  const QString file = PathOf(QStringLiteral("cup.kivo"));
  Put(file, "0123456789");
  const QString fifo = PathOf(QStringLiteral("fifo.kivo"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const QString zero = PathOf(QStringLiteral("zero.kivo"));
  ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));

  EXPECT_EQ(platform::ReadFileWhole(file, 10).value_or("<refused>"), "0123456789");
  const struct {
    QString path;
    qint64 limit;
  } refused[] = {{file, 9}, {fifo, 1000}, {zero, 1000}, {folder_.path(), 1000}, {PathOf("none.kivo"), 1000}};
  for (const auto& r : refused) {
    SCOPED_TRACE(r.path.toStdString());
    QString error;
    // A FIFO with no writer would block a plain open for good.
    EXPECT_FALSE(platform::ReadFileWhole(r.path, r.limit, &error).has_value());
    EXPECT_FALSE(error.isEmpty());
  }
}

TEST(LeftoverTemporaryName, TakesOnlyTheWritersOwnNames) {
  const QStringList extensions{QStringLiteral("kivo"), QStringLiteral("xml")};
  const struct {
    const char* name;
    bool leftover;
  } cases[] = {
      {".cup.kivo.a1B2c3", true},   {".cup_R1.xml.Zz9yY8", true}, {".CUP.KIVO.abcdef", true},
      {"cup.kivo", false},          {"cup.kivo.a1B2c3", false},   {".cup.kivo.a1B2c", false},
      {".cup.kivo.a1B2c3d", false}, {".cup.kivo.a1-2c3", false},  {".cup.csv.a1B2c3", false},
      {"..kivo.a1B2c3", false},     {".kivo.a1B2c3", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(platform::IsLeftoverTemporaryName(QString::fromUtf8(c.name), extensions), c.leftover) << c.name;
}

TEST_F(WholeFile, RemovesOnlyLeftoverTemporaryFiles) {
  for (const char* name : {".cup.kivo.a1B2c3", "cup.kivo", "cup.kivo.backup", ".notes.txt.abcdef"})
    Put(PathOf(QString::fromUtf8(name)), "x");
  ASSERT_TRUE(QDir(folder_.path()).mkdir(QStringLiteral(".old.kivo.qwerty")));
  const QStringList removed =
      platform::RemoveLeftoverTemporaryFiles(folder_.path(), {QStringLiteral("kivo")});
  EXPECT_EQ(removed, QStringList{PathOf(QStringLiteral(".cup.kivo.a1B2c3"))});
  EXPECT_EQ(Names(folder_.path()),
            (QStringList{QStringLiteral(".notes.txt.abcdef"), QStringLiteral("cup.kivo"),
                         QStringLiteral("cup.kivo.backup")}));
}

}  // namespace
