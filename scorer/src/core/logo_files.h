#pragma once
// The event's logo pictures in LogoFolder. A logo name comes from the
// picture dialog (stored in lower case) or from an event file that may have
// been shared, so it is looked up whatever its letter case, and a name that
// could reach outside the folder is no logo.
#include <QString>

namespace kivo {

// Whether `name` names a logo: longer than 2 bytes (so not the "-" that
// marks none), without "/" and without "..".
bool IsLogoName(const QString& name);

// The path of the logo `name` in `folder`: the file of exactly that name,
// else the one whose name differs only in letter case (the first in name
// order when there are several). Empty when `name` is no logo name or no
// such file is there.
QString FindLogoFile(const QString& folder, const QString& name);

// What taking the picture file `source` as the logo `name` needs, so that
// every later use finds it in `folder`: nothing when the folder already
// holds it (that very file, or one of that name with the same bytes); a copy
// to `path` when no file of that name is there; a replacement of `path`, a
// different picture of that name, which the user is to agree to first.
struct LogoIntake {
  enum class Need { Nothing, Copy, Replace };
  Need need = Need::Nothing;
  QString path;
};
LogoIntake LogoIntakeFor(const QString& folder, const QString& name, const QString& source);

}  // namespace kivo
