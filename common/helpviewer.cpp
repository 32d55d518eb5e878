#include "helpviewer.h"
#include "translation.h"

#include "paths.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace qs {

QString manualFor(const QString &helpFilePath, const QLocale &locale)
{
    const QFileInfo file(helpFilePath);
    const QString stem = file.path() + u'/' + file.completeBaseName();
    // QTranslator's order: each of the user's languages as given, then in lower case, each cut
    // back part by part (de_AT, then de). The first that has a manual wins, as the first that has
    // a translation gives the menus their language.
    for (const QString &language : locale.uiLanguages()) {
        QString name = language;
        name.replace(u'-', u'_');
        for (;;) {
            for (const QString &tag : {name, name.toLower()}) {
                const QString manual = stem + u'.' + tag + QStringLiteral(".html");
                if (QFileInfo(manual).isFile())
                    return manual;
            }
            const qsizetype cut = name.lastIndexOf(u'_');
            if (cut <= 0)
                break;
            name.truncate(cut);
        }
    }
    return stem + QStringLiteral(".html");
}

QString launchHelpViewer(const QString &helpFilePath)
{
    const QString native = toNativePath(helpFilePath);
    // The locale installTranslations() was given, so the manual matches the menus.
    const QString manual = manualFor(native, QLocale());
    const auto showManual = [&manual]() -> QString {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(manual)))
            return translate("common", "No program could be started to show the help manual %1.")
                .arg(manual);
        return {};
    };
#ifdef Q_OS_WIN
    // Current Windows no longer reads help files: its winhlp32.exe only says so. The manual
    // written for this system comes first there.
    if (QFileInfo::exists(manual))
        return showManual();
#endif

    // A compatible viewer installed on this system reads the file best.
    QString viewer = QStandardPaths::findExecutable(QStringLiteral("winhlp32"));
    if (viewer.isEmpty())
        viewer = QStandardPaths::findExecutable(QStringLiteral("winhlp32.exe"));
    if (!viewer.isEmpty() && QProcess::startDetached(viewer, {native}))
        return {};

    // Without such a viewer, the manual written for this system lies beside the help file.
    if (QFileInfo::exists(manual))
        return showManual();

    // The desktop handler gives no reason when it fails, so say the likely one first.
    if (!QFileInfo::exists(native))
        return translate("common", "The help file %1 could not be found.").arg(native);
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(native)))
        return translate("common", "No program could be started to show the help file %1.")
            .arg(native);
    return {};
}

} // namespace qs
