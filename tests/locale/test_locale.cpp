// Starts each program's window in a process of its own under a locale, as the program's main
// does: installTranslations() with the locale the environment gives. Under German the menus and
// captions are translated and still fit; under C they are the exact English texts.
#include "captionfit.h"
#include "captiontestsupport.h"
#include "gallerytestsupport.h"
#include "profilestestsupport.h"
#include "promptdialogs.h"
#include "templatetestsupport.h"
#include "translation.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QTreeView>

#include <gtest/gtest.h>

#include <cstdio>

using namespace qs;
using namespace qs::test;

namespace {

const char *const ChildVariable = "QS_LOCALE_CHILD";

struct Shown
{
    bool translationFound = false;
    QStringList menus;     // the menu bar's titles
    QStringList captions;  // every control's caption, tip and spoken name
    QStringList cut;       // captions that do not fit their controls
    QString font;          // the window's font size, which shrinks where captions would not fit
    QString yes;           // Qt's own Yes button, from Qt's translations
    QStringList shownOnly; // texts shown and never stored: a line break's row, a preview
};

void print(const char *kind, const QString &text)
{
    if (text.isEmpty())
        return;
    std::printf("QSTEXT\t%s\t%s\n", kind, qPrintable(QString(text).replace(u'\n', u'\x01')));
}

void report(QWidget *window)
{
    if (auto *main = qobject_cast<QMainWindow *>(window))
        for (QAction *top : main->menuBar()->actions())
            print("menu", top->text());
    // What a user reads or hears of each control: its caption, its tip and its spoken name.
    for (auto *control : window->findChildren<QWidget *>()) {
        if (auto *button = qobject_cast<QAbstractButton *>(control))
            print("caption", button->text());
        else if (auto *label = qobject_cast<QLabel *>(control))
            print("caption", label->text());
        print("caption", control->toolTip());
        print("caption", control->accessibleName());
    }
    for (const QString &cut : captionsCut(window))
        print("cut", cut);
    print("font", QString::number(window->font().pointSizeF()));
    // The About box, where the program has one.
    if (QAction *about = window->findChild<QAction *>(QStringLiteral("help_about")))
        for (const QString &cut : captionsCutInAboutBox([about] { about->trigger(); }))
            print("cut", QStringLiteral("About box: ") + cut);
    std::fflush(stdout);
}

// What program's window shows when started with LC_ALL=locale.
Shown start(const QString &program, const QString &locale)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(ChildVariable), program);
    env.insert(QStringLiteral("LC_ALL"), locale);
    env.insert(QStringLiteral("LANG"), locale);
    env.remove(QStringLiteral("LANGUAGE"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=LocaleChild.*"),
                 QStringLiteral("--gtest_also_run_disabled_tests")});
    EXPECT_TRUE(child.waitForFinished(120'000));
    EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
    Shown shown;
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.split('\t');
        if (parts.size() != 3 || parts[0] != "QSTEXT")
            continue;
        const QString text = QString::fromUtf8(parts[2]).replace(u'\x01', u'\n');
        if (parts[1] == "found")
            shown.translationFound = text == QLatin1String("yes");
        else if (parts[1] == "menu")
            shown.menus << text;
        else if (parts[1] == "caption")
            shown.captions << text;
        else if (parts[1] == "cut")
            shown.cut << text;
        else if (parts[1] == "font")
            shown.font = text;
        else if (parts[1] == "yes")
            shown.yes = text;
        else if (parts[1] == "shown")
            shown.shownOnly << text;
    }
    return shown;
}

} // namespace

// The child process that start() begins; disabled, so that it runs only there.
TEST(LocaleChild, DISABLED_ShowsTheWindow)
{
    const QString program = qEnvironmentVariable(ChildVariable);
    print("found",
          installTranslations(*qApp, program) ? QStringLiteral("yes") : QStringLiteral("no"));
    print("yes", QCoreApplication::translate("QPlatformTheme", "&Yes"));
    if (program == QLatin1String("artshelf")) {
        GalleryWindow w;
        w.window->show();
        report(w.window.get());
    } else if (program == QLatin1String("tagloom32")) {
        Stencilry s;
        s.trigger(QStringLiteral("file_new")); // the document window's menus, too
        report(s.frame.get());
        s.trigger(QStringLiteral("insert_crlf"));
        print("shown",
              s.active()->findChild<QTreeView *>()->model()->index(0, 0).data().toString());
        stencil::InsertInput preview(*s.dialogs, s.frame.get());
        s.dialogs->answerInput(QStringLiteral("x")).answerMessage();
        preview.button("cmdPreview")->click();
        print("shown", s.dialogs->messages().back());
        for (const QString &cut : captionsCut(new stencil::InsertInput(*s.dialogs, s.frame.get())))
            print("cut", cut);
        for (const QString &cut : captionsCut(new stencil::InsertOpen(*s.dialogs, s.frame.get())))
            print("cut", cut);
    } else {
        ChooserWindow c;
        c.window->show();
        report(c.window.get());
    }
}

TEST(Locale, GermanTranslatesEveryProgramAndCKeepsTheEnglishTexts)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows takes the language from the user's settings, not from LC_ALL";
#endif
    const struct
    {
        const char *program;
        QStringList englishMenus;
        QStringList germanMenus;
        QString englishCaption; // one caption the window shows in English
    } programs[] = {
        {"artshelf",
         {"&File", "&Edit", "&Item", "&Help"},
         {"&Datei", "&Bearbeiten", "&Element", "&Hilfe"},
         {}},
        {"tagloom32",
         {"&File", "&Edit", "&Item", "&Window", "&Help"},
         {"&Datei", "&Bearbeiten", "&Element", "&Fenster", "&Hilfe"},
         {}},
        {"seatpick", {}, {}, "&Apply"},
    };
    for (const auto &p : programs) {
        SCOPED_TRACE(p.program);
        const Shown english = start(QLatin1String(p.program), QStringLiteral("C"));
        const Shown german = start(QLatin1String(p.program), QStringLiteral("de_DE.UTF-8"));
        EXPECT_FALSE(english.translationFound);
        EXPECT_TRUE(german.translationFound);
        EXPECT_EQ(english.menus, p.englishMenus);
        // Texts only shown, never written to a file, follow the language too.
        if (QLatin1String(p.program) == QLatin1String("tagloom32")) {
            EXPECT_EQ(english.shownOnly,
                      (QStringList{"(Carriage Return)", "The following text will be inserted into "
                                                        "the user's document:\r\n\r\nx"}));
            EXPECT_EQ(german.shownOnly,
                      (QStringList{"(Zeilenumbruch)", "Der folgende Text wird in das Dokument des "
                                                      "Benutzers eingefügt:\r\n\r\nx"}));
        }
        // Qt's own buttons too: its translations are installed with the programs' packages.
        EXPECT_EQ(english.yes, "&Yes");
        EXPECT_EQ(german.yes, "&Ja");
        EXPECT_EQ(german.menus, p.germanMenus);
        if (!p.englishCaption.isEmpty()) {
            EXPECT_TRUE(english.captions.contains(p.englishCaption));
            EXPECT_FALSE(german.captions.contains(p.englishCaption));
        }
        // The same controls, and most of their captions in other words.
        EXPECT_EQ(german.captions.size(), english.captions.size());
        int same = 0;
        for (int i = 0; i < std::min(german.captions.size(), english.captions.size()); ++i)
            same += german.captions[i] == english.captions[i];
        EXPECT_LT(same * 2, std::max<qsizetype>(english.captions.size(), 1));
        EXPECT_EQ(german.cut, QStringList());
        // German fits in the same places without a smaller font than English needs.
        EXPECT_FALSE(english.font.isEmpty());
        EXPECT_GE(german.font.toDouble(), english.font.toDouble());
        EXPECT_EQ(english.cut, QStringList());
    }
}

// --help, from the programs themselves: their own description and Qt's option texts follow
// the locale too.
TEST(Locale, HelpFollowsTheLocale)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows takes the language from the user's settings, not from LC_ALL";
#endif
    const struct
    {
        const char *binary;
        const char *english;
        const char *german;
    } programs[] = {
        {QS_ARTSHELF, "Edits clipart galleries for Quillsite 97.",
         "Bearbeitet ClipArt-Galerien für Quillsite 97."},
        {QS_TAGLOOM32, "Edits page templates for Quillsite 97.",
         "Bearbeitet Seitenvorlagen für Quillsite 97."},
        {QS_SEATPICK, "Switches Quillsite 97's collaboration profile from the notification area.",
         "Wechselt das Teamprofil von Quillsite 97 aus dem Infobereich."},
    };
    const auto help = [](const char *binary, const QString &locale) {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), locale);
        env.remove(QStringLiteral("LANGUAGE"));
        program.setProcessEnvironment(env);
        program.start(QString::fromUtf8(binary), {QStringLiteral("--help")});
        EXPECT_TRUE(program.waitForFinished(60'000));
        EXPECT_EQ(program.exitCode(), 0);
        return QString::fromUtf8(program.readAllStandardOutput());
    };
    for (const auto &p : programs) {
        SCOPED_TRACE(p.binary);
        const QString english = help(p.binary, QStringLiteral("C"));
        const QString german = help(p.binary, QStringLiteral("de_DE.UTF-8"));
        EXPECT_TRUE(english.contains(QString::fromUtf8(p.english))) << english.toStdString();
        EXPECT_TRUE(german.contains(QString::fromUtf8(p.german))) << german.toStdString();
        EXPECT_FALSE(german.contains(QString::fromUtf8(p.english)));
    }
}
