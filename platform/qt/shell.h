#pragma once
// Opening documents and starting programs through the desktop.
#include <QString>

namespace platform {

class Shell {
 public:
  virtual ~Shell() = default;
  // A web page address, an HTML file or a CSV file in its associated program.
  virtual bool OpenDocument(const QString& pathOrUrl) = 0;
  // A picture in the desktop's image program.
  virtual bool OpenImage(const QString& path) = 0;
  // A text file in the desktop's text editor.
  virtual bool OpenInTextEditor(const QString& path) = 0;
  // Starts a program by its full path, no arguments, detached.
  virtual bool StartProgram(const QString& path) = 0;
};

Shell& CurrentShell();
void SetShell(Shell* shell);  // not owned; nullptr restores the desktop shell

}  // namespace platform
