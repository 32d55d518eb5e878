#include "frmmain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    qs::stencil::frmMain frame;
    if (!frame.loaded())
        return 0;
    frame.show();
    return app.exec();
}
