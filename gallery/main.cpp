#include "aboutinfo.h"
#include "mainwindow.h"
#include "translation.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    const qs::CommandLine line = qs::readCommandLine(argc, argv, qs::gallery::commandLineSpec());
    if (line.exitCode)
        return *line.exitCode;
    QApplication app(argc, argv);
    qs::installTranslations(app, QStringLiteral("artshelf"));
    qs::gallery::frmMain window;
    window.show();
    window.openFiles(line.files);
    return app.exec();
}
