#include "commandline.h"
#include "profchooser.h"
#include "singleinstance.h"
#include "translation.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    const qs::CommandLine line = qs::readCommandLine(
        argc, argv,
        {QStringLiteral("seatpick"),
         QStringLiteral(QS_VERSION),
         QT_TRANSLATE_NOOP(
             "seatpick",
             "Switches Quillsite 97's collaboration profile from the notification area."),
         {},
         ""});
    if (line.exitCode)
        return *line.exitCode;
    QApplication app(argc, argv);
    qs::installTranslations(app, QStringLiteral("seatpick"));
    // The window hides into the notification area; only unloading it ends the program.
    app.setQuitOnLastWindowClosed(false);
    // A second start shows the running one's window instead of a second, soon stale, list.
    qs::profiles::SingleInstance instance(
        qs::profiles::SingleInstance::instanceName(QStringLiteral("seatpick")));
    if (!instance.claim())
        return 0;
    qs::profiles::ProfChooser window;
    QObject::connect(&instance, &qs::profiles::SingleInstance::activationRequested, &window,
                     &qs::profiles::ProfChooser::bringToFront);
    QObject::connect(&window, &qs::profiles::ProfChooser::unloaded, &app, &QCoreApplication::quit);
    return app.exec();
}
