#pragma once

#include <QLocale>
#include <QString>

namespace qs {

// The HTML manual beside a help file for a user of locale: <base>.<language>.html when that
// file exists, tried in the order the program's translations are looked for, so the manual
// speaks the language of the menus; otherwise the English <base>.html, which may be missing.
QString manualFor(const QString &helpFilePath, const QLocale &locale);

// Starts the help viewer on a help file and returns at once; without one, opens the HTML
// manual of the same name beside it in the desktop's browser, in the user's language where
// there is one. Returns an empty text on success, otherwise a message for the user saying why
// nothing could start.
QString launchHelpViewer(const QString &helpFilePath);

} // namespace qs
