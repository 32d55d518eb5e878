#pragma once

#include <QString>

namespace qs {

// Stored paths keep their backslashes; this turns one into a path for the file system.
QString toNativePath(const QString &storedPath);
// The text after the last path separator ('\' or the native one); a path without one is its own
// name.
QString fileNamePart(const QString &path);
// A path as the user's system writes it, for messages and titles: Qt's dialogs and files give
// '/' on Windows too.
QString shownPath(const QString &path);
// The folder the running program lies in.
QString programDirectory();

} // namespace qs
