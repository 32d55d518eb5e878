#include "gallerytestsupport.h"

using namespace qs;
using namespace qs::test;

namespace {
// The session manager's leave to interact, counting how often it was sought.
struct Leave
{
    bool granted = true;
    int sought = 0;
    std::function<bool()> fn()
    {
        return [this] {
            ++sought;
            return granted;
        };
    }
};
} // namespace

TEST(GallerySession, AnUnchangedGalleryLetsTheSessionEndWithoutSeekingLeaveToAsk)
{
    const QString path = testHome() + "/holiday.gal";
    writeAll(path, holidayGallery());
    GalleryWindow w;
    w.open(path);
    w.dialogs->clear();
    Leave leave;
    EXPECT_TRUE(w.window->sessionEnding(leave.fn()));
    EXPECT_EQ(leave.sought, 0);
    EXPECT_TRUE(w.dialogs->shown().empty());
    EXPECT_TRUE(w.window->close());
    EXPECT_EQ(readAll(path), holidayGallery());
}

TEST(GallerySession, TheEndOfTheSessionAsksAsExitDoesAndAgainAfterLaterEdits)
{
    const QString path = testHome() + "/holiday.gal";
    writeAll(path, holidayGallery());
    GalleryWindow w;
    w.openAndChange(path);

    // Without leave to ask, the session is never held up, and nothing is written.
    Leave refused{false};
    EXPECT_TRUE(w.window->sessionEnding(refused.fn()));
    EXPECT_EQ(refused.sought, 1);
    EXPECT_TRUE(w.dialogs->shown().empty());
    EXPECT_EQ(readAll(path), holidayGallery());

    // Cancel cancels the end of the session.
    Leave leave;
    w.dialogs->answerMessage(mb::Cancel);
    EXPECT_FALSE(w.window->sessionEnding(leave.fn()));
    ASSERT_EQ(w.dialogs->shown().size(), 1u);
    expectExitQuestion(w.dialogs->shown().back());

    // No lets it end. When another program cancels it, the gallery stays open; an edit made
    // after that is asked about when the window closes.
    w.dialogs->answerMessage(mb::No);
    EXPECT_TRUE(w.window->sessionEnding(leave.fn()));
    w.dialogs->answerInput("Plants").answerInput("plants");
    w.trigger("new_cat");
    w.dialogs->clear();
    w.dialogs->answerMessage(mb::Cancel);
    EXPECT_FALSE(w.window->close());
    ASSERT_EQ(w.dialogs->shown().size(), 1u);
    expectExitQuestion(w.dialogs->shown().back());

    // Answered No and nothing edited since: the close that ends the session asks no more.
    w.dialogs->answerMessage(mb::No);
    EXPECT_TRUE(w.window->sessionEnding(leave.fn()));
    w.dialogs->clear();
    EXPECT_TRUE(w.window->close());
    EXPECT_TRUE(w.dialogs->shown().empty());
    EXPECT_EQ(readAll(path), holidayGallery());
}

TEST(GallerySession, YesSavesBeforeTheSessionEndsAndAFailedSaveCancelsIt)
{
    const QString path = testHome() + "/holiday.gal";
    writeAll(path, holidayGallery());
    GalleryWindow w;
    w.openAndChange(path);
    Leave leave;
    w.dialogs->answerMessage(mb::Yes);
    EXPECT_TRUE(w.window->sessionEnding(leave.fn()));
    EXPECT_EQ(readAll(path),
              crlf({"[Clipart Gallery]", "Name=Holiday", "NumFolders=1", "", "[Folder1]",
                    "Name=Animals", "Folder=\\animals", "NumItems=2", "ItemName1=Cat",
                    "ItemSrc1=cat.gif", "ItemName2=Dog", "ItemSrc2=dog.jpg", ""}));
    EXPECT_FALSE(w.window->document().isChanged());

    // Untitled: Yes asks for a name; cancelling that dialog cancels the end of the session.
    GalleryWindow untitled;
    untitled.dialogs->answerInput("Plants").answerInput("plants");
    untitled.trigger("new_cat");
    untitled.dialogs->answerMessage(mb::Yes).answerSave(std::nullopt);
    EXPECT_FALSE(untitled.window->sessionEnding(leave.fn()));
    EXPECT_TRUE(untitled.window->document().isChanged());
    // So the window still asks when it is closed.
    untitled.dialogs->answerMessage(mb::No);
    EXPECT_TRUE(untitled.window->close());
}

// Characters the file's encoding lacks are named before they are lost: Cancel keeps the file,
// the gallery's file name and the changes; OK writes each of them as "?" and nothing else.
TEST(GalleryWindow, ASaveThatWouldLoseCharactersNamesThemAndMayBeCancelled)
{
    const QString path = testHome() + "/holiday.gal";
    writeAll(path, holidayGallery());
    GalleryWindow w;
    w.open(path);
    w.selectNode(1);
    w.selectRow(1);
    w.dialogs->answerInput("Dog " + Unstorable).answerOpen("/x/dog.jpg");
    w.trigger("item_edit");
    w.dialogs->clear();

    const QString other = testHome() + "/other.gal";
    w.dialogs->answerMessage(mb::Cancel);
    w.trigger("file_save");
    w.dialogs->answerSave(other).answerMessage(mb::Cancel);
    w.trigger("file_saveas");
    ASSERT_EQ(w.dialogs->messages().size(), 2);
    EXPECT_TRUE(w.dialogs->messages()[1].contains(SavesUtf8 ? "U+D800" : "U+672C"))
        << w.dialogs->messages()[1].toStdString();
    EXPECT_EQ(w.dialogs->shown()[0].buttons, mb::OkCancel);
    EXPECT_EQ(readAll(path), holidayGallery());
    EXPECT_FALSE(QFile::exists(other));
    EXPECT_EQ(w.window->document().filePath(), path);
    EXPECT_TRUE(w.window->document().isChanged());

    w.dialogs->answerMessage(mb::Ok);
    w.trigger("file_save");
    QByteArray saved = holidayGallery();
    saved.replace("ItemName2=Dog", QByteArray("ItemName2=Dog ") + UnstorableSaved);
    EXPECT_EQ(readAll(path), saved);
    EXPECT_FALSE(w.window->document().isChanged());
}

TEST(GalleryWindow, APartlyReadGalleryIsNeverSuggestedAsTheNameToSaveUnder)
{
    const QString broken = testHome() + "/broken.gal";
    const QByteArray bytes =
        crlf({"[Clipart Gallery]", "Name=Broken", "NumFolders=2", "[Folder1]", "Name=Good",
              "Folder=\\good", "NumItems=0", "[Folder2]", "Name=Bad", "NumItems=many"});
    writeAll(broken, bytes);
    GalleryWindow w;
    w.dialogs->answerMessage(mb::No).answerOpen(broken).answerMessage(mb::Ok);
    w.trigger("file_open");
    ASSERT_TRUE(w.dialogs->messages().back().contains("could not be read completely"));
    w.dialogs->answerSave(std::nullopt);
    w.trigger("file_saveas");
    const DialogRecord &saveAs = w.dialogs->shown().back();
    EXPECT_EQ(saveAs.kind, DialogKind::Save);
    EXPECT_EQ(saveAs.options.fileName, "");
    EXPECT_TRUE(saveAs.options.flags & ofn::OverwritePrompt);

    // The same for a gallery named on the command line, after a name was chosen before.
    const QString good = testHome() + "/good.gal";
    writeAll(good, holidayGallery());
    w.open(good);
    w.dialogs->answerMessage(mb::Ok);
    w.window->openFiles({broken});
    w.dialogs->answerSave(std::nullopt);
    w.trigger("file_save");
    EXPECT_EQ(w.dialogs->shown().back().kind, DialogKind::Save);
    EXPECT_EQ(w.dialogs->shown().back().options.fileName, "");
    EXPECT_EQ(readAll(broken), bytes);

    // A gallery read whole is still offered, as the dialog keeps the name chosen last.
    w.open(good);
    w.dialogs->answerSave(std::nullopt);
    w.trigger("file_saveas");
    EXPECT_EQ(w.dialogs->shown().back().options.fileName, good);
}
