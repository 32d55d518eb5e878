#include "frmmain.h"
#include "templateabout.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    const qs::CommandLine line = qs::readCommandLine(argc, argv, qs::stencil::commandLineSpec());
    if (line.exitCode)
        return *line.exitCode;
    QApplication app(argc, argv);
    qs::stencil::frmMain frame;
    if (!frame.loaded())
        return 0;
    frame.show();
    frame.openFiles(line.files);
    return app.exec();
}
