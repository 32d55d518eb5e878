// The demo host's automation server: given a template's path, it plays the template back and
// shows the page it produces, so that a test run from the template editor can be seen.
#include "playback.h"

#include <QApplication>
#include <QSaveFile>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    qs::QtDialogs dialogs(qs::demo::HostTitle, nullptr);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        dialogs.msgBox(QStringLiteral("Start the demo host with the path of a template to test."),
                       qs::mb::OkOnly | qs::mb::Critical);
        return 2;
    }
    // The template is the last argument: the registered command may carry options of its own.
    const QString path = args.back();
    const std::optional<QString> page = qs::demo::playTemplateFile(path, dialogs);
    if (!page)
        return 1;
    // For the tests, which cannot look at a window another process shows: the page goes to
    // this file instead.
    if (const QString out = qEnvironmentVariable("QS_DEMO_HOST_PAGE"); !out.isEmpty()) {
        QSaveFile file(out);
        return file.open(QIODevice::WriteOnly) && file.write(page->toUtf8()) >= 0 && file.commit()
                   ? 0
                   : 1;
    }
    qs::demo::TestRunWindow window(path, *page);
    window.show();
    return app.exec();
}
