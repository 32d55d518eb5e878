#include "commandline.h"

#include "translation.h"

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
    const QByteArray context = spec.program.toUtf8();
    parser.setApplicationDescription(translate(context.constData(), spec.description));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    if (!spec.filesName.isEmpty())
        parser.addPositionalArgument(spec.filesName,
                                     translate(context.constData(), spec.filesHelp));

    CommandLine line;
    const auto end = [&line, message](int code, const QString &text) {
        line.exitCode = code;
        *message = text;
        return line;
    };
    if (!parser.parse(arguments))
        return end(
            2,
            spec.program + QStringLiteral(": ") + parser.errorText() + u'\n' +
                translate("common", "Try '%1 --help' for more information.\n").arg(spec.program));
    if (parser.isSet(help))
        return end(0, parser.helpText());
    if (parser.isSet(version))
        return end(0, spec.program + u' ' + spec.version + u'\n');
    const QStringList files = parser.positionalArguments();
    if (spec.filesName.isEmpty() && !files.isEmpty())
        return end(2, spec.program + QStringLiteral(": ") +
                          translate("common", "this program opens no files.\n"));
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
    installTranslations(core, spec.program);
    QString message;
    CommandLine line = parseCommandLine(QCoreApplication::arguments(), spec, &message);
    if (line.exitCode) {
        print(*line.exitCode == 0 ? stdout : stderr, message);
        return line;
    }
    if (!hasDisplay()) {
        print(stderr,
              spec.program + QStringLiteral(": ") +
                  translate("common", "no display found. This program needs a graphical desktop; "
                                      "without one, run it under a virtual display, e.g. "
                                      "'xvfb-run -a %1'.\n")
                      .arg(spec.program));
        line.exitCode = 1;
    }
    return line;
}

} // namespace qs
