// The programs' command lines: the conventions every command keeps, read without a display,
// and the file arguments a file manager hands over.
#include "testsupport.h"

#include "commandline.h"

#include <QProcess>
#include <QProcessEnvironment>

using namespace qs;

namespace {

const CommandLineSpec Editor{"editor", "2.1.0", "Edits things.", "[FILE...]", "Files to open."};
const CommandLineSpec NoFiles{"switcher", "1.0.0", "Switches things.", {}, ""};

struct ProgramRun
{
    int exitCode = -1;
    QString out, err;
};

// Runs program with arguments as from a terminal that has no display at all.
ProgramRun runWithoutDisplay(const QString &program, const QStringList &arguments)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    ProgramRun run;
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = p.exitCode();
    run.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(p.readAllStandardError());
    return run;
}

} // namespace

TEST(CommandLine, HelpVersionUnknownOptionsAndFiles)
{
    QString message;
    CommandLine line = parseCommandLine({"editor", "--help"}, Editor, &message);
    EXPECT_EQ(line.exitCode, 0);
    EXPECT_TRUE(message.contains("[FILE...]")) << message.toStdString();
    EXPECT_TRUE(message.contains("Edits things."));
    line = parseCommandLine({"editor", "--version"}, Editor, &message);
    EXPECT_EQ(line.exitCode, 0);
    EXPECT_EQ(message, "editor 2.1.0\n");
    line = parseCommandLine({"editor", "--frobnicate"}, Editor, &message);
    EXPECT_EQ(line.exitCode, 2);
    EXPECT_TRUE(message.startsWith("editor: Unknown option 'frobnicate'."))
        << message.toStdString();
    line = parseCommandLine({"switcher", "x.gal"}, NoFiles, &message);
    EXPECT_EQ(line.exitCode, 2);

    // Files as the user named them, made absolute; a name may start with a dash after "--".
    line = parseCommandLine({"editor", "a.htp", "/tmp/b c.htp", "--", "-d.htp"}, Editor, &message);
    EXPECT_FALSE(line.exitCode);
    EXPECT_EQ(line.files, (QStringList{QDir::current().absoluteFilePath("a.htp"),
                                       QFileInfo("/tmp/b c.htp").absoluteFilePath(),
                                       QDir::current().absoluteFilePath("-d.htp")}));
    EXPECT_FALSE(parseCommandLine({"editor"}, Editor, &message).exitCode);
}

TEST(CommandLine, EveryProgramAnswersWithoutADisplay)
{
    for (const QString program : {QS_ARTSHELF, QS_TAGLOOM32, QS_SEATPICK}) {
        const QString name = QFileInfo(program).completeBaseName();
        SCOPED_TRACE(name.toStdString());
        ProgramRun run = runWithoutDisplay(program, {"--version"});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.out.startsWith(name + ' ')) << run.out.toStdString();
        run = runWithoutDisplay(program, {"--help"});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.out.contains("--version"));
        run = runWithoutDisplay(program, {"--no-such-option"});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains("no-such-option")) << run.err.toStdString();
#ifndef Q_OS_WIN // Windows always has its desktop
        // Without any display: one clear line, not an abort.
        run = runWithoutDisplay(program, {});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("no display")) << run.err.toStdString();
#endif
    }
}
