#include "qt/shell.h"

#include <optional>

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <QUrl>

namespace platform {
namespace {

bool IsWebAddress(const QString& text) {
  return text.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
         text.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

// The desktop entry's own escapes (\s, \n, \t, \r, \\), which come before
// the quoting of the Exec line's arguments.
QString UnescapeEntryValue(const QString& value) {
  QString out;
  for (qsizetype i = 0; i < value.size(); ++i) {
    if (value[i] == QLatin1Char('\\') && i + 1 < value.size()) {
      const QChar next = value[++i];
      if (next == QLatin1Char('s'))
        out += QLatin1Char(' ');
      else if (next == QLatin1Char('n'))
        out += QLatin1Char('\n');
      else if (next == QLatin1Char('t'))
        out += QLatin1Char('\t');
      else if (next == QLatin1Char('r'))
        out += QLatin1Char('\r');
      else if (next == QLatin1Char('\\'))
        out += QLatin1Char('\\');
      else
        out += QLatin1Char('\\') + next;
    } else {
      out += value[i];
    }
  }
  return out;
}

// The arguments of an Exec line: blanks separate them outside double quotes;
// inside, a backslash escapes the next character.
QStringList SplitExecLine(const QString& line) {
  QStringList arguments;
  QString current;
  bool inArgument = false;
  bool quoted = false;
  for (qsizetype i = 0; i < line.size(); ++i) {
    const QChar c = line[i];
    if (quoted) {
      if (c == QLatin1Char('\\') && i + 1 < line.size()) {
        current += line[++i];
      } else if (c == QLatin1Char('"')) {
        quoted = false;
      } else {
        current += c;
      }
    } else if (c == QLatin1Char('"')) {
      quoted = true;
      inArgument = true;
    } else if (c.isSpace()) {
      if (inArgument) arguments.append(current);
      current.clear();
      inArgument = false;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (inArgument) arguments.append(current);
  return arguments;
}

struct DesktopEntry {
  QString exec;
  bool terminal = false;
};

// The Exec and Terminal keys of the [Desktop Entry] group of the
// application `id` ("org.gnome.TextEditor.desktop") in the XDG data folders.
std::optional<DesktopEntry> FindDesktopEntry(const QString& id) {
  QStringList names{id};
  // "vendor-app.desktop" may live as vendor/app.desktop.
  if (id.contains(QLatin1Char('-')))
    names.append(QString(id).replace(id.indexOf(QLatin1Char('-')), 1, QLatin1Char('/')));
  for (const QString& name : names) {
    const QString path =
        QStandardPaths::locate(QStandardPaths::ApplicationsLocation, name, QStandardPaths::LocateFile);
    if (path.isEmpty()) continue;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) continue;
    QTextStream in(&file);
    DesktopEntry entry;
    bool inMainGroup = false;
    while (!in.atEnd()) {
      const QString line = in.readLine().trimmed();
      if (line.startsWith(QLatin1Char('['))) {
        inMainGroup = line == QLatin1String("[Desktop Entry]");
      } else if (inMainGroup && line.startsWith(QLatin1String("Exec="))) {
        entry.exec = line.mid(5);
      } else if (inMainGroup && line.startsWith(QLatin1String("Terminal="))) {
        entry.terminal = line.mid(9).trimmed() == QLatin1String("true");
      }
    }
    if (!entry.exec.isEmpty()) return entry;
  }
  return std::nullopt;
}

// The default application for plain text, as xdg-mime names it.
QString DefaultTextEditorId() {
  QProcess query;
  query.start(QStringLiteral("xdg-mime"),
              {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
  if (!query.waitForFinished(5000) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) {
    query.kill();
    return {};
  }
  return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

bool StartTextEditor(const QString& path) {
  const QString id = DefaultTextEditorId();
  if (id.isEmpty()) return false;
  const auto entry = FindDesktopEntry(id);
  if (!entry) return false;
  QStringList command = DesktopExecCommand(entry->exec, path);
  if (command.isEmpty()) return false;
  if (entry->terminal) {
    const QString terminal = QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator"));
    if (terminal.isEmpty()) return false;
    command = QStringList{terminal, QStringLiteral("-e")} + command;
  }
  return QProcess::startDetached(command.first(), command.mid(1));
}

// The desktop picks the program by the file's type (xdg-open underneath).
class DesktopShell : public Shell {
 public:
  bool OpenDocument(const QString& pathOrUrl) override {
    const QUrl url = IsWebAddress(pathOrUrl) ? QUrl(pathOrUrl) : QUrl::fromLocalFile(pathOrUrl);
    return QDesktopServices::openUrl(url);
  }
  bool OpenImage(const QString& path) override {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  }
  // By the file's type a CSV would reach the spreadsheet again, so the
  // plain text application is started itself; xdg-open when there is none.
  bool OpenInTextEditor(const QString& path) override {
    return StartTextEditor(path) || QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  }
  bool StartProgram(const QString& path) override { return QProcess::startDetached(path, {}); }
};

Shell* installed = nullptr;

}  // namespace

Shell& CurrentShell() {
  static DesktopShell desktopShell;
  return installed != nullptr ? *installed : desktopShell;
}

void SetShell(Shell* shell) { installed = shell; }

QStringList DesktopExecCommand(const QString& exec, const QString& path) {
  QStringList command;
  bool fileGiven = false;
  for (const QString& argument : SplitExecLine(UnescapeEntryValue(exec))) {
    // A code standing alone that is dropped takes its argument with it.
    if (argument.size() == 2 && argument[0] == QLatin1Char('%') &&
        !QStringLiteral("fFuU%").contains(argument[1]))
      continue;
    QString expanded;
    for (qsizetype i = 0; i < argument.size(); ++i) {
      if (argument[i] != QLatin1Char('%') || i + 1 == argument.size()) {
        expanded += argument[i];
        continue;
      }
      const QChar code = argument[++i];
      if (QStringLiteral("fFuU").contains(code)) {
        expanded += path;
        fileGiven = true;
      } else if (code == QLatin1Char('%')) {
        expanded += QLatin1Char('%');
      }
    }
    command.append(expanded);
  }
  if (command.isEmpty()) return {};
  if (!fileGiven) command.append(path);
  return command;
}

}  // namespace platform
