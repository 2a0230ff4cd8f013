#include <gtest/gtest.h>

#include "qt/shell.h"

namespace {

TEST(DesktopExecCommand, PutsThePathWhereTheEntryAsksForAFile) {
  const QString path = QStringLiteral("/home/race officer/KIVODATA/OUTPUTDATA/CSV/Cup_R1_result.csv");
  struct Case {
    const char* exec;
    QStringList expected;
  };
  const Case cases[] = {
      {"gnome-text-editor %U", {"gnome-text-editor", path}},
      {"mousepad %F", {"mousepad", path}},
      {"gedit --new-window %f", {"gedit", "--new-window", path}},
      {"kwrite %u", {"kwrite", path}},
      // No file code: the file goes last.
      {"featherpad", {"featherpad", path}},
      // A quoted program path with a blank, and the quoting's escapes.
      {"\"/opt/My Editor/ed\" --title \"a \\\"b\\\"\" %f", {"/opt/My Editor/ed", "--title", "a \"b\"", path}},
      // A code inside an argument; "%%" is a percent sign.
      {"ed --file=%f --zoom=100%%", {"ed", "--file=" + path, "--zoom=100%"}},
      // Icon, caption and entry codes are dropped with their argument.
      {"ed %i %c %k %f", {"ed", path}},
      // The entry's own escapes come first, the quoting after them.
      {"\"my\\sed\" %f", {"my ed", path}},
      {"my\\sed %f", {"my", "ed", path}},
      {"", {}},
      {"   ", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.exec);
    EXPECT_EQ(platform::DesktopExecCommand(QString::fromUtf8(c.exec), path), c.expected);
  }
}

}  // namespace
