#include "gallerydocsupport.h"
#include "galleryfile.h"
#include "profilestring.h"

using namespace qs::gallery;
using qs::test::crlf;
using qs::test::readAll;
using qs::test::testHome;
using qs::test::writeAll;

namespace {

QString galFile(const char *name = "g.gal")
{
    return testHome() + "/" + name;
}

// Loads bytes into a fresh gallery; returns the failure reason, empty when the load succeeded.
QString load(const QByteArray &bytes, Gallery &g)
{
    writeAll(galFile(), bytes);
    try {
        LoadGallery(galFile(), g);
        return {};
    } catch (const GalleryFileError &e) {
        EXPECT_EQ(e.file(), galFile());
        return e.reason().isEmpty() ? QStringLiteral("?") : e.reason();
    }
}

} // namespace

TEST(GalleryFile, WritesTheHolidayGalleryByteForByteAndReadsItBack)
{
    Gallery g;
    g.Name = "Holiday";
    const int animals = g.AddFolder("Animals", "\\animals");
    g.Folders(animals).Items.AddItem("Cat", "cat.gif");
    g.Folders(animals).Items.AddItem("Dog", "dog.jpg");
    g.AddFolder("Buildings", "\\buildings");
    SaveGallery(galFile(), g);
    EXPECT_EQ(readAll(galFile()), qs::test::holidayGallery());

    Gallery back;
    LoadGallery(galFile(), back);
    EXPECT_EQ(back.Name, "Holiday");
    ASSERT_EQ(back.Folders.Count(), 2);
    EXPECT_EQ(back.Folders(1).FolderPath, "\\animals");
    ASSERT_EQ(back.Folders(1).Items.Item.Count(), 2);
    EXPECT_EQ(back.Folders(1).Items.Item(2).Description, "Dog");
    EXPECT_EQ(back.Folders(2).Items.Item.Count(), 0);

    SaveGallery(galFile("again.gal"), back);
    EXPECT_EQ(readAll(galFile("again.gal")), qs::test::holidayGallery());
}

TEST(GalleryFile, EmptyGalleryIsFourLinesAndUnicodeIsKept)
{
    Gallery g;
    EXPECT_EQ(galleryText(g),
              crlf({"[Clipart Gallery]", "Name=Untitled Gallery", "NumFolders=0", ""}));
    g.Name = QString::fromUtf8("Caf\xc3\xa9 \xe2\x82\xac");
    Gallery back;
    EXPECT_EQ(load(galleryText(g), back), "");
    EXPECT_EQ(back.Name, g.Name);
}

TEST(GalleryFile, ItemNumbersOfSeveralDigitsAreWrittenInOrder)
{
    Gallery g;
    const int folder = g.AddFolder("Many", "\\many");
    for (int m = 1; m <= 120; ++m)
        g.Folders(folder).Items.AddItem(QStringLiteral("Title %1").arg(m),
                                        QStringLiteral("f%1.gif").arg(m));
    const QByteArray text = galleryText(g);
    for (const char *line : {"\r\nItemName9=Title 9\r\nItemSrc9=f9.gif\r\n",
                             "\r\nItemName10=Title 10\r\nItemSrc10=f10.gif\r\n",
                             "\r\nItemName100=Title 100\r\nItemSrc100=f100.gif\r\n",
                             "\r\nItemName120=Title 120\r\nItemSrc120=f120.gif\r\n\r\n"})
        EXPECT_TRUE(text.contains(line)) << line;

    Gallery back;
    EXPECT_EQ(load(text, back), "");
    ASSERT_EQ(back.Folders.Count(), 1);
    ASSERT_EQ(back.Folders(1).Items.Item.Count(), 120);
    for (int m : {1, 9, 10, 99, 100, 120}) {
        EXPECT_EQ(back.Folders(1).Items.Item(m).Description, QStringLiteral("Title %1").arg(m));
        EXPECT_EQ(back.Folders(1).Items.Item(m).Filename, QStringLiteral("f%1.gif").arg(m));
    }
}

TEST(GalleryFile, ValuesFollowTheProfileRules)
{
    Gallery g;
    const QString failure =
        load(crlf({"[clipart gallery]", "name=  \"Quoted Name\"  ", "NUMFOLDERS = 2", "[FOLDER1]",
                   "Name=", "NumItems=2", "itemname1= Cat ", "ITEMSRC1=cat.gif", "[Folder2]",
                   "Folder=\\b"}),
             g);
    EXPECT_EQ(failure, "");
    EXPECT_EQ(g.Name, "Quoted Name");
    ASSERT_EQ(g.Folders.Count(), 2);
    EXPECT_EQ(g.Folders(1).FolderName, ""); // present but empty: not the default
    EXPECT_EQ(g.Folders(1).FolderPath, "");
    ASSERT_EQ(g.Folders(1).Items.Item.Count(), 2);
    EXPECT_EQ(g.Folders(1).Items.Item(1).Description, "Cat");
    EXPECT_EQ(g.Folders(1).Items.Item(2).Description, "Untitled Item");
    EXPECT_EQ(g.Folders(1).Items.Item(2).Filename, "");
    EXPECT_EQ(g.Folders(2).FolderName, "Untitled Folder");
    EXPECT_EQ(g.Folders(2).Items.Item.Count(), 0);
}

TEST(GalleryFile, MissingFileGivesAnEmptyGalleryAndTextWithoutSectionsIsNone)
{
    Gallery g;
    EXPECT_EQ(load("no sections here\r\nName=Stray\r\n", g),
              "it has neither a [Clipart Gallery] nor a [Folder1] section, so it holds no "
              "gallery.");
    EXPECT_EQ(g.Name, "Untitled Gallery");
    EXPECT_EQ(g.Folders.Count(), 0);

    Gallery missing;
    LoadGallery(galFile("does-not-exist.gal"), missing);
    EXPECT_EQ(missing.Name, "Untitled Gallery");
}

TEST(GalleryFile, CountsThatAreNoNumberOrTooLargeFailAndKeepWhatWasRead)
{
    struct Case
    {
        const char *count;
        bool fails;
        int folders;
    };
    const Case cases[] = {{"", true, 0},
                          {"abc", true, 0},
                          {"2x", true, 0},
                          {"1000001", true, 0},
                          {"99999999999999999999", true, 0},
                          {"0", false, 0},
                          {"-3", false, 0},
                          {"1.9", false, 1},
                          {"3", false, 3}};
    for (const Case &c : cases) {
        Gallery g;
        const QString failure =
            load(crlf({"[Clipart Gallery]", (QByteArray("NumFolders=") + c.count).constData()}), g);
        EXPECT_EQ(!failure.isEmpty(), c.fails) << c.count;
        if (c.fails) {
            EXPECT_TRUE(failure.contains("NumFolders")) << failure.toStdString();
        }
        EXPECT_EQ(g.Folders.Count(), c.folders) << c.count;
    }

    Gallery partial;
    const QString failure =
        load(crlf({"[Clipart Gallery]", "Name=Part", "NumFolders=3", "[Folder1]", "Name=One",
                   "NumItems=1", "[Folder2]", "Name=Two", "NumItems=lots"}),
             partial);
    EXPECT_TRUE(failure.contains("Folder2")) << failure.toStdString();
    EXPECT_EQ(partial.Name, "Part");
    ASSERT_EQ(partial.Folders.Count(), 2); // the failing category was added before its count
    EXPECT_EQ(partial.Folders(1).Items.Item.Count(), 1);
}

TEST(GalleryFile, DuplicateFolderPathFailsAtTheSecondButEmptyPathsAreNoKeys)
{
    Gallery g;
    const QString failure =
        load(crlf({"[Clipart Gallery]", "NumFolders=3", "[Folder1]", "Name=A", "Folder=\\same",
                   "[Folder2]", "Name=B", "Folder=\\same", "[Folder3]", "Name=C"}),
             g);
    EXPECT_TRUE(failure.contains("\\same")) << failure.toStdString();
    ASSERT_EQ(g.Folders.Count(), 1);
    EXPECT_EQ(g.Folders(1).FolderName, "A");

    Gallery noPaths;
    EXPECT_EQ(load(crlf({"[Clipart Gallery]", "NumFolders=2", "[Folder1]", "Name=A", "[Folder2]",
                         "Name=B"}),
                   noPaths),
              "");
    EXPECT_EQ(noPaths.Folders.Count(), 2);
}

TEST(GalleryFile, ACategoryUsingTheRootsKeyOrClaimingTooManyItemsInAllFailsThere)
{
    Gallery root;
    const QString rootFailure =
        load(crlf({"[Clipart Gallery]", "NumFolders=3", "[Folder1]", "Name=A", "Folder=\\a",
                   "NumItems=1", "[Folder2]", "Name=Trick", "Folder=root", "[Folder3]", "Name=C"}),
             root);
    EXPECT_TRUE(rootFailure.contains("[Folder2]")) << rootFailure.toStdString();
    ASSERT_EQ(root.Folders.Count(), 1);
    EXPECT_EQ(root.Folders(1).Items.Item.Count(), 1);

    // Each count alone is allowed; together they claim more than a gallery may hold, and the
    // load stops before building the flood.
    Gallery flood;
    const QString floodFailure =
        load(crlf({"[Clipart Gallery]", "NumFolders=3", "[Folder1]", "NumItems=2", "[Folder2]",
                   "NumItems=999999", "[Folder3]", "NumItems=5"}),
             flood);
    EXPECT_TRUE(floodFailure.contains("[Folder2]")) << floodFailure.toStdString();
    ASSERT_EQ(flood.Folders.Count(), 2);
    EXPECT_EQ(flood.Folders(1).Items.Item.Count(), 2);
    EXPECT_EQ(flood.Folders(2).Items.Item.Count(), 0);
}

TEST(GalleryFile, BrokenInputGivesAGalleryOrAFailureNeverACrash)
{
    const QByteArray inputs[] = {
        QByteArray(),
        QByteArray("\0\0\0[Clipart Gallery]\0NumFolders=1", 32),
        QByteArray(100000, 'x'),
        QByteArray("[Clipart Gallery]\rName=CR only\rNumFolders=1\r[Folder1]\rName=F\r"),
        QByteArray("\xEF\xBB\xBF[Clipart Gallery]\r\nName=Caf\xE9\r\n"), // Windows-1252
        crlf({"[Clipart Gallery]", "NumFolders=1", "[Clipart Gallery]", "NumFolders=5"}),
    };
    const char *names[] = {"Untitled Gallery", "Untitled Gallery", "Untitled Gallery",
                           "CR only",          "Caf\xC3\xA9",      "Untitled Gallery"};
    // Behind NUL bytes the header is none; neither that nor a run of x is a gallery.
    const bool none[] = {false, true, true, false, false, false};
    for (size_t i = 0; i < std::size(inputs); ++i) {
        Gallery g;
        EXPECT_EQ(load(inputs[i], g).startsWith("it "), none[i]) << i;
        EXPECT_EQ(g.Name, QString::fromUtf8(names[i])) << i;
    }
}

TEST(GalleryFile, FailedSaveNamesTheFileAndLeavesNothingBehind)
{
    Gallery g;
    const QString target = testHome() + "/missing-folder/g.gal";
    try {
        SaveGallery(target, g);
        FAIL() << "the save should fail";
    } catch (const GalleryFileError &e) {
        EXPECT_EQ(e.file(), target);
        EXPECT_FALSE(e.reason().isEmpty());
    }
    EXPECT_FALSE(QFile::exists(target));
}

TEST(ProfileStrings, ReadsTheTargetAndComplainsWithoutOne)
{
    // The fault goes back to the caller, which shows the message; the reader shows nothing.
    ProfileStrings ini;
    EXPECT_THROW(ini.IniGetString("Name", "fallback"), IniLogicError);
    EXPECT_EQ(IniLogicError::text(), "[Section] and FileName Not Registered in Private.Ini!");
    EXPECT_EQ(IniLogicError::caption(), "INI Logic Error");

    writeAll(galFile(), crlf({"[S]", "k=v"}));
    ini.IniSetTarget("  S  ", "  " + galFile() + "  ");
    EXPECT_EQ(ini.IniGetString("k", "d"), "v");
    EXPECT_EQ(ini.IniGetString("other", "d"), "d");
}

// Items keep where their values lie in the file and decode them when asked: every item must
// read as the profile reader reads its keys, in UTF-8 and Windows-1252, far into a large file,
// and an item changed, moved or taken out and put back must keep its values.
TEST(GalleryFile, ItemsReadAsTheirKeysReadAndKeepTheirValuesThroughChanges)
{
    const QByteArray longTitle = QString::fromUtf8("\xE2\x82\xAC").repeated(300).toUtf8();
    const struct
    {
        const char *name;
        QByteArray item; // the lines of item 3000 of folder 1
    } cases[] = {
        {"quoted, blanks around", "ItemName3000=  \"Sun set\"  \r\nItemSrc3000= sun.gif\r\n"},
        {"over 254 characters", "ItemName3000=" + longTitle + "\r\nItemSrc3000=euro.gif\r\n"},
        {"title missing", "ItemSrc3000=none.gif\r\n"},
        {"file missing", "ItemName3000=Nameless\r\n"},
        {"Windows-1252", "ItemName3000=Caf\xE9\r\nItemSrc3000=caf\xE9.gif\r\n"},
    };
    for (const auto &[name, item] : cases) {
        SCOPED_TRACE(name);
        // 2999 items before it: its values lie past 64 KB into the file.
        QByteArray file = "[Clipart Gallery]\r\nName=Big\r\nNumFolders=1\r\n[Folder1]\r\n"
                          "Name=All\r\nFolder=\\all\r\nNumItems=3001\r\n";
        for (int m = 1; m < 3000; ++m)
            file += "ItemName" + QByteArray::number(m) + "=Clip " + QByteArray::number(m) +
                    "\r\nItemSrc" + QByteArray::number(m) + "=c" + QByteArray::number(m) +
                    ".gif\r\n";
        file += item + "ItemName3001=Last\r\nItemSrc3001=last.gif\r\n";
        writeAll(galFile(), file);
        Gallery g;
        LoadGallery(galFile(), g);
        const qs::ProfileFile keys = qs::ProfileFile::fromBytes(file);
        ClipartList &items = g.Folders(1).Items.Item;
        ASSERT_EQ(items.Count(), 3001);
        for (int m : {1, 2999, 3000, 3001}) {
            const QString n = QString::number(m);
            EXPECT_EQ(items(m).Description,
                      keys.getString(u"Folder1", QString("ItemName" + n), u"Untitled Item"))
                << m;
            EXPECT_EQ(items(m).Filename, keys.getString(u"Folder1", QString("ItemSrc" + n), u""))
                << m;
        }
        const Clipart read = items(3000);
        items.Insert(1, items.Take(3000));
        EXPECT_EQ(items(1).Description, read.Description);
        EXPECT_EQ(items(3001).Description, "Last");
        items.Set(2, Clipart{"Changed", "changed.gif"});
        EXPECT_EQ(items(2).Filename, "changed.gif");
        EXPECT_EQ(items(3).Filename, "c2.gif");
    }
}
