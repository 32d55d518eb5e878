#include "helpviewer.h"
#include "translation.h"

#include "paths.h"

#include <QProcess>

#ifndef Q_OS_WIN
#include <QDesktopServices>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#endif

namespace qs {

#ifdef Q_OS_WIN

QString launchHelpViewer(const QString &helpFilePath)
{
    const QString viewer = QStringLiteral("winhlp32.exe");
    if (QProcess::startDetached(viewer, {helpFilePath}))
        return {};
    return translate("common", "The help viewer %1 could not be started.").arg(viewer);
}

#else

QString launchHelpViewer(const QString &helpFilePath)
{
    const QString native = toNativePath(helpFilePath);

    // A compatible viewer installed on this system reads the file best.
    QString viewer = QStandardPaths::findExecutable(QStringLiteral("winhlp32"));
    if (viewer.isEmpty())
        viewer = QStandardPaths::findExecutable(QStringLiteral("winhlp32.exe"));
    if (!viewer.isEmpty() && QProcess::startDetached(viewer, {native}))
        return {};

    // Without such a viewer, the manual written for this system lies beside the help file.
    const QFileInfo file(native);
    const QString manual = file.path() + u'/' + file.completeBaseName() + QStringLiteral(".html");
    if (QFileInfo::exists(manual)) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(manual)))
            return translate("common", "No program could be started to show the help manual %1.")
                .arg(manual);
        return {};
    }

    // The desktop handler gives no reason when it fails, so say the likely one first.
    if (!QFileInfo::exists(native))
        return translate("common", "The help file %1 could not be found.").arg(native);
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(native)))
        return translate("common", "No program could be started to show the help file %1.")
            .arg(native);
    return {};
}

#endif

} // namespace qs
