#include "gallerytestsupport.h"

#include "aboutbox.h"
#include "aboutinfo.h"
#include "captionfit.h"
#include "captiontestsupport.h"
#include "galleryfile.h"
#include "textcodec.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

using namespace qs;
using namespace qs::test;

TEST(GalleryWindow, StartsWithAnEmptyUntitledGallery)
{
    GalleryWindow w;
    EXPECT_EQ(w.window->windowTitle(), "Quillsite Pictorium");
    EXPECT_EQ(w.nodeTexts(), QStringList{"Untitled Gallery"});
    EXPECT_EQ(w.rowCount(), 0);
    EXPECT_FALSE(w.list()->isEnabled());
    EXPECT_EQ(w.window->currentFilePath(), "");
    EXPECT_EQ(w.window->statusText(), "Untitled Gallery");
    EXPECT_EQ(w.listModel()->headerData(0, Qt::Horizontal).toString(), "Description");
    EXPECT_EQ(w.listModel()->headerData(1, Qt::Horizontal).toString(), "Filename");
    // At first start the client area is at least as large as it was designed (9045 x 6060 twips).
    w.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.window.get()));
    EXPECT_GE(w.window->centralWidget()->width(), 603);
    EXPECT_GE(w.window->centralWidget()->height(), 404);
    EXPECT_TRUE(w.window->helpFile().endsWith("\\help\\artkeep.hlp"));
    EXPECT_TRUE(w.dialogs->shown().empty());
}

TEST(GalleryWindow, MenusCarryTheirCaptionsShortcutsAndToolbarButtons)
{
    GalleryWindow w;
    const std::pair<const char *, const char *> captions[] = {
        {"file_open", "&Open..."},       {"file_saveas", "Save &As..."},
        {"file_exit", "E&xit\tAlt+F4"},  {"add_multiple", "&Add Multiple..."},
        {"new_cat", "Ne&w Category..."}, {"help_about", "&About..."}};
    for (const auto &[name, caption] : captions)
        EXPECT_EQ(w.window->action(name)->text(), caption) << name;
    EXPECT_EQ(w.window->action("file_save")->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(w.window->action("item_preview")->shortcut(), QKeySequence("F2"));
    EXPECT_EQ(w.window->action("edit_cat")->shortcut(), QKeySequence("Ctrl+D"));
    EXPECT_TRUE(w.window->action("file_new")->shortcut().isEmpty());

    auto *edit = w.window->menuBar()->findChild<QMenu *>("edit_menu");
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->menuAction()->isEnabled());
    QStringList editItems;
    for (QAction *a : edit->actions())
        editItems << (a->isSeparator() ? "-" : a->objectName());
    EXPECT_EQ(editItems,
              (QStringList{"edit_undo", "edit_redo", "-", "edit_cut", "edit_copy", "edit_paste",
                           "edit_clear", "-", "file_find", "-", "move_up", "move_down"}));
    auto *file = w.window->menuBar()->findChild<QMenu *>("file_menu");
    QStringList fileItems;
    for (QAction *a : file->actions())
        fileItems << (a->isSeparator() ? "-" : a->objectName());
    EXPECT_EQ(fileItems, (QStringList{"file_new", "file_open", "file_save", "file_saveas", "-",
                                      "install_gallery", "-", "file_exit"}));

    const QStringList buttons{"sbnNew",     "sbnOpen",    "sbnSave",   "sbnSaveAs",  "sbnInstall",
                              "sbnNewCat",  "sbnEditCat", "sbnRemCat", "sbnAddItem", "sbnEditItem",
                              "sbnRemItem", "sbnPreview", "sbnHelp"};
    w.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.window.get()));
    int lastX = -1;
    for (const QString &name : buttons) {
        auto *b = w.window->findChild<QToolButton *>(name);
        ASSERT_NE(b, nullptr) << name.toStdString();
        EXPECT_GT(b->x(), lastX) << name.toStdString();
        EXPECT_TRUE(b->toolTip().startsWith(b->accessibleName())) << name.toStdString();
        lastX = b->x();
    }
    // Each tip names its command, and the keys that run it too.
    const std::pair<const char *, const char *> tips[] = {
        {"sbnNew", "Create New Gallery"},
        {"sbnOpen", "Open Existing Gallery (Ctrl+O)"},
        {"sbnSaveAs", "Save Gallery under new name"},
        {"sbnAddItem", "Add Gallery Item (Ctrl+N)"},
        {"sbnHelp", "Show Help Contents (F1)"},
    };
    for (const auto &[name, tip] : tips)
        EXPECT_EQ(w.window->findChild<QToolButton *>(name)->toolTip(), tip);
    // A toolbar button runs its menu command: Save on a new gallery asks for a name.
    w.dialogs->answerSave(std::nullopt);
    w.window->findChild<QToolButton *>("sbnSave")->click();
    ASSERT_EQ(w.dialogs->shown().size(), 1u);
    EXPECT_EQ(w.dialogs->shown()[0].kind, DialogKind::Save);
    EXPECT_EQ(w.dialogs->shown()[0].options.filter, "Clipart Galleries|*.gal|All Files|*.*|");
    EXPECT_EQ(w.dialogs->shown()[0].options.flags, 0x1806u);
}

TEST(GalleryWindow, OpenFillsTheTreeAndSelectingListsItems)
{
    const QString path = testHome() + "/holiday.gal";
    writeAll(path, holidayGallery());
    GalleryWindow w;
    w.open(path);
    EXPECT_EQ(w.dialogs->shown()[0].text,
              "Do you want to save this document before opening a new one?");
    EXPECT_EQ(w.dialogs->shown()[0].caption, "New");
    EXPECT_EQ(w.dialogs->shown()[0].buttons, mb::YesNoCancel);
    EXPECT_EQ(w.nodeTexts(), (QStringList{"Holiday", "Animals", "Buildings"}));
    EXPECT_EQ(w.window->currentFilePath(), path);
    EXPECT_EQ(w.rowCount(), 0);
    EXPECT_EQ(w.window->statusText(), "Holiday");

    w.selectNode(1);
    EXPECT_EQ(w.rows(), (QStringList{"Cat|cat.gif", "Dog|dog.jpg"}));
    EXPECT_TRUE(w.list()->isEnabled());
    EXPECT_EQ(w.window->statusText(), "Holiday\\Animals");
    w.selectNode(0);
    EXPECT_TRUE(w.rows().isEmpty());
    EXPECT_FALSE(w.list()->isEnabled());
    EXPECT_EQ(w.window->statusText(), "Holiday");

    // Save writes back to the opened file without a dialog.
    writeAll(path, "changed");
    w.trigger("file_save");
    EXPECT_EQ(readAll(path), holidayGallery());
}

TEST(GalleryWindow, CancelledQuestionsAndDialogsKeepTheGallery)
{
    const QString path = testHome() + "/holiday.gal";
    writeAll(path, holidayGallery());
    GalleryWindow w;
    w.open(path);
    w.dialogs->answerMessage(mb::Cancel);
    w.trigger("file_open");
    w.dialogs->answerMessage(mb::No).answerOpen(std::nullopt);
    w.trigger("file_open");
    w.dialogs->answerMessage(mb::Cancel);
    w.trigger("file_new");
    // Yes, then a cancelled Save As: New must not drop the unsaved gallery.
    w.dialogs->answerMessage(mb::Yes).answerSave(std::nullopt);
    w.trigger("file_new");
    EXPECT_EQ(w.nodeTexts(), (QStringList{"Holiday", "Animals", "Buildings"}));
    EXPECT_EQ(w.window->currentFilePath(), path);

    w.dialogs->answerMessage(mb::No);
    w.trigger("file_new");
    EXPECT_EQ(w.nodeTexts(), QStringList{"Untitled Gallery"});
    EXPECT_EQ(w.window->currentFilePath(), "");
}

TEST(GalleryWindow, YesSavesFirstThenOpens)
{
    const QString first = testHome() + "/first.gal";
    const QString second = testHome() + "/second";
    writeAll(first, holidayGallery());
    GalleryWindow w;
    w.open(first);
    w.dialogs->answerMessage(mb::Yes).answerSave(second).answerOpen(first);
    w.trigger("file_open");
    EXPECT_EQ(readAll(second + ".gal"), holidayGallery()); // the default extension was added
    EXPECT_EQ(w.window->currentFilePath(), first);
    EXPECT_EQ(w.dialogs->shown().back().defaultText, second + ".gal"); // the dialog remembers
}

TEST(GalleryWindow, PartialOpenWarnsKeepsWhatWasReadAndForgetsThePath)
{
    const QString path = testHome() + "/broken.gal";
    const QByteArray broken = crlf({"[Clipart Gallery]", "Name=Broken", "NumFolders=2", "[Folder1]",
                                    "Name=Good", "Folder=\\good", "NumItems=1", "ItemName1=One",
                                    "ItemSrc1=one.gif", "[Folder2]", "Name=Bad", "NumItems=many"});
    writeAll(path, broken);
    GalleryWindow w;
    w.dialogs->answerMessage(mb::No).answerOpen(path).answerMessage(mb::Ok);
    w.trigger("file_open");
    const QString message = w.dialogs->messages().back();
    EXPECT_TRUE(message.contains("could not be read completely"));
    EXPECT_TRUE(message.contains(shownPath(path)));
    EXPECT_TRUE(message.contains("NumItems"));
    EXPECT_EQ(w.nodeTexts(), (QStringList{"Broken", "Good", "Bad"}));
    EXPECT_EQ(w.window->currentFilePath(), "");

    // Save now asks for a name instead of overwriting the damaged file.
    w.dialogs->answerSave(std::nullopt);
    w.trigger("file_save");
    EXPECT_EQ(readAll(path), broken);
}

TEST(GalleryWindow, FailedSaveShowsTheFileAndReason)
{
    GalleryWindow w;
    const QString target = testHome() + "/no-such-folder/x.gal";
    w.dialogs->answerSave(target).answerMessage(mb::Ok);
    w.trigger("file_saveas");
    ASSERT_EQ(w.dialogs->messages().size(), 1);
    EXPECT_TRUE(w.dialogs->messages()[0].contains(shownPath(target)));
    EXPECT_EQ(w.dialogs->shown().back().icon, mb::Critical);
    EXPECT_FALSE(QFile::exists(target));
}

TEST(GalleryWindow, CategoriesAreFoundByPositionNotByName)
{
    const QString path = testHome() + "/same.gal";
    writeAll(path,
             crlf({"[Clipart Gallery]", "NumFolders=2", "[Folder1]", "Name=Animals", "Folder=\\a",
                   "NumItems=1", "ItemName1=First", "ItemSrc1=1.gif", "[Folder2]", "Name=ANIMALS",
                   "Folder=\\b", "NumItems=1", "ItemName1=Second", "ItemSrc1=2.gif"}));
    GalleryWindow w;
    w.open(path);
    w.selectNode(2);
    EXPECT_EQ(w.rows(), QStringList{"Second|2.gif"});
    w.selectNode(1);
    EXPECT_EQ(w.rows(), QStringList{"First|1.gif"});
}

TEST(GalleryWindow, DuplicateFileNamesInACategoryShowTheRowsBeforeThem)
{
    const QString path = testHome() + "/dup.gal";
    writeAll(path, crlf({"[Clipart Gallery]", "NumFolders=1", "[Folder1]", "Name=A", "Folder=\\a",
                         "NumItems=3", "ItemName1=One", "ItemSrc1=x.gif", "ItemName2=Two",
                         "ItemSrc2=x.gif", "ItemName3=Three", "ItemSrc3=z.gif"}));
    GalleryWindow w;
    w.open(path);
    w.dialogs->answerMessage(mb::Ok);
    w.selectNode(1);
    EXPECT_EQ(w.rows(), QStringList{"One|x.gif"});
    EXPECT_TRUE(w.dialogs->messages().back().contains("x.gif"));
}

TEST(GalleryWindow, AboutShowsTheProgramsTitleAndVersionEachTime)
{
    GalleryWindow w;
    for (int round = 0; round < 2; ++round) {
        QString caption, title, version;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<AboutBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->objectName(), "frmAbout");
            caption = box->windowTitle();
            title = box->findChild<QLabel *>("lblTitle")->text();
            version = box->findChild<QLabel *>("lblVersion")->text();
            box->findChild<QPushButton *>("cmdOK")->click();
        });
        w.trigger("help_about");
        EXPECT_EQ(caption, "About Pictorium");
        EXPECT_EQ(title, "Pictorium");
        EXPECT_EQ(version, "Version 1.0.0");
    }
}

TEST(GalleryWindow, HelpWithoutAViewerOrFileSaysSo)
{
    GalleryWindow w;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "/nonexistent");
    w.dialogs->answerMessage(mb::Ok);
    w.trigger("help_topics");
    qputenv("PATH", path);
    ASSERT_EQ(w.dialogs->messages().size(), 1);
    EXPECT_TRUE(w.dialogs->messages()[0].contains("artkeep.hlp"));
}

TEST(GalleryWindow, ShortcutKeysRunTheirCommands)
{
    GalleryWindow w;
    w.window->show();
    QApplication::setActiveWindow(w.window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.window.get()));
    w.dialogs->answerSave(std::nullopt);
    QTest::keyClick(w.window.get(), Qt::Key_S, Qt::ControlModifier);
    w.dialogs->answerMessage(mb::Cancel);
    QTest::keyClick(w.window.get(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(w.dialogs->shown().size(), 2u);
    EXPECT_EQ(w.dialogs->shown()[0].kind, DialogKind::Save);
    EXPECT_EQ(w.dialogs->shown()[1].text,
              "Do you want to save this document before opening a new one?");
}

TEST(GalleryWindow, EveryControlHasAnAccessibleName)
{
    GalleryWindow w;
    w.dialogs->answerMessage(mb::Ok);
    w.trigger("item_preview"); // the preview window too
    QList<QWidget *> controls;
    for (QWidget *c : w.window->findChildren<QWidget *>())
        if (!c->objectName().startsWith("qt_") &&
            (qobject_cast<QAbstractButton *>(c) || qobject_cast<QAbstractItemView *>(c) ||
             qobject_cast<QStatusBar *>(c) || qobject_cast<QLabel *>(c)))
            controls << c;
    EXPECT_GE(controls.size(), 18);
    for (QWidget *c : controls) {
        const auto *label = qobject_cast<QLabel *>(c);
        const bool named = !c->accessibleName().isEmpty() || (label && !label->text().isEmpty()) ||
                           c->objectName() == "StatusBar1Text";
        EXPECT_TRUE(named) << c->metaObject()->className() << " " << c->objectName().toStdString()
                           << " in " << c->parent()->objectName().toStdString();
    }
}

TEST(GalleryWindow, EveryCaptionFitsItsControl)
{
    QS_SKIP_WITHOUT_FONTS();
    GalleryWindow w;
    EXPECT_EQ(captionsCut(w.window.get()), QStringList());
    EXPECT_EQ(captionsCutInAboutBox([&] { w.trigger("help_about"); }), QStringList());
}

TEST(GalleryWindow, ExitAsksOnlyWhenTheGalleryChangedAndYesSavesFirst)
{
    const QString path = testHome() + "/holiday.gal";
    writeAll(path, holidayGallery());
    {
        // Opened and not changed: Exit ends at once.
        GalleryWindow w;
        w.open(path);
        w.dialogs->clear();
        EXPECT_TRUE(w.window->close());
        EXPECT_TRUE(w.dialogs->shown().empty());
    }
    {
        GalleryWindow w;
        w.openAndChange(path);
        // Cancel stays, No ends without writing.
        w.dialogs->answerMessage(mb::Cancel);
        w.trigger("file_exit");
        expectExitQuestion(w.dialogs->shown().back());
        EXPECT_EQ(w.window->gallery().Folders.Count(), 1);
        w.dialogs->answerMessage(mb::No);
        EXPECT_TRUE(w.window->close());
        EXPECT_EQ(readAll(path), holidayGallery());
    }
    {
        GalleryWindow w;
        w.openAndChange(path);
        w.dialogs->answerMessage(mb::Yes);
        EXPECT_TRUE(w.window->close());
        expectExitQuestion(w.dialogs->shown().back());
        EXPECT_FALSE(readAll(path).contains("Buildings"));
        EXPECT_TRUE(readAll(path).contains("Animals"));
    }
}

TEST(GalleryWindow, ACancelledOrFailedSaveAtExitKeepsTheWindow)
{
    GalleryWindow w;
    w.dialogs->answerInput("Plants").answerInput("plants");
    w.trigger("new_cat");
    EXPECT_TRUE(w.window->document().isChanged());
    // Untitled: Yes asks for a name; cancelling that keeps the program open.
    w.dialogs->answerMessage(mb::Yes).answerSave(std::nullopt);
    EXPECT_FALSE(w.window->close());
    // A save that fails says why and keeps it open too.
    const QString blocked = testHome() + "/folder.gal";
    ASSERT_TRUE(QDir().mkpath(blocked));
    w.dialogs->answerMessage(mb::Yes).answerSave(blocked).answerMessage(mb::Ok);
    EXPECT_FALSE(w.window->close());
    EXPECT_TRUE(w.window->document().isChanged());
    // The end of a session that allows no questions is never blocked.
    EXPECT_TRUE(w.window->mayExit(false));
    // Saved: nothing left to ask.
    const QString saved = testHome() + "/plants.gal";
    w.dialogs->answerSave(saved);
    w.trigger("file_saveas");
    EXPECT_FALSE(w.window->document().isChanged());
    EXPECT_TRUE(w.window->close());
}

TEST(GalleryWindow, NewAndOpenStartUnchangedAndEveryEditChangesTheGallery)
{
    const QString path = testHome() + "/holiday.gal";
    writeAll(path, holidayGallery());
    GalleryWindow w;
    EXPECT_FALSE(w.window->document().isChanged());
    w.dialogs->answerInput("Plants").answerInput("plants");
    w.trigger("new_cat");
    EXPECT_TRUE(w.window->document().isChanged());
    w.dialogs->answerMessage(mb::No);
    w.trigger("file_new");
    EXPECT_FALSE(w.window->document().isChanged());
    w.open(path);
    EXPECT_FALSE(w.window->document().isChanged());
    w.selectNode(1);
    w.dialogs->answerInput("Kitten").answerOpen("/pics/kitten.gif");
    w.trigger("item_new");
    EXPECT_TRUE(w.window->document().isChanged());
}

TEST(GalleryWindow, AGalleryOpenedFromTheFileManagerOpensAsOpenWould)
{
    const QString path = testHome() + "/my holiday.gal";
    writeAll(path, holidayGallery());
    GalleryWindow w;
    w.window->openFiles(filesFromDesktopEntry(QS_PACKAGING_DIR "/artshelf.desktop", {path},
                                              gallery::commandLineSpec()));
    EXPECT_EQ(w.window->currentFilePath(), path);
    EXPECT_EQ(w.nodeTexts(), (QStringList{"Holiday", "Animals", "Buildings"}));
    EXPECT_TRUE(w.dialogs->shown().empty());

    // A gallery read only in part says so, as Open does.
    const QString cut = testHome() + "/cut.gal";
    writeAll(cut, crlf({"[Clipart Gallery]", "Name=Cut", "NumFolders=1", "", "[Folder1]",
                        "Name=Root", "Folder=root", "NumItems=0"}));
    GalleryWindow other;
    other.dialogs->answerMessage(mb::Ok);
    other.window->openFiles(filesFromDesktopEntry(QS_PACKAGING_DIR "/artshelf.desktop", {cut},
                                                  gallery::commandLineSpec()));
    EXPECT_TRUE(other.dialogs->messages().back().contains("could not be read completely"));
}

TEST(GalleryWindow, TheProgramsIconAtEveryThemeSizeOnTheWindowAndInTheAboutBox)
{
    const QList<QSize> sizes{{16, 16}, {24, 24},   {32, 32},  {48, 48},
                             {64, 64}, {128, 128}, {256, 256}};
    GalleryWindow w;
    EXPECT_EQ(w.window->windowIcon().availableSizes(), sizes);
    EXPECT_EQ(gallery::aboutInfo().icon.availableSizes(), sizes);
    EXPECT_FALSE(w.window->windowIcon().pixmap(48, 48).isNull());
}

namespace {
// Where child lies in client's coordinates.
QRect inClient(const QWidget *client, const QWidget *child)
{
    return QRect(child->mapTo(client, QPoint(0, 0)), child->size());
}
} // namespace

TEST(GalleryWindow, TheViewsFillTheClientAreaBetweenToolbarAndStatusBarAtEverySize)
{
    struct Case
    {
        const char *name;
        std::function<void(QWidget *)> size;
        bool grows;
    };
    const Case cases[] = {
        {"as it opens", [](QWidget *) {}, false},
        {"made larger", [](QWidget *w) { w->resize(1100, 760); }, true},
        {"maximized", [](QWidget *w) { w->showMaximized(); }, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        GalleryWindow w;
        w.window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.window.get()));
        QWidget *client = w.window->centralWidget();
        const QSize opened = client->size();
        c.size(w.window.get());
        QApplication::processEvents();
        if (c.grows) {
            EXPECT_GT(client->width(), opened.width());
            EXPECT_GT(client->height(), opened.height());
        }
        auto *splitter = client->findChild<QSplitter *>("TreeListSplitter");
        ASSERT_NE(splitter, nullptr);
        EXPECT_EQ(splitter->indexOf(w.tree()), 0);
        EXPECT_EQ(splitter->indexOf(w.list()), 1);
        const QRect toolbar = inClient(client, client->findChild<QFrame *>("pnlToolbar"));
        const QRect status = inClient(client, client->findChild<QStatusBar *>("StatusBar1"));
        const QRect views = inClient(client, w.tree()) | inClient(client, w.list());
        EXPECT_EQ(toolbar.topLeft(), QPoint(0, 0));
        EXPECT_EQ(toolbar.width(), client->width());
        EXPECT_EQ(views.top(), toolbar.bottom() + 1);
        EXPECT_EQ(views.left(), 0);
        EXPECT_EQ(views.right(), client->width() - 1);
        EXPECT_EQ(status.top(), views.bottom() + 1);
        EXPECT_EQ(status.left(), 0);
        EXPECT_EQ(status.width(), client->width());
        EXPECT_EQ(status.bottom(), client->height() - 1);
        // The tree keeps its designed share of the width, 3975 of 9045 twips.
        const double share = double(w.tree()->width()) / (w.tree()->width() + w.list()->width());
        EXPECT_NEAR(share, 3975.0 / 9045.0, 0.03);
        // Every toolbar button shows whole inside the strip.
        auto *strip = client->findChild<QFrame *>("pnlToolbar");
        for (auto *b : strip->findChildren<QToolButton *>())
            EXPECT_TRUE(strip->contentsRect().contains(b->geometry()))
                << b->objectName().toStdString();
    }
}

TEST(GalleryWindow, TheWindowOpensWhereAndAsItWasLastClosed)
{
    struct Case
    {
        const char *name;
        QRect geometry;
        bool maximized;
    };
    const Case cases[] = {
        {"moved and resized", QRect(40, 50, 700, 480), false},
        {"maximized", QRect(60, 70, 640, 460), true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        {
            GalleryWindow first;
            first.window->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(first.window.get()));
            first.window->setGeometry(c.geometry);
            QApplication::processEvents();
            if (c.maximized)
                first.window->showMaximized();
            QApplication::processEvents();
            ASSERT_EQ(first.window->isMaximized(), c.maximized);
            EXPECT_TRUE(first.window->close());
        }
        GalleryWindow next;
        next.window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(next.window.get()));
        QApplication::processEvents();
        EXPECT_EQ(next.window->normalGeometry(), c.geometry);
        EXPECT_EQ(next.window->isMaximized(), c.maximized);
        EXPECT_TRUE(next.dialogs->shown().empty());
    }
}

// Open and Save run beside the event loop, Save a part at a time: a gallery too large for one
// part comes back byte for byte, and what the window shows is what a direct read gives.
TEST(GalleryWindow, ALargeGalleryOpensAndSavesBesideTheEventLoopByteForByte)
{
    // In the encoding galleries are saved in, so that the save gives the file back.
    const auto text = [](const char *utf8) {
        return SavesUtf8 ? QByteArray(utf8) : *encodeWindows1252(QString::fromUtf8(utf8));
    };
    QByteArray file =
        "[Clipart Gallery]\r\nName=" + text("Gro\xC3\x9F") + "\r\nNumFolders=3\r\n\r\n";
    for (int f = 1; f <= 3; ++f) {
        const QByteArray n = QByteArray::number(f);
        file += "[Folder" + n + "]\r\nName=" + text("Caf\xC3\xA9 ") + n + "\r\nFolder=\\f" + n +
                "\r\nNumItems=12000\r\n";
        for (int i = 1; i <= 12000; ++i) {
            const QByteArray m = QByteArray::number(i);
            file += "ItemName" + m + "=" + text("Clip \xE2\x82\xAC") + m + "\r\nItemSrc" + m +
                    "=c" + n + '_' + m + ".gif\r\n";
        }
        file += "\r\n";
    }
    const QString path = testHome() + "/large.gal";
    writeAll(path, file);
    gallery::Gallery direct;
    gallery::LoadGallery(path, direct);

    GalleryWindow w;
    int turns = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++turns; });
    ticker.start(0);
    w.open(path);
    EXPECT_GT(turns, 0) << "the event loop never turned while the gallery was read";
    EXPECT_EQ(gallery::galleryText(w.window->gallery()), gallery::galleryText(direct));
    w.selectNode(3);
    ASSERT_EQ(w.rowCount(), 12000);
    EXPECT_EQ(w.rows().back(), QString::fromUtf8("Clip \xE2\x82\xAC"
                                                 "12000|c3_12000.gif"));

    turns = 0;
    QFile::remove(path);
    w.trigger("file_save");
    EXPECT_GT(turns, 0) << "the event loop never turned while the gallery was written";
    EXPECT_EQ(readAll(path), file);
    EXPECT_FALSE(w.window->document().isChanged());
}
