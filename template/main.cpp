#include "frmmain.h"
#include "templateabout.h"
#include "translation.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    const qs::CommandLine line = qs::readCommandLine(argc, argv, qs::stencil::commandLineSpec());
    if (line.exitCode)
        return *line.exitCode;
    QApplication app(argc, argv);
    qs::installTranslations(app, QStringLiteral("tagloom32"));
    qs::stencil::frmMain frame;
    if (!frame.loaded())
        return 0;
    frame.show();
    frame.openFiles(line.files);
    return app.exec();
}
