#include "mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    qs::gallery::frmMain window;
    window.show();
    return app.exec();
}
