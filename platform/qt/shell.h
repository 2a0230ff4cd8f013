#pragma once
// Opening documents and starting programs through the desktop.
#include <QString>
#include <QStringList>

namespace platform {

class Shell {
 public:
  virtual ~Shell() = default;
  // A web page address, an HTML file or a CSV file in its associated program.
  virtual bool OpenDocument(const QString& pathOrUrl) = 0;
  // A picture in the desktop's image program.
  virtual bool OpenImage(const QString& path) = 0;
  // A text file in the desktop's text editor (the default application for
  // plain text, whatever the file's own type).
  virtual bool OpenInTextEditor(const QString& path) = 0;
  // Starts a program by its full path, no arguments, detached.
  virtual bool StartProgram(const QString& path) = 0;
};

Shell& CurrentShell();
void SetShell(Shell* shell);  // not owned; nullptr restores the desktop shell

// The program and arguments that a desktop entry's Exec line starts for
// `path`: the line cut into arguments (double quotes and the backslash
// escapes of desktop entries), the file codes %f, %F, %u and %U replaced by
// the path, "%%" by "%", other codes dropped; the path appended when the
// line has no file code. Empty when the line holds no program.
QStringList DesktopExecCommand(const QString& exec, const QString& path);

}  // namespace platform
