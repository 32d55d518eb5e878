#pragma once

#include <QString>

namespace qs {

// Stored paths keep their backslashes; this turns one into a path for the file system.
QString toNativePath(const QString &storedPath);
// The text after the last path separator ('\' or the native one); a path without one is its own
// name.
QString fileNamePart(const QString &path);
// The folder the running program lies in.
QString programDirectory();

} // namespace qs
