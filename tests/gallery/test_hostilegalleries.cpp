#include "gallerytestsupport.h"

#include <QDirIterator>
#include <QLabel>
#include <QStatusBar>

using namespace qs;
using namespace qs::test;

namespace {

// Opens bytes as a gallery file in the window, clicks every category as a user would, and
// checks that nothing was written. Returns the messages shown after the save question.
QStringList openHostile(GalleryWindow &w, const QByteArray &bytes, bool partial = false)
{
    const QString path = testHome() + "/hostile.gal";
    EXPECT_TRUE(writeAll(path, bytes));
    const auto before = everyFile();
    w.dialogs->answerMessage(mb::No).answerOpen(path);
    if (partial)
        w.dialogs->answerMessage(mb::Ok);
    const int shownBefore = int(w.dialogs->messages().size()) + 1;
    w.window->action("file_open")->trigger();
    for (int k = 0; k <= w.treeModel()->rowCount(w.rootIndex()); ++k)
        w.selectNode(k);
    EXPECT_EQ(everyFile(), before);
    return w.dialogs->messages().mid(shownBefore);
}

QString partialRead(const QString &reason)
{
    return "The gallery could not be read completely.\r\n\r\nFile: " +
           shownPath(testHome() + "/hostile.gal") + "\r\nReason: " + reason +
           "\r\n\r\nWhat was read is shown; save it under a new name.";
}

} // namespace

TEST(HostileGalleries, HugeCountsAreRefusedWithWhatWasRead)
{
    GalleryWindow w;
    QStringList shown = openHostile(
        w, crlf({"[Clipart Gallery]", "Name=Huge", "NumFolders=2147483648", "[Folder1]"}), true);
    EXPECT_EQ(shown, QStringList{partialRead("the value of NumFolders in section [Clipart "
                                             "Gallery] is too large (2147483648).")});
    EXPECT_EQ(w.nodeTexts(), QStringList{"Huge"});

    shown = openHostile(
        w,
        crlf({"[Clipart Gallery]", "Name=Huge", "NumFolders=2", "[Folder1]", "Name=One",
              "NumItems=1", "ItemName1=First", "[Folder2]", "Name=Two", "NumItems=4294967295"}),
        true);
    EXPECT_EQ(shown.last(), partialRead("the value of NumItems in section [Folder2] is too large "
                                        "(4294967295)."));
    EXPECT_EQ(w.nodeTexts(), (QStringList{"Huge", "One", "Two"}));
    w.selectNode(1);
    EXPECT_EQ(w.rows(), QStringList{"First|"});
    // A later Save asks for a name: the damaged file is never written over.
    EXPECT_EQ(w.window->currentFilePath(), QString());
}

TEST(HostileGalleries, AHundredMegabyteLineIsCutToAValue)
{
    GalleryWindow w;
    QByteArray bytes = "[Clipart Gallery]\r\nName=";
    bytes += QByteArray(100 * 1024 * 1024, 'n');
    bytes += "\r\nNumFolders=1\r\n[Folder1]\r\nName=After\r\nFolder=\\after\r\nNumItems=0\r\n";
    EXPECT_EQ(openHostile(w, bytes), QStringList{});
    EXPECT_EQ(w.nodeTexts(), (QStringList{QString(254, u'n'), "After"}));
}

TEST(HostileGalleries, NulBytesAndBrokenEncodingsGiveReadableNames)
{
    GalleryWindow w;
    static const char nul[] = "[Clipart Gallery]\r\nName=Cut\0here\r\nNumFolders=2\r\n"
                              "[Folder1]\r\nName=A\0\0\0\r\nFolder=\\a\r\nNumItems=1\r\n"
                              "ItemName1=\0\r\nItemSrc1=a.gif\0.exe\r\n"
                              "[Folder2]\r\nName=B\r\nFolder=\\b\r\nNumItems=0\r\n";
    EXPECT_EQ(openHostile(w, QByteArray(nul, sizeof nul - 1)), QStringList{});
    EXPECT_EQ(w.nodeTexts(), (QStringList{"Cut", "A", "B"}));
    w.selectNode(1);
    EXPECT_EQ(w.rows(), QStringList{"|a.gif"});

    // Not UTF-8: read as Windows-1252, byte by byte, with nothing lost or invented.
    EXPECT_EQ(openHostile(w, "[Clipart Gallery]\r\nName=Caf\xE9 \xC3\x28 \xFF\x80\r\n"
                             "NumFolders=1\r\n[Folder1]\r\nName=\xF0\x9F\x98\r\n"),
              QStringList{});
    EXPECT_EQ(w.nodeTexts(),
              (QStringList{QString::fromUtf8("Caf\xC3\xA9 \xC3\x83( \xC3\xBF\xE2\x82\xAC"),
                           QString::fromUtf8("\xC3\xB0\xC5\xB8\xCB\x9C")}));
}

TEST(HostileGalleries, DeeplyNestedFolderPathsStayPlainText)
{
    GalleryWindow w;
    QByteArray deep;
    for (int i = 0; i < 100000; ++i)
        deep += "\\d";
    QByteArray bytes = "[Clipart Gallery]\r\nName=Deep\r\nNumFolders=3\r\n";
    for (int k = 1; k <= 3; ++k)
        bytes += "[Folder" + QByteArray::number(k) + "]\r\nName=F" + QByteArray::number(k) +
                 "\r\nFolder=" + deep.left(deep.size() - k) +
                 "\r\nNumItems=1\r\nItemName1=x\r\n"
                 "ItemSrc1=x.gif\r\n";
    // Each path is cut to a value's length, which makes the second the same as the first.
    const QString cut = QString::fromLatin1(deep.left(254));
    EXPECT_EQ(openHostile(w, bytes, true),
              QStringList{partialRead("the category \"F2\" in section [Folder2] uses the folder "
                                      "\"" +
                                      cut + "\", which an earlier category already uses.")});
    EXPECT_EQ(w.nodeTexts(), (QStringList{"Deep", "F1"}));
    EXPECT_EQ(w.window->document().category(1)->FolderPath, cut);
    w.selectNode(1);
    EXPECT_EQ(w.rows(), QStringList{"x|x.gif"});
}
