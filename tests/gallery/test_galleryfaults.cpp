#include "faultinjection.h"
#include "gallerydocument.h"
#include "gallerytestsupport.h"

#include <QDir>

using namespace qs;
using namespace qs::gallery;
using namespace qs::test;

namespace {

// The Holiday gallery opened from its file, with a category big enough that a save of it
// does not fit where the file's old bytes did.
struct Opened
{
    QString path = testHome() + "/holiday.gal";
    GalleryDocument doc;

    Opened()
    {
        writeAll(path, holidayGallery());
        EXPECT_TRUE(doc.open(path).ok());
        for (int j = 1; j <= 200; ++j)
            doc.addItem(2, QStringLiteral("Tower %1").arg(j), QStringLiteral("t%1.gif").arg(j));
    }
};

// What a document command answered in a child, as "ok" or the message text.
QByteArray inFaultyChild(const std::function<bool()> &prepare, const std::function<Result()> &run)
{
    return inChild([&]() -> QByteArray {
               if (!prepare())
                   return "unprepared";
               const Result r = run();
               return r.ok() ? QByteArray("ok") : r.text().toUtf8();
           })
        .value_or("child died");
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
}

} // namespace

TEST(GalleryFaults, SaveOnAFullDiskKeepsThePreviousFile)
{
    QS_SKIP_WITHOUT_CHILD_FAULTS();
    Opened g;
    const QByteArray answer = inFaultyChild(
        [] { return limitFileSize(holidayGallery().size() + 50); }, [&] { return g.doc.save(); });
    EXPECT_TRUE(
        answer.startsWith("The gallery could not be saved to " + g.path.toUtf8() + ".\r\n\r\n"))
        << answer.toStdString();
    EXPECT_GT(answer.size(), g.path.size() + 40); // a reason follows
    EXPECT_EQ(readAll(g.path), holidayGallery());
    EXPECT_EQ(filesIn(testHome()), QStringList{"holiday.gal"});
    // Here the disk has room: the same document saves.
    EXPECT_TRUE(g.doc.save().ok());
    EXPECT_TRUE(readAll(g.path).contains("ItemSrc200=t200.gif\r\n"));
}

TEST(GalleryFaults, SaveWhereNoFileCanBeIsReported)
{
    Opened g;
    ASSERT_TRUE(writeAll(testHome() + "/plain", "not a folder"));
    ASSERT_TRUE(QDir().mkpath(testHome() + "/taken.gal/inside"));
    for (const QString &target : {testHome() + "/missing/folder/new.gal",
                                  testHome() + "/plain/new.gal", testHome() + "/taken.gal"}) {
        SCOPED_TRACE(target.toStdString());
        const Result r = g.doc.saveAs(target);
        EXPECT_FALSE(r.ok());
        EXPECT_TRUE(
            r.text().startsWith("The gallery could not be saved to " + shownPath(target) + ".\r\n"))
            << r.text().toStdString();
        EXPECT_EQ(r.style(), mb::Critical);
    }
    EXPECT_EQ(readAll(testHome() + "/plain"), "not a folder");
    EXPECT_TRUE(QFileInfo(testHome() + "/taken.gal/inside").isDir());
    EXPECT_FALSE(QFileInfo::exists(testHome() + "/missing"));
    EXPECT_EQ(readAll(g.path), holidayGallery());
}

TEST(GalleryFaults, ReadOnlyFileAndFolderKeepTheGallery)
{
    QS_SKIP_WITHOUT_CHILD_FAULTS();
    if (!readOnlyMountsAllowed(testHome()))
        GTEST_SKIP() << "no mount namespace here: read-only files cannot be made for root";
    Opened g;
    const QString folder = testHome() + "/shelf";
    QDir().mkpath(folder);
    const QString inFolder = folder + "/holiday.gal";
    writeAll(inFolder, holidayGallery());
    const auto saveTo = [&](const QString &file, const QString &readOnly) {
        return inFaultyChild([&] { return makeReadOnly(readOnly); },
                             [&] { return g.doc.saveAs(file); });
    };
    for (const auto &[file, readOnly] : {std::pair{g.path, g.path}, std::pair{inFolder, folder}}) {
        SCOPED_TRACE(readOnly.toStdString());
        const QByteArray answer = saveTo(file, readOnly);
        EXPECT_TRUE(answer.startsWith("The gallery could not be saved to " + file.toUtf8()))
            << answer.toStdString();
        EXPECT_EQ(readAll(file), holidayGallery());
    }
    EXPECT_EQ(filesIn(folder), QStringList{"holiday.gal"});
}

TEST(GalleryFaults, InstallNeverLosesListedLines)
{
    QS_SKIP_WITHOUT_CHILD_FAULTS();
    Opened g;
    const QString clipart = testHome() + "/host/images/";
    QDir().mkpath(clipart);
    const QString list = clipart + "gallery.lst";
    // Written elsewhere, its last line without an end: the new name must not be glued to it.
    QByteArray listed;
    for (int i = 1; i <= 1000; ++i)
        listed += "gallery" + QByteArray::number(i) + ".gal\r\n";
    listed += "last.gal";
    ASSERT_TRUE(writeAll(list, listed));

    // The list grows past the limit part-way through the line; the copy itself fits.
    const QByteArray answer =
        inFaultyChild([&] { return limitFileSize(static_cast<rlim_t>(listed.size() + 4)); },
                      [&] { return g.doc.install(clipart, "a"); });
    EXPECT_TRUE(answer.startsWith("The following error occured:\r\n\r\n75:  Path/File access "
                                  "error (" +
                                  QDir::toNativeSeparators(list).toUtf8() + ": "))
        << answer.toStdString();
    EXPECT_EQ(readAll(list), listed);

    // The copy does not fit where the user chose to replace it: neither it nor the list changes.
    const QByteArray copyBefore = readAll(clipart + "a.gal");
    const QByteArray noRoom = inFaultyChild(
        [] { return limitFileSize(100); },
        [&] { return g.doc.install(clipart, "a", GalleryDocument::InstallMode::Replace); });
    EXPECT_TRUE(noRoom.startsWith("The following error occured:\r\n\r\n75:  ")) << noRoom.data();
    EXPECT_EQ(readAll(clipart + "a.gal"), copyBefore);
    EXPECT_EQ(readAll(list), listed);

    EXPECT_TRUE(g.doc.install(clipart, "b").ok());
    EXPECT_EQ(readAll(list), listed + "\r\nb.gal\r\n");
}

TEST(GalleryFaults, InstallIntoAMissingOrBlockedFolderSaysWhere)
{
    Opened g;
    const QString missing = testHome() + "/nohost/images/";
    const Result r = g.doc.install(missing, "a");
    EXPECT_EQ(r.text(), "The following error occured:\r\n\r\n76:  Path not found (" +
                            QDir::toNativeSeparators(missing + "a.gal") + ")");

    const QString clipart = testHome() + "/host/images/";
    ASSERT_TRUE(QDir().mkpath(clipart + "gallery.lst"));
    const Result blocked = g.doc.install(clipart, "a");
    EXPECT_TRUE(blocked.text().startsWith("The following error occured:\r\n\r\n75:  Path/File "
                                          "access error (" +
                                          QDir::toNativeSeparators(clipart + "gallery.lst")))
        << blocked.text().toStdString();
    EXPECT_TRUE(QFileInfo(clipart + "gallery.lst").isDir());
}

TEST(GalleryFaults, TheWindowReportsAFailedSaveAndCarriesOn)
{
    GalleryWindow w;
    const QString path = testHome() + "/holiday.gal";
    writeAll(path, holidayGallery());
    w.open(path);
    w.dialogs->clear();
    ASSERT_TRUE(QDir().mkpath(testHome() + "/taken.gal"));
    w.dialogs->answerSave(testHome() + "/taken.gal").answerMessage(mb::Ok);
    w.trigger("file_saveas");
    ASSERT_EQ(w.dialogs->messages().size(), 1);
    EXPECT_TRUE(w.dialogs->messages()[0].startsWith(
        "The gallery could not be saved to " + shownPath(testHome() + "/taken.gal") + ".\r\n\r\n"));
    EXPECT_EQ(w.dialogs->shown().back().icon, mb::Critical);

    // The window still works: the next save lands.
    w.dialogs->answerSave(testHome() + "/other.gal");
    w.trigger("file_saveas");
    EXPECT_EQ(readAll(testHome() + "/other.gal"), holidayGallery());
    EXPECT_EQ(w.nodeTexts(), (QStringList{"Holiday", "Animals", "Buildings"}));
}
