#include "commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace qs {

namespace {

// Whether a window could be shown: a platform chosen by the user, or a desktop to show it on.
bool hasDisplay()
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return true;
#else
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#endif
}

void print(FILE *to, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), to);
    std::fflush(to);
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments, const CommandLineSpec &spec,
                             QString *message)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(spec.description);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    if (!spec.filesName.isEmpty())
        parser.addPositionalArgument(spec.filesName, spec.filesHelp);

    CommandLine line;
    const auto end = [&line, message](int code, const QString &text) {
        line.exitCode = code;
        *message = text;
        return line;
    };
    if (!parser.parse(arguments))
        return end(2, spec.program + QStringLiteral(": ") + parser.errorText() +
                          QStringLiteral("\nTry '") + spec.program +
                          QStringLiteral(" --help' for more information.\n"));
    if (parser.isSet(help))
        return end(0, parser.helpText());
    if (parser.isSet(version))
        return end(0, spec.program + u' ' + spec.version + u'\n');
    const QStringList files = parser.positionalArguments();
    if (spec.filesName.isEmpty() && !files.isEmpty())
        return end(2, spec.program + QStringLiteral(": this program opens no files.\n"));
    for (const QString &file : files)
        line.files << QFileInfo(file).absoluteFilePath();
    return line;
}

CommandLine readCommandLine(int argc, char **argv, const CommandLineSpec &spec)
{
    // A core application only: a GUI one would abort without a display.
    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(spec.program);
    QCoreApplication::setApplicationVersion(spec.version);
    QString message;
    CommandLine line = parseCommandLine(QCoreApplication::arguments(), spec, &message);
    if (line.exitCode) {
        print(*line.exitCode == 0 ? stdout : stderr, message);
        return line;
    }
    if (!hasDisplay()) {
        print(stderr,
              spec.program + QStringLiteral(": no display found. This program needs a graphical "
                                            "desktop; without one, run it under a virtual display, "
                                            "e.g. 'xvfb-run -a %1'.\n")
                                 .arg(spec.program));
        line.exitCode = 1;
    }
    return line;
}

} // namespace qs
