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

}  // namespace kivo
