// Starts each program's window in a process of its own under a locale, as the program's main
// does: installTranslations() with the locale the environment gives. Under German the menus and
// captions are translated and still fit; under C they are the exact English texts. The answers
// input boxes offer and the manuals F1 opens follow the same language.
#include "captionfit.h"
#include "captiontestsupport.h"
#include "gallerytestsupport.h"
#include "helpviewer.h"
#include "hostinterface.h"
#include "profilestestsupport.h"
#include "promptdialogs.h"
#include "settingsstore.h"
#include "templatetestsupport.h"
#include "translation.h"

#include <QAbstractButton>
#include <QDirIterator>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeView>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>

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
    QStringList commands;  // every menu command and push button, as the window names it
    QStringList answers;   // the answers input boxes offer, which the user may accept
    QString partRead;      // tagloom32's message on a template read in part
    QStringList untitled;  // tagloom32's untitled window: its title and its Window menu entry
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
        for (QAction *top : main->menuBar()->actions()) {
            print("menu", top->text());
            // The Window menu's list names the open windows, not commands.
            if (top->menu())
                for (QAction *command : top->menu()->actions())
                    if (!command->isSeparator() && command->isVisible() &&
                        !command->objectName().startsWith(QLatin1String("window_list")))
                        print("command", command->text());
        }
    for (auto *button : window->findChildren<QPushButton *>())
        print("command", button->text());
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
        else if (parts[1] == "command")
            shown.commands << text;
        else if (parts[1] == "answer")
            shown.answers << text;
        else if (parts[1] == "partread")
            shown.partRead = text;
        else if (parts[1] == "untitled")
            shown.untitled << text;
    }
    return shown;
}

// start(), once per program and locale: each start takes a few seconds.
const Shown &shownBy(const char *program, const char *locale)
{
    static std::map<std::pair<QString, QString>, Shown> started;
    const std::pair key{QString::fromLatin1(program), QString::fromLatin1(locale)};
    auto found = started.find(key);
    if (found == started.end())
        found = started.emplace(key, start(key.first, key.second)).first;
    return found->second;
}

// The answers artshelf's input boxes offer: a new category's name and folder, a new item's
// title and an installed gallery's file name.
void reportOfferedAnswers(GalleryWindow &w)
{
    ASSERT_TRUE(SettingsStore::set(host::SettingsApp, host::GeneralSection, host::InstallFolderKey,
                                   testHome() + QStringLiteral("/host")));
    w.dialogs->answerInput(QStringLiteral("Tiere")).answerInput(QStringLiteral("tiere"));
    w.trigger("new_cat");
    w.selectNode(1);
    w.dialogs->answerInput(QString());
    w.trigger("item_new");
    w.dialogs->answerMessage(mb::Yes).answerInput(QString());
    w.trigger("install_gallery");
    for (const DialogRecord &shown : w.dialogs->shown())
        if (shown.kind == DialogKind::Input)
            print("answer", shown.defaultText);
}

// A template read in part: the message, and the untitled window it leaves with its entry in
// the Window menu.
void reportPartRead(Stencilry &s)
{
    const QString path = testHome() + QStringLiteral("/teil.htp");
    ASSERT_TRUE(writeAll(path, "{{eins\r\n{!\r\n{|\r\nprompt\r\nfilter\r\n"));
    s.dialogs->answerOpen(path).answerMessage(mb::Ok);
    s.trigger(QStringLiteral("file_open"));
    print("partread", s.dialogs->messages().back().replace(path, QStringLiteral("<file>")));
    print("untitled", s.active()->windowTitle());
    // Only the shown title is German: the window still counts as untitled, so Save asks.
    s.dialogs->answerSave(std::nullopt);
    s.trigger(QStringLiteral("file_save"));
    print("untitled", s.dialogs->shown().back().kind == DialogKind::Save
                          ? QStringLiteral("Save asks")
                          : QStringLiteral("Save writes"));
    for (QAction *top : s.frame->menuBar()->actions())
        if (top->menu() && top->menu()->objectName() == QLatin1String("window_menu")) {
            emit top->menu()->aboutToShow();
            for (QAction *entry : top->menu()->actions())
                if (entry->objectName() == QLatin1String("window_list2"))
                    print("untitled", entry->text());
        }
}

// A menu command or button as the manual writes it: no access key, no dots, no "&&", no keys.
QString asInManual(QString command)
{
    command = command.section(u'\t', 0, 0);
    command.replace(QLatin1String("&&"), QLatin1String("\x01")).remove(u'&');
    command.replace(u'\x01', u'&');
    if (command.endsWith(QLatin1String("...")))
        command.chop(3);
    return command;
}

// The program's help folder in the build tree, where the programs look for their help file.
const struct
{
    const char *program;
    const char *binary;
    const char *helpFile; // beside the program
} HelpFiles[] = {
    {"artshelf", QS_ARTSHELF, "help/artkeep.hlp"},
    {"tagloom32", QS_TAGLOOM32, "Help/tagloom32.hlp"},
    {"seatpick", QS_SEATPICK, "help/seatpick.hlp"},
};

QString helpFileOf(const char *binary, const char *helpFile)
{
    return QFileInfo(QString::fromUtf8(binary)).path() + u'/' + QString::fromLatin1(helpFile);
}

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
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
        reportOfferedAnswers(w);
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
        reportPartRead(s);
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
        const Shown &english = shownBy(p.program, "C");
        const Shown &german = shownBy(p.program, "de_DE.UTF-8");
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

// An input box's answer is offered for the user to read and accept, so it is in the user's
// language; the gallery then keeps what the user accepted.
TEST(Locale, InputBoxesOfferTheirAnswersInTheUsersLanguage)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows takes the language from the user's settings, not from LC_ALL";
#endif
    EXPECT_EQ(shownBy("artshelf", "C").answers,
              (QStringList{"Untitled", "unnamedfolder", "Untitled", "untitled"}));
    EXPECT_EQ(shownBy("artshelf", "de_DE.UTF-8").answers,
              (QStringList{"Unbenannt", "unbenannterordner", "Unbenannt", "unbenannt"}));
}

// Both sentences of the message on a template read in part, and the title of the untitled window
// it leaves, in the window and in the Window menu.
TEST(Locale, APartReadTemplateIsToldAndTitledInTheUsersLanguage)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows takes the language from the user's settings, not from LC_ALL";
#endif
    const Shown &english = shownBy("tagloom32", "C");
    const Shown &german = shownBy("tagloom32", "de_DE.UTF-8");
    EXPECT_EQ(english.partRead,
              "The template <file> was not read completely.\r\n\r\nReading stopped at line 3: "
              "the file ends inside an open dialog item.\r\n\r\nThe items read before that "
              "line are kept.  Save them under a new name.");
    EXPECT_EQ(german.partRead,
              "Die Vorlage <file> wurde nicht vollständig gelesen.\r\n\r\nDas Lesen endete in "
              "Zeile 3: die Datei endet mitten in einem Öffnen-Dialog-Element.\r\n\r\nDie "
              "Elemente vor dieser Zeile bleiben erhalten.  Speichern Sie sie unter einem neuen "
              "Namen.");
    EXPECT_EQ(english.untitled, (QStringList{"Untitled", "Save asks", "&2 Untitled"}));
    EXPECT_EQ(german.untitled, (QStringList{"Unbenannt", "Save asks", "&2 Unbenannt"}));
}

// Each English manual has a German one beside it, which F1 opens under German and which names
// the menus, commands and buttons as the German program shows them, not as the English one does.
TEST(Locale, EveryManualHasAGermanTwinThatNamesTheGermanCommands)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows takes the language from the user's settings, not from LC_ALL";
#endif
    for (const auto &h : HelpFiles) {
        SCOPED_TRACE(h.program);
        const QString helpFile = helpFileOf(h.binary, h.helpFile);
        const QFileInfo help(helpFile);
        QStringList english;
        for (const QFileInfo &manual : QDir(help.path()).entryInfoList({"*.html"}, QDir::Files))
            if (!manual.completeBaseName().contains(u'.'))
                english << manual.completeBaseName();
        EXPECT_EQ(english, QStringList{help.completeBaseName()});
        for (const QString &base : english)
            EXPECT_TRUE(QFileInfo::exists(help.path() + u'/' + base + ".de.html"))
                << base.toStdString();

        const QString germanManual =
            manualFor(helpFile, QLocale(QLocale::German, QLocale::Germany));
        EXPECT_EQ(germanManual, help.path() + u'/' + help.completeBaseName() + ".de.html");
        const QString text = readText(germanManual);
        EXPECT_TRUE(text.contains(QLatin1String("<html lang=\"de\">")));
        const Shown &german = shownBy(h.program, "de_DE.UTF-8");
        const Shown &inEnglish = shownBy(h.program, "C");
        ASSERT_FALSE(german.commands.isEmpty());
        for (const QString &name : german.menus + german.commands)
            EXPECT_TRUE(text.contains(asInManual(name))) << asInManual(name).toStdString();
        ASSERT_EQ(german.commands.size(), inEnglish.commands.size());
        for (qsizetype i = 0; i < german.commands.size(); ++i) {
            const QString englishName = asInManual(inEnglish.commands[i]);
            if (!asInManual(german.commands[i]).contains(englishName)) {
                EXPECT_FALSE(text.contains(englishName)) << englishName.toStdString();
            }
        }
    }
}

// The German manuals show the pictures the English ones show, which lie beside both.
TEST(Locale, GermanManualsShowTheEnglishManualsPictures)
{
    const QRegularExpression picture(QStringLiteral("<img src=\"([^\"]+)\""));
    const auto pictures = [&picture](const QString &text) {
        QStringList found;
        for (const QRegularExpressionMatch &m : picture.globalMatch(text))
            found << m.captured(1);
        return found;
    };
    for (const auto &h : HelpFiles) {
        SCOPED_TRACE(h.program);
        const QFileInfo help(helpFileOf(h.binary, h.helpFile));
        const QString stem = help.path() + u'/' + help.completeBaseName();
        const QStringList english = pictures(readText(stem + ".html"));
        EXPECT_FALSE(english.isEmpty());
        EXPECT_EQ(pictures(readText(stem + ".de.html")), english);
        for (const QString &file : english)
            EXPECT_TRUE(QFileInfo::exists(help.path() + u'/' + file)) << file.toStdString();
    }
}
