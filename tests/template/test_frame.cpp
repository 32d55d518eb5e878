#include "templatetestsupport.h"

#include "aboutbox.h"
#include "captionfit.h"
#include "captiontestsupport.h"
#include "templateabout.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

using namespace qs;
using namespace qs::stencil;
using namespace qs::test;

namespace {
QStringList entries(const QMenu *menu)
{
    QStringList out;
    for (QAction *a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    return out;
}

QToolButton *button(const Stencilry &s, int k)
{
    return s.frame->findChild<QToolButton *>(QStringLiteral("SoftBttn%1").arg(k));
}

bool saveAndPrintEnabled(const Stencilry &s)
{
    const bool save = button(s, 3)->isEnabled();
    EXPECT_EQ(button(s, 4)->isEnabled(), save);
    return save;
}
} // namespace

// Without a host setting that can be read, only the one message shows and the program ends.
TEST(Frame, WithoutTheHostOnlyTheMessageShowsAndTheProgramEnds)
{
    const QString store = SettingsStore::filePath(host::SettingsApp);
    struct Case
    {
        const char *name;
        std::function<void()> prepare;
        QString text;
        bool whole;   // the text is the whole message, not only its start
        bool inAFile; // needs the settings in files, as everywhere but on Windows
        QString caption;
    };
    const Case cases[] = {
        {"no host setting", [] {},
         "You must have Quillsite 97 installed on this system before you can run Stencilry.  If "
         "you have just installed Quillsite and are receiving this message, please run Quillsite "
         "and then try to run this application again.",
         true, false, "Quillsite Not Found"},
        // Not taken for "not installed": the host may be there, its setting only unreadable.
        {"a folder in the settings file's place", [&store] { ASSERT_TRUE(QDir().mkpath(store)); },
         "The settings could not be read.\r\n\r\nFile: " + store, false, true, "tagloom32"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.inAFile && !SettingsInFiles)
            continue;
        c.prepare();
        auto scripted = std::make_unique<ScriptedDialogs>(QStringLiteral("tagloom32"));
        ScriptedDialogs *dialogs = scripted.get();
        dialogs->answerMessage(mb::Ok);
        frmMain frame(std::move(scripted));
        EXPECT_FALSE(frame.loaded());
        ASSERT_EQ(dialogs->shown().size(), 1u);
        const DialogRecord &m = dialogs->shown()[0];
        EXPECT_TRUE(c.whole ? m.text == c.text : m.text.startsWith(c.text)) << m.text.toStdString();
        EXPECT_EQ(m.caption, c.caption);
        EXPECT_EQ(m.buttons, mb::OkOnly);
        EXPECT_EQ(m.icon, mb::Critical);
        for (QWidget *w : QApplication::topLevelWidgets())
            EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    }
}

TEST(Frame, AnyHostSettingEvenEmptyStartsAnEmptyFrame)
{
    for (const QString &host : {QStringLiteral("C:\\Quillsite97"), QString()}) {
        setHost(host);
        auto scripted = std::make_unique<ScriptedDialogs>(QStringLiteral("tagloom32"));
        ScriptedDialogs *dialogs = scripted.get();
        frmMain frame(std::move(scripted));
        EXPECT_TRUE(frame.loaded());
        EXPECT_TRUE(dialogs->shown().empty());
        EXPECT_TRUE(frame.documents().isEmpty());
        EXPECT_EQ(frame.windowTitle(), "Vantrell Quillsite 97 Stencilry");
        EXPECT_EQ(frame.action("file_exit")->text(), "E&xit\tAlt+F4");
        EXPECT_TRUE(frame.helpFile().endsWith("\\Help\\tagloom32.hlp"));
    }
}

TEST(Frame, LayoutOfTheClientAreaAndToolbar)
{
    Stencilry s;
    QApplication::processEvents();
    EXPECT_EQ(s.frame->mdiArea()->viewport()->size(), QSize(563, 340));
    auto *panel = s.frame->findChild<QFrame *>("SSPanel1");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->width(), s.frame->centralWidget()->width());
    EXPECT_EQ(panel->y(), 0);
    EXPECT_EQ(s.frame->mdiArea()->y(), panel->height());
    // Two grips, four buttons, the divider and Help Topics in a row, none of them cut.
    QList<QWidget *> row{s.frame->findChild<QFrame *>("SSPanel2"),
                         s.frame->findChild<QFrame *>("SSPanel3")};
    for (int k = 1; k <= 4; ++k)
        row << button(s, k);
    row << s.frame->findChild<QFrame *>("SSPanel4") << button(s, 5);
    int right = -1;
    for (QWidget *w : row) {
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(panel->contentsRect().contains(w->geometry())) << w->objectName().toStdString();
        EXPECT_GT(w->x(), right) << w->objectName().toStdString();
        EXPECT_GE(w->height(), button(s, 1)->height()) << w->objectName().toStdString();
        right = w->geometry().right();
    }
    const char *const tips[] = {"New (Ctrl+N)", "Open (Ctrl+O)", "Save (Ctrl+S)", "Print (Ctrl+P)",
                                "Help Topics (F1)"};
    for (int k = 1; k <= 5; ++k) {
        QToolButton *b = button(s, k);
        // As large as the style asks for its icon, and never smaller than the icons were.
        EXPECT_GE(b->width(), b->sizeHint().width()) << k;
        EXPECT_GE(b->height(), b->sizeHint().height()) << k;
        EXPECT_GE(b->iconSize().width(), 16) << k;
        EXPECT_FALSE(b->icon().isNull());
        EXPECT_EQ(b->toolTip(), tips[k - 1]);
        EXPECT_EQ(b->isEnabled(), k != 3 && k != 4) << k;
    }
}

TEST(Frame, MenusOfTheFrameAndOfTheActiveDocument)
{
    Stencilry s;
    EXPECT_EQ(s.menuNames(), (QStringList{"file_menu", "help_menu"}));
    EXPECT_EQ(entries(s.frame->menuBar()->actions()[0]->menu()),
              (QStringList{"file_new", "file_open", "-", "file_exit"}));
    EXPECT_EQ(entries(s.frame->menuBar()->actions()[1]->menu()),
              (QStringList{"help_topics", "-", "help_about"}));
    EXPECT_EQ(s.command("file_new")->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(s.command("help_topics")->shortcut(), QKeySequence("F1"));

    s.newDocument();
    EXPECT_EQ(s.menuNames(),
              (QStringList{"file_menu", "edit_menu", "insert_menu", "window_menu", "help_menu"}));
    const QList<QAction *> top = s.frame->menuBar()->actions();
    EXPECT_EQ(top[1]->text(), "&Edit");
    EXPECT_EQ(top[2]->text(), "&Item");
    EXPECT_EQ(top[3]->text(), "&Window");
    EXPECT_EQ(entries(top[0]->menu()),
              (QStringList{"file_new", "file_open", "file_save", "file_saveas", "-", "file_print",
                           "file_test", "-", "file_exit"}));
    EXPECT_EQ(entries(top[1]->menu()),
              (QStringList{"edit_undo", "edit_redo", "-", "edit_cut", "edit_copy", "edit_paste",
                           "-", "edit_moveup", "edit_movedown"}));
    EXPECT_EQ(entries(top[2]->menu()),
              (QStringList{"insert_text", "insert_crlf", "insert_input", "insert_open", "-",
                           "insert_file", "-", "edit_item", "remove_item", "-", "find_item"}));
    EXPECT_EQ(entries(top[3]->menu()), (QStringList{"window_tilehoriz", "window_tilevert",
                                                    "window_cascade", "window_arrange"}));
    const std::tuple<const char *, const char *, const char *> commands[] = {
        {"file_save", "&Save", "Ctrl+S"},
        {"file_saveas", "Save &As...", ""},
        {"file_print", "&Print...", "Ctrl+P"},
        {"file_test", "&Test", "Ctrl+W"},
        {"file_exit", "E&xit\tAlt+F4", ""},
        {"edit_undo", "&Undo", "Ctrl+Z"},
        {"edit_redo", "&Redo", "Ctrl+Y"},
        {"edit_cut", "Cu&t", "Ctrl+X"},
        {"edit_copy", "&Copy", "Ctrl+C"},
        {"edit_paste", "&Paste", "Ctrl+V"},
        {"edit_moveup", "&Move Up", "Alt+Up"},
        {"edit_movedown", "Move &Down", "Alt+Down"},
        {"insert_text", "Insert &Text", "Ctrl+T"},
        {"insert_crlf", "Insert &Carriage Return", ""},
        {"insert_input", "Insert &Input Dialog", "Ctrl+I"},
        {"insert_open", "Insert &Open Dialog", "Ctrl+G"},
        {"insert_file", "Insert &File...", ""},
        {"edit_item", "&Edit Item\tEnter", ""},
        {"remove_item", "&Remove Item...", "Del"},
        {"find_item", "&Find Item...", "F5"},
        {"window_tilehoriz", "Tile &Horizontally", "Shift+F7"},
        {"window_tilevert", "Tile &Vertical", ""},
        {"window_cascade", "&Cascade", "Shift+F8"},
        {"window_arrange", "&Arrange Icons", "Shift+F9"},
        {"help_about", "&About...", ""},
    };
    for (const auto &[name, caption, key] : commands) {
        QAction *a = s.command(name);
        ASSERT_NE(a, nullptr) << name;
        EXPECT_EQ(a->text(), caption) << name;
        EXPECT_EQ(a->shortcut(), QKeySequence(key)) << name;
    }

    s.active()->parentWidget()->close();
    EXPECT_EQ(s.menuNames(), (QStringList{"file_menu", "help_menu"}));
}

TEST(Frame, ThreeCtrlNGiveThreeUntitledWindowsTheLastActive)
{
    Stencilry s;
    for (int k = 0; k < 3; ++k)
        QTest::keyClick(s.frame.get(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(s.frame->documents().size(), 3);
    EXPECT_EQ(s.titles(), (QStringList{"Untitled", "Untitled", "Untitled"}));
    EXPECT_EQ(s.active(), s.frame->documents().back());
    for (editDlg *d : s.frame->documents()) {
        EXPECT_FALSE(d->document().boolDirty());
        EXPECT_EQ(d->document().count(), 0);
    }
    EXPECT_TRUE(s.dialogs->shown().empty());
}

TEST(Frame, SaveAndPrintButtonsFollowTheDocuments)
{
    Stencilry s;
    EXPECT_FALSE(saveAndPrintEnabled(s));
    button(s, 1)->click();
    EXPECT_TRUE(saveAndPrintEnabled(s));
    s.newDocument();
    s.active()->parentWidget()->close();
    EXPECT_TRUE(saveAndPrintEnabled(s));
    EXPECT_EQ(s.frame->documents().size(), 1);
    EXPECT_EQ(s.active(), s.frame->documents().front());
    s.active()->parentWidget()->close();
    EXPECT_FALSE(saveAndPrintEnabled(s));
    // They save and print the active document: an untitled one is named first.
    s.newDocument();
    s.dialogs->answerSave(std::nullopt);
    button(s, 3)->click();
    ASSERT_EQ(s.dialogs->shown().size(), 1u);
    EXPECT_EQ(s.dialogs->shown().back().kind, DialogKind::Save);
    const QString path = testHome() + "/saved.htp";
    s.dialogs->answerSave(path);
    button(s, 3)->click();
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(s.active()->document().title(), path);
    s.dialogs->answerPrint(false);
    button(s, 4)->click();
    EXPECT_EQ(s.dialogs->shown().back().kind, DialogKind::Print);
    EXPECT_EQ(s.frame->documents().size(), 1);
}

TEST(Frame, CancelledOpenMakesNoWindow)
{
    Stencilry s;
    s.dialogs->answerOpen(std::nullopt);
    button(s, 2)->click();
    EXPECT_TRUE(s.frame->documents().isEmpty());
    ASSERT_EQ(s.dialogs->shown().size(), 1u);
    EXPECT_EQ(s.dialogs->shown()[0].kind, DialogKind::Open);
}

TEST(Frame, WindowMenuListsTheDocumentsAndActivatesTheOneChosen)
{
    Stencilry s;
    const QString path = testHome() + "/a&b.htp";
    editDlg *first = s.open(path);
    editDlg *second = s.newDocument();
    QMenu *menu = s.frame->menuBar()->actions()[3]->menu();
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    emit menu->aboutToShow(); // rebuilt, not doubled
    QStringList listed;
    QList<QAction *> list;
    for (QAction *a : menu->actions())
        if (a->objectName().startsWith("window_list")) {
            listed << a->text() + (a->isChecked() ? "*" : "");
            list << a;
        }
    EXPECT_EQ(listed, (QStringList{"&1 " + shownPath(path).replace("&", "&&"), "&2 Untitled*"}));
    EXPECT_EQ(entries(menu).mid(0, 6),
              (QStringList{"window_tilehoriz", "window_tilevert", "window_cascade",
                           "window_arrange", "-", "window_list1"}));
    list[0]->trigger();
    EXPECT_EQ(s.active(), first);
    EXPECT_EQ(s.command("file_save")->parent(), first);
    QMenu *firstMenu = s.frame->menuBar()->actions()[3]->menu();
    emit firstMenu->aboutToShow();
    EXPECT_TRUE(firstMenu->findChild<QAction *>("window_list1")->isChecked());
    EXPECT_FALSE(firstMenu->findChild<QAction *>("window_list2")->isChecked());
    firstMenu->findChild<QAction *>("window_list2")->trigger();
    EXPECT_EQ(s.active(), second);
}

TEST(Frame, ArrangeTilesCascadesAndLinesUpIcons)
{
    Stencilry s;
    editDlg *a = s.newDocument();
    editDlg *b = s.newDocument();
    QWidget *subA = a->parentWidget();
    QWidget *subB = b->parentWidget();
    const QSize area = s.frame->mdiArea()->viewport()->size();

    s.trigger("window_tilehoriz");
    EXPECT_EQ(subA->geometry(), QRect(0, 0, area.width(), area.height() / 2));
    EXPECT_EQ(subB->geometry(), QRect(0, area.height() / 2, area.width(), area.height() / 2));
    s.trigger("window_tilevert");
    EXPECT_EQ(subA->geometry(), QRect(0, 0, area.width() / 2, area.height()));
    EXPECT_EQ(subB->geometry().left(), area.width() / 2);
    s.trigger("window_cascade");
    EXPECT_LT(subA->y(), subB->y());
    EXPECT_LT(subA->x(), subB->x());

    subA->showMinimized();
    subB->showMinimized();
    subA->move(200, 10);
    s.trigger("window_arrange");
    EXPECT_EQ(subA->geometry().bottom(), area.height() - 1);
    EXPECT_EQ(subA->x(), 0);
    EXPECT_EQ(subB->x(), subA->width());
}

TEST(Frame, CtrlWReachesTestAndCtrlF4ClosesTheDocument)
{
    Stencilry s;
    s.newDocument();
    editDlg *second = s.newDocument();
    QSignalSpy tests(second->action("file_test"), &QAction::triggered);
    s.dialogs->answerMessage(); // an untitled document cannot be tested
    QTest::keyClick(s.frame.get(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(tests.size(), 1);
    EXPECT_EQ(s.frame->documents().size(), 2);

    QTest::keyClick(s.frame.get(), Qt::Key_F4, Qt::ControlModifier);
    EXPECT_EQ(s.frame->documents().size(), 1);
    EXPECT_NE(s.active(), second);
}

TEST(Frame, HelpTopicsFromMenuKeyAndButton)
{
    Stencilry s;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "/nonexistent");
    s.dialogs->answerMessage(mb::Ok).answerMessage(mb::Ok).answerMessage(mb::Ok);
    s.trigger("help_topics");
    button(s, 5)->click();
    s.newDocument();
    QTest::keyClick(s.frame.get(), Qt::Key_F1);
    qputenv("PATH", path);
    ASSERT_EQ(s.dialogs->messages().size(), 3);
    for (const QString &m : s.dialogs->messages())
        EXPECT_TRUE(m.contains(QDir::toNativeSeparators("/Help/tagloom32.hlp"))) << m.toStdString();
}

TEST(Frame, AboutShowsTheSharedBoxEachTime)
{
    Stencilry s;
    for (int round = 0; round < 2; ++round) {
        QString caption, title, version, name;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<AboutBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            name = box->objectName();
            caption = box->windowTitle();
            title = box->findChild<QLabel *>("lblTitle")->text();
            version = box->findChild<QLabel *>("lblVersion")->text();
            box->findChild<QPushButton *>("cmdOK")->click();
        });
        if (round == 1)
            s.newDocument(); // the document's Help menu too
        s.trigger("help_about");
        EXPECT_EQ(name, "About");
        EXPECT_EQ(caption, "About tagloom32");
        EXPECT_EQ(title, "Vantrell Quillsite 97 Stencilry");
        EXPECT_EQ(version, "Version 1.5.3");
    }
}

TEST(Frame, EveryControlHasAnAccessibleName)
{
    Stencilry s;
    s.newDocument();
    QList<QWidget *> controls;
    for (QWidget *c : s.frame->findChildren<QWidget *>())
        if (!c->objectName().startsWith("qt_") &&
            (qobject_cast<QAbstractButton *>(c) || qobject_cast<QAbstractItemView *>(c) ||
             qobject_cast<QFrame *>(c) || qobject_cast<QMdiSubWindow *>(c) ||
             qobject_cast<editDlg *>(c)) &&
            !qobject_cast<QMenu *>(c))
            controls << c;
    EXPECT_GE(controls.size(), 12);
    for (QWidget *c : controls) {
        const bool named = !c->accessibleName().isEmpty() || !c->windowTitle().isEmpty();
        EXPECT_TRUE(named) << c->metaObject()->className() << " " << c->objectName().toStdString();
    }
}

TEST(Frame, TenNewWindowsLieWhollyInsideTheClientAreaAndTheTenthIsListedWithoutAnAccessKey)
{
    Stencilry s;
    for (int k = 0; k < 10; ++k)
        QTest::keyClick(s.frame.get(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(s.frame->documents().size(), 10);
    const QRect area = s.frame->mdiArea()->viewport()->rect();
    QList<QPoint> places;
    for (editDlg *d : s.frame->documents()) {
        const QRect window = d->parentWidget()->geometry();
        EXPECT_TRUE(area.contains(window))
            << window.x() << "," << window.y() << " " << window.width() << "x" << window.height();
        places << window.topLeft();
    }
    // Cascaded: each one down and to the right of the one before, or back at the top left.
    for (int k = 1; k < places.size(); ++k)
        EXPECT_TRUE((places[k].x() > places[k - 1].x() && places[k].y() > places[k - 1].y()) ||
                    places[k] == QPoint(0, 0))
            << k;
    EXPECT_EQ(s.active(), s.frame->documents().back());
    EXPECT_TRUE(s.active()->parentWidget()->isVisible());

    QMenu *menu = s.frame->menuBar()->actions()[3]->menu();
    emit menu->aboutToShow();
    EXPECT_EQ(menu->findChild<QAction *>("window_list9")->text(), "&9 Untitled");
    EXPECT_EQ(menu->findChild<QAction *>("window_list10")->text(), "10 Untitled");
}

TEST(Frame, EveryCaptionFitsItsControl)
{
    QS_SKIP_WITHOUT_FONTS();
    Stencilry s;
    s.newDocument();
    EXPECT_EQ(captionsCut(s.frame.get()), QStringList());
    EXPECT_EQ(captionsCutInAboutBox([&] { s.trigger("help_about"); }), QStringList());
}

TEST(Frame, TheEventLoopTurnsWhileATemplateIsRead)
{
    const QString path = testHome() + "/one.htp";
    writeAll(path, "{{" + QByteArray(1'000'000, 'x') + "\r\n");
    Stencilry s;
    // Queued before Open: it runs while the file is read, before the window for it exists.
    int documentsWhileReading = -1;
    QTimer::singleShot(0, s.frame.get(),
                       [&] { documentsWhileReading = int(s.frame->documents().size()); });
    editDlg *d = s.open(path);
    EXPECT_EQ(documentsWhileReading, 0);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->document().count(), 1);
    EXPECT_EQ(d->document().rows().front().text.size(), 1'000'000);
    EXPECT_EQ(d->windowTitle(), shownPath(path));
}

TEST(Frame, TemplatesOpenedFromTheFileManagerEachGetAWindow)
{
    const QString first = testHome() + "/first.htp";
    const QString second = testHome() + "/second one.htp";
    writeAll(first, crlf({"{{first", ""}));
    writeAll(second, crlf({"{{second", ""}));
    Stencilry s;
    s.frame->openFiles(filesFromDesktopEntry(QS_PACKAGING_DIR "/tagloom32.desktop", {first, second},
                                             stencil::commandLineSpec()));
    EXPECT_EQ(s.titles(), (QStringList{shownPath(first), shownPath(second)}));
    EXPECT_EQ(s.active()->windowTitle(), shownPath(second));
    EXPECT_EQ(s.active()->document().rows().front().text, "second");
    EXPECT_TRUE(s.dialogs->shown().empty());
}

TEST(Frame, TheProgramsIconAtEveryThemeSizeOnTheFrameAndInTheAboutBox)
{
    Stencilry s;
    const QList<QSize> sizes = s.frame->windowIcon().availableSizes();
    EXPECT_EQ(sizes.size(), 7);
    EXPECT_TRUE(sizes.contains(QSize(256, 256)));
    EXPECT_EQ(stencil::aboutInfo().icon.availableSizes(), sizes);
}

TEST(Frame, ANewDocumentWindowTakesAtLeastHalfOfALargeFrame)
{
    Stencilry s;
    s.frame->resize(1200, 740);
    QApplication::processEvents();
    const QRect area = s.frame->mdiArea()->viewport()->rect();
    ASSERT_GT(area.width(), 1000);
    s.newDocument();
    s.newDocument();
    ASSERT_EQ(s.frame->documents().size(), 2);
    for (editDlg *d : s.frame->documents()) {
        const QRect window = d->parentWidget()->geometry();
        EXPECT_GE(window.width() * 2, area.width());
        EXPECT_GE(window.height() * 2, area.height());
        EXPECT_TRUE(area.contains(window));
    }
}

TEST(Frame, TheFrameOpensWhereAndAsItWasLastClosed)
{
    struct Case
    {
        const char *name;
        QRect geometry;
        bool maximized;
    };
    const Case cases[] = {
        {"moved and resized", QRect(30, 60, 720, 500), false},
        {"maximized", QRect(50, 40, 600, 440), true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        {
            Stencilry first;
            first.frame->setGeometry(c.geometry);
            QApplication::processEvents();
            if (c.maximized)
                first.frame->showMaximized();
            QApplication::processEvents();
            ASSERT_EQ(first.frame->isMaximized(), c.maximized);
            EXPECT_TRUE(first.frame->close());
        }
        Stencilry next;
        QApplication::processEvents();
        EXPECT_EQ(next.frame->normalGeometry(), c.geometry);
        EXPECT_EQ(next.frame->isMaximized(), c.maximized);
        EXPECT_TRUE(next.dialogs->shown().empty());
    }
}
