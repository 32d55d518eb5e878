#include "profchooser.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The window hides into the notification area; only unloading it ends the program.
    app.setQuitOnLastWindowClosed(false);
    qs::profiles::ProfChooser window;
    QObject::connect(&window, &qs::profiles::ProfChooser::unloaded, &app, &QCoreApplication::quit);
    return app.exec();
}
