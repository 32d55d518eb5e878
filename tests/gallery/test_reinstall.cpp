#include "galleryfile.h"
#include "gallerytestsupport.h"
#include "hostinterface.h"
#include "settingsstore.h"

using namespace qs;
using namespace qs::test;

namespace {

const char *const Replace =
    "A gallery named summer is already installed. Do you want to replace it?";

// Installs the open gallery as name, answering replaceAnswer if the replace question comes.
void install(GalleryWindow &w, const QString &name, int replaceAnswer = 0)
{
    w.dialogs->clear();
    w.dialogs->answerMessage(mb::Yes).answerInput(name);
    if (replaceAnswer)
        w.dialogs->answerMessage(replaceAnswer);
    if (replaceAnswer != mb::No)
        w.dialogs->answerMessage(mb::Ok);
    w.trigger("install_gallery");
}

} // namespace

// A gallery already installed under the name typed is replaced only when the user says so, and
// gallery.lst never lists a name twice, however it was written.
TEST(InstallGallery, ReplacesAnInstalledGalleryOnlyWhenAsked)
{
    const struct
    {
        const char *what;
        QByteArray installed; // gallery.lst before the first install, or "-" for none
        bool copyThere;       // whether summer.gal is there before the first install
        QByteArray listed;    // gallery.lst after the first install
    } cases[] = {
        {"a new host", "-", false, "summer.gal\r\n"},
        {"a list written with LF and no last line end", "winter.gal\nsummer.gal", false,
         "winter.gal\nsummer.gal"},
        {"a copy put there by hand, not listed", "winter.gal\r\n", true,
         "winter.gal\r\nsummer.gal\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        GalleryWindow w;
        const QString host = testHome() + "/host/" + c.what;
        const QString clipart = host + "/images/";
        ASSERT_TRUE(QDir().mkpath(clipart));
        ASSERT_TRUE(SettingsStore::set(host::SettingsApp, host::GeneralSection,
                                       host::InstallFolderKey, host));
        if (c.installed != "-") {
            ASSERT_TRUE(writeAll(clipart + "gallery.lst", c.installed));
        }
        if (c.copyThere) {
            ASSERT_TRUE(writeAll(clipart + "summer.gal", "[Clipart Gallery]\nName=By hand\n"));
        }
        const QString path = testHome() + "/holiday.gal";
        ASSERT_TRUE(writeAll(path, holidayGallery()));
        w.open(path);

        install(w, "summer", c.copyThere ? mb::Yes : 0);
        EXPECT_EQ(w.dialogs->messages().contains(Replace), c.copyThere);
        EXPECT_EQ(w.dialogs->messages().back(), "Clipart Gallery successfully installed.");
        EXPECT_EQ(readAll(clipart + "summer.gal"), holidayGallery());
        EXPECT_EQ(readAll(clipart + "gallery.lst"), c.listed);

        w.selectNode(2);
        w.dialogs->answerMessage(mb::Yes);
        w.trigger("rem_cat");
        install(w, "summer", mb::No);
        ASSERT_EQ(w.dialogs->shown().size(), 3u);
        EXPECT_EQ(w.dialogs->shown()[2].text, Replace);
        EXPECT_EQ(w.dialogs->shown()[2].caption, "Install");
        EXPECT_EQ(w.dialogs->shown()[2].buttons, mb::YesNo);
        EXPECT_EQ(w.dialogs->shown()[2].icon, 0);
        EXPECT_EQ(readAll(clipart + "summer.gal"), holidayGallery());
        EXPECT_EQ(readAll(clipart + "gallery.lst"), c.listed);

        install(w, "summer", mb::Yes);
        EXPECT_EQ(w.dialogs->messages(), (QStringList{w.dialogs->messages()[0], Replace,
                                                      "Clipart Gallery successfully installed."}));
        EXPECT_EQ(readAll(clipart + "summer.gal"), gallery::galleryText(w.window->gallery()));
        EXPECT_EQ(w.window->gallery().Folders.Count(), 1);
        EXPECT_EQ(readAll(clipart + "gallery.lst"), c.listed);
    }
}
