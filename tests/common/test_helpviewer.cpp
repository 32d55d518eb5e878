// Which manual F1 opens: the one in the language of the menus where it exists, else English.
#include "testsupport.h"

#include "helpviewer.h"

#include <QDesktopServices>
#include <QDir>
#include <QLocale>
#include <QUrl>

using namespace qs;
using test::EnvironmentGuard;

namespace {

// Writes the manuals named (file names in the help folder) and returns the help file's path.
QString helpFolderWith(const QStringList &manuals)
{
    const QString folder = test::testHome() + "/help";
    EXPECT_TRUE(QDir().mkpath(folder));
    for (const QString &name : manuals)
        EXPECT_TRUE(test::writeAll(folder + u'/' + name, "<html></html>"));
    return folder + "/artkeep.hlp";
}

// Stands in for the desktop's browser.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

// The program's locale for one test, as installTranslations() reads it.
class DefaultLocaleGuard
{
public:
    explicit DefaultLocaleGuard(const QLocale &locale) { QLocale::setDefault(locale); }
    ~DefaultLocaleGuard() { QLocale::setDefault(m_old); }
    DefaultLocaleGuard(const DefaultLocaleGuard &) = delete;
    DefaultLocaleGuard &operator=(const DefaultLocaleGuard &) = delete;

private:
    QLocale m_old;
};

} // namespace

TEST(ManualFor, TakesTheManualOfTheUsersLanguageWhereThereIsOne)
{
    const struct
    {
        const char *why;
        const char *locale;
        QStringList manuals; // what the help folder holds
        const char *chosen;  // the file name chosen
    } cases[] = {
        {"German, both there", "de_DE", {"artkeep.html", "artkeep.de.html"}, "artkeep.de.html"},
        {"Austrian German shares it",
         "de_AT",
         {"artkeep.html", "artkeep.de.html"},
         "artkeep.de.html"},
        {"Swiss German shares it", "de_CH", {"artkeep.html", "artkeep.de.html"}, "artkeep.de.html"},
        {"German without its manual", "de_DE", {"artkeep.html"}, "artkeep.html"},
        {"German manual of another program only",
         "de_DE",
         {"artkeep.html", "other.de.html"},
         "artkeep.html"},
        {"English", "en_US", {"artkeep.html", "artkeep.de.html"}, "artkeep.html"},
        {"British English", "en_GB", {"artkeep.html", "artkeep.de.html"}, "artkeep.html"},
        {"French, which has none", "fr_FR", {"artkeep.html", "artkeep.de.html"}, "artkeep.html"},
        {"the C locale", "C", {"artkeep.html", "artkeep.de.html"}, "artkeep.html"},
        // The English name is the answer even when it is missing: the caller says so.
        {"nothing there", "de_DE", {}, "artkeep.html"},
    };
    int folderNumber = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        const QString folder = test::testHome() + "/help" + QString::number(++folderNumber);
        ASSERT_TRUE(QDir().mkpath(folder));
        for (const QString &name : c.manuals)
            ASSERT_TRUE(test::writeAll(folder + u'/' + name, "<html></html>"));
        EXPECT_EQ(manualFor(folder + "/artkeep.hlp", QLocale(QString::fromLatin1(c.locale))),
                  folder + u'/' + QString::fromLatin1(c.chosen));
    }
}

// A folder of that name is no manual.
TEST(ManualFor, AFolderInTheGermanManualsPlaceIsPassedOver)
{
    const QString help = helpFolderWith({"artkeep.html"});
    ASSERT_TRUE(QDir().mkpath(test::testHome() + "/help/artkeep.de.html"));
    EXPECT_EQ(manualFor(help, QLocale(QLocale::German, QLocale::Germany)),
              test::testHome() + "/help/artkeep.html");
}

// F1 without a help viewer: the browser gets the manual of the language the program runs in.
TEST(ManualFor, TheHelpCommandOpensTheManualOfTheProgramsLanguage)
{
    EnvironmentGuard path("PATH");
    qputenv("PATH", (test::testHome() + "/bin").toUtf8());
    const QString help = helpFolderWith({"artkeep.html", "artkeep.de.html"});
    const struct
    {
        QLocale locale;
        const char *opened;
    } cases[] = {
        {QLocale(QLocale::German, QLocale::Germany), "artkeep.de.html"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "artkeep.html"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.locale.name().toStdString());
        const DefaultLocaleGuard language(c.locale);
        UrlRecorder browser;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "open");
        EXPECT_EQ(launchHelpViewer(test::testHome() + "\\help\\artkeep.hlp"), QString());
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        EXPECT_EQ(browser.opened, QList<QUrl>{QUrl::fromLocalFile(test::testHome() + "/help/" +
                                                                  QString::fromLatin1(c.opened))});
    }
}

#include "test_helpviewer.moc"
