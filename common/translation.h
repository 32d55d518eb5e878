#pragma once

#include <QCoreApplication>
#include <QLocale>
#include <QString>

namespace qs {

// The text a user reads, in the language of the translations installed for the user's locale.
// The English text is the key, so a missing translation shows the English text. Each program
// part has its own context: "common", "menu", "artshelf", "tagloom32" and "seatpick".
inline QString translate(const char *context, const char *text)
{
    return QCoreApplication::translate(context, text);
}

// Installs into app the translations of the shared parts and of program for locale, Qt's own
// included where the system has them. Returns whether program's own translation was found; an
// English locale finds none and keeps the source texts.
bool installTranslations(QCoreApplication &app, const QString &program,
                         const QLocale &locale = QLocale());

} // namespace qs
