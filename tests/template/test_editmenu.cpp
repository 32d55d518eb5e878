#include "templatetestsupport.h"

#include "promptdialogs.h"
#include "templatemodel.h"
#include "textcodec.h"

#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTreeView>
#include <QUndoStack>
#include <QUrl>

using namespace qs;
using namespace qs::stencil;
using namespace qs::test;

namespace {

// As written on Windows: Windows-1252 and CR LF.
const QByteArray StartFile = crlf({"{{caf\xe9", "{!", "{[", "Name?", "<b>", "</b>", "{{end", ""});
const QStringList StartTexts{"caf\u00e9", CarriageReturnText, "Name?", "end"};

void select(editDlg *d, int row)
{
    d->listView()->setCurrentIndex(d->model()->index(row, 0));
}

// A key typed into the list; the frame is made active first, as a closed dialog leaves it.
void key(editDlg *d, Qt::Key k, Qt::KeyboardModifiers modifiers)
{
    QApplication::setActiveWindow(d->window());
    d->listView()->setFocus();
    QTest::keyClick(d->listView(), k, modifiers);
}

void fillPrompt(const char *prompt)
{
    whenModal([prompt](QWidget *w) {
        auto *dialog = qobject_cast<PromptDialog *>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->field("txtPrompt")->setText(prompt);
        dialog->button("cmdOK")->click();
    });
}

// Drags as a user's drop arrives: at the widget under the mouse that takes drops. A drag from
// a list proposes to move.
bool drop(QWidget *target, QPoint pos, QMimeData *data, Qt::DropAction action = Qt::MoveAction)
{
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(pos, actions, data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(pos, actions, data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &move);
    if (!enter.isAccepted() || !move.isAccepted()) {
        QDragLeaveEvent leave;
        QApplication::sendEvent(target, &leave);
        return false;
    }
    QDropEvent dropped(pos, actions, data, Qt::LeftButton, {});
    dropped.setDropAction(action);
    QApplication::sendEvent(target, &dropped);
    QApplication::processEvents();
    return dropped.isAccepted();
}

// Below the middle of row: the drop goes after it.
QPoint below(editDlg *d, int row)
{
    const QRect r = d->listView()->visualRect(d->model()->index(row, 0));
    return QPoint(r.center().x(), r.bottom() - 1);
}

struct Command
{
    const char *name;
    int row; // selected first; -1 for none
    std::function<void(Stencilry &, editDlg *)> act;
    const char *step;
    QStringList after;
};

} // namespace

// Every command, from its menu entry or key, is one step: Ctrl+Z gives back the template as
// opened, unchanged, and Ctrl+Y the command's result again.
TEST(EditMenu, EveryCommandUndoesAndRedoesFromTheKeys)
{
    const QString start = testHome() + "/start.htp";
    const QString other = testHome() + "/other.htp";
    writeAll(start, StartFile);
    writeAll(other, "{{top\n");
    const QString cr = CarriageReturnText;
    const std::vector<Command> commands = {
        {"insert_text",
         -1,
         [](Stencilry &s, editDlg *) {
             s.dialogs->answerInput("new");
             s.trigger("insert_text");
         },
         "Insert Text",
         {"caf\u00e9", cr, "Name?", "end", "new"}},
        {"insert_crlf",
         -1,
         [](Stencilry &s, editDlg *) { s.trigger("insert_crlf"); },
         "Insert Carriage Return",
         {"caf\u00e9", cr, "Name?", "end", cr}},
        {"insert_input",
         -1,
         [](Stencilry &s, editDlg *) {
             fillPrompt("Age?");
             s.trigger("insert_input");
         },
         "Insert Input Dialog",
         {"caf\u00e9", cr, "Name?", "end", "Age?"}},
        {"insert_open",
         -1,
         [](Stencilry &s, editDlg *) {
             fillPrompt("File?");
             s.trigger("insert_open");
         },
         "Insert Open Dialog",
         {"caf\u00e9", cr, "Name?", "end", "File?"}},
        {"insert_file",
         -1,
         [&](Stencilry &s, editDlg *) {
             s.dialogs->answerOpen(other);
             s.trigger("insert_file");
         },
         "Insert File",
         {"top", "caf\u00e9", cr, "Name?", "end"}},
        {"edit_item text",
         0,
         [](Stencilry &s, editDlg *) {
             s.dialogs->answerInput("tea");
             s.trigger("edit_item");
         },
         "Edit Item",
         {"tea", cr, "Name?", "end"}},
        {"edit_item input",
         2,
         [](Stencilry &s, editDlg *) {
             fillPrompt("Your name?");
             s.trigger("edit_item");
         },
         "Edit Item",
         {"caf\u00e9", cr, "Your name?", "end"}},
        {"remove_item",
         1,
         [](Stencilry &s, editDlg *d) {
             s.dialogs->answerMessage(mb::Yes);
             key(d, Qt::Key_Delete, {});
         },
         "Remove Item",
         {"caf\u00e9", "Name?", "end"}},
        {"edit_cut",
         0,
         [](Stencilry &, editDlg *d) { key(d, Qt::Key_X, Qt::ControlModifier); },
         "Cut",
         {cr, "Name?", "end"}},
        {"edit_paste",
         0,
         [](Stencilry &, editDlg *d) {
             key(d, Qt::Key_C, Qt::ControlModifier);
             key(d, Qt::Key_V, Qt::ControlModifier);
         },
         "Paste",
         {"caf\u00e9", "caf\u00e9", cr, "Name?", "end"}},
        {"edit_moveup",
         1,
         [](Stencilry &, editDlg *d) { key(d, Qt::Key_Up, Qt::AltModifier); },
         "Move Up",
         {cr, "caf\u00e9", "Name?", "end"}},
        {"edit_movedown",
         1,
         [](Stencilry &, editDlg *d) { key(d, Qt::Key_Down, Qt::AltModifier); },
         "Move Down",
         {"caf\u00e9", "Name?", cr, "end"}},
        {"drag",
         0,
         [](Stencilry &, editDlg *d) {
             QMimeData *data = d->model()->mimeData({d->model()->index(0, 0)});
             EXPECT_TRUE(drop(d->listView()->viewport(), below(d, 2), data));
             delete data;
         },
         "Move Item",
         {cr, "Name?", "caf\u00e9", "end"}},
    };
    for (const Command &c : commands) {
        SCOPED_TRACE(c.name);
        Stencilry s;
        editDlg *d = s.open(start);
        const std::vector<TemplateItem> opened = d->document().rows();
        if (c.row >= 0)
            select(d, c.row);
        c.act(s, d);
        EXPECT_EQ(texts(d), c.after);
        EXPECT_TRUE(d->document().boolDirty());
        EXPECT_TRUE(s.command("edit_undo")->isEnabled());
        EXPECT_EQ(s.command("edit_undo")->statusTip(), QStringLiteral("Undo ") + c.step);
        EXPECT_EQ(d->document().undoStack()->count(), 1);

        key(d, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(d->document().rows(), opened);
        EXPECT_FALSE(d->document().boolDirty());
        EXPECT_FALSE(s.command("edit_undo")->isEnabled());
        EXPECT_EQ(s.command("edit_redo")->statusTip(), QStringLiteral("Redo ") + c.step);

        key(d, Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(texts(d), c.after);
        EXPECT_TRUE(d->document().boolDirty());
        EXPECT_FALSE(s.command("edit_redo")->isEnabled());

        // Undone again, the window closes without a question and the file is as it was.
        key(d, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(d->parentWidget()->close());
        EXPECT_EQ(readAll(start), StartFile);
    }
}

TEST(EditMenu, EntriesAreOffWhenThereIsNothingToDoAndHaveTheirOwnKeys)
{
    QGuiApplication::clipboard()->clear();
    Stencilry s;
    editDlg *d = s.newDocument();
    const char *const names[] = {"edit_undo",  "edit_redo",   "edit_cut",     "edit_copy",
                                 "edit_paste", "edit_moveup", "edit_movedown"};
    QSet<QChar> keys;
    for (const char *name : names) {
        EXPECT_FALSE(s.command(name)->isEnabled()) << name;
        const QString text = s.command(name)->text();
        keys << text.at(text.indexOf('&') + 1).toLower();
    }
    EXPECT_EQ(keys.size(), 7);

    s.dialogs->answerInput("one");
    s.trigger("insert_text");
    s.trigger("insert_crlf");
    EXPECT_TRUE(s.command("edit_undo")->isEnabled());
    select(d, 0);
    EXPECT_TRUE(s.command("edit_copy")->isEnabled());
    EXPECT_TRUE(s.command("edit_cut")->isEnabled());
    EXPECT_FALSE(s.command("edit_moveup")->isEnabled()); // the first row goes no higher
    EXPECT_TRUE(s.command("edit_movedown")->isEnabled());
    EXPECT_FALSE(s.command("edit_paste")->isEnabled());
    s.trigger("edit_copy");
    EXPECT_TRUE(s.command("edit_paste")->isEnabled());
    select(d, 1);
    EXPECT_TRUE(s.command("edit_moveup")->isEnabled());
    EXPECT_FALSE(s.command("edit_movedown")->isEnabled());

    // A new step drops what could be redone.
    s.trigger("edit_undo");
    EXPECT_TRUE(s.command("edit_redo")->isEnabled());
    s.trigger("insert_crlf");
    EXPECT_FALSE(s.command("edit_redo")->isEnabled());
}

// Undoing back to what was saved leaves nothing to save: Exit asks nothing.
TEST(EditMenu, UndoToTheSavedStateClearsTheChangedFlag)
{
    const QString path = testHome() + "/lf.htp";
    writeAll(path, "\xef\xbb\xbf{{one\n{!\n");
    Stencilry s;
    editDlg *d = s.open(path);
    s.dialogs->answerInput("two");
    s.trigger("insert_text");
    key(d, Qt::Key_S, Qt::ControlModifier);
    const QByteArray saved = crlf({"{{one", "{!", "{{two", ""});
    EXPECT_EQ(readAll(path), saved);
    EXPECT_FALSE(d->document().boolDirty());

    s.trigger("insert_crlf");
    EXPECT_TRUE(d->document().boolDirty());
    s.trigger("edit_undo");
    EXPECT_FALSE(d->document().boolDirty());
    // Before the save is a change again; the file stays as saved.
    s.trigger("edit_undo");
    EXPECT_TRUE(d->document().boolDirty());
    EXPECT_EQ(readAll(path), saved);
    s.trigger("edit_redo");

    s.dialogs->clear();
    s.trigger("file_exit");
    EXPECT_TRUE(s.frame->documents().isEmpty());
    EXPECT_TRUE(s.dialogs->shown().empty());
}

// Every field goes from one window to another as it was, and a text editor gets one item a line.
TEST(EditMenu, PasteBetweenTwoWindowsKeepsEveryField)
{
    const QString from = testHome() + "/from.htp";
    writeAll(from, crlf({"{{{{caf\xe9  ", "{!", "{[", "{!", "", " \xab x \xbb ", "{|", " Pick",
                         "All|*.*|", "<a href=\"", "\"> ", "{{", ""}));
    const QString to = testHome() + "/to.htp";
    Stencilry s;
    editDlg *a = s.open(from);
    editDlg *b = s.newDocument();
    for (int row = 0; row < a->document().count(); ++row) {
        s.frame->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(a->parentWidget()));
        select(a, row);
        s.trigger("edit_copy");
        s.frame->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(b->parentWidget()));
        s.trigger("edit_paste");
    }
    EXPECT_EQ(b->document().rows(), a->document().rows());
    s.dialogs->answerSave(to);
    s.trigger("file_saveas");
    EXPECT_EQ(readAll(to), encodeText(decodeText(readAll(from))));

    s.frame->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(a->parentWidget()));
    select(a, 2);
    s.trigger("edit_copy");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "{!\t\t \u00ab x \u00bb \n");

    // Lines from a text editor come in as text items, blank ones left out.
    QGuiApplication::clipboard()->setText("first\r\n\r\nsecond\n");
    b->listView()->clearSelection();
    b->pasteItems();
    EXPECT_EQ(b->document().rows().back(), (TemplateItem{kind::Text, "second", {}}));
    EXPECT_EQ(b->document().rows()[b->document().count() - 2].text, "first");
}

// Moves by key, and the file saved has the new order.
TEST(EditMenu, MovedItemsAreSavedInTheirNewOrder)
{
    const QString path = testHome() + "/order.htp";
    writeAll(path, "{{a\n{{b\r\n{{c\r\n");
    Stencilry s;
    editDlg *d = s.open(path);
    select(d, 0);
    key(d, Qt::Key_Down, Qt::AltModifier);
    key(d, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(d->selectedRow(), 2); // the selection goes with the item
    key(d, Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(texts(d), (QStringList{"b", "a", "c"}));
    EXPECT_EQ(d->document().undoStack()->count(), 3);
    // Moving a row from another window in drops a copy.
    editDlg *other = s.newDocument();
    other->document().append({kind::InputDialog, "q", {"<i>", "</i>"}});
    QMimeData *data = other->model()->mimeData({other->model()->index(0, 0)});
    s.frame->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(d->parentWidget()));
    EXPECT_TRUE(drop(d->listView()->viewport(), below(d, 0), data, Qt::CopyAction));
    delete data;
    EXPECT_EQ(texts(d), (QStringList{"b", "q", "a", "c"}));
    key(d, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(readAll(path), crlf({"{{b", "{[", "q", "<i>", "</i>", "{{a", "{{c", ""}));
}

// A template dropped on the frame or on a list opens as Open opens it, with its messages.
TEST(EditMenu, TemplatesDroppedOpenAsOpenDoes)
{
    const QString good = testHome() + "/good.HTP";
    const QString foreign = testHome() + "/foreign.htp";
    const QString notes = testHome() + "/notes.txt";
    writeAll(good, StartFile);
    writeAll(foreign, "{{ok\r\n[Section]\r\n");
    writeAll(notes, "{{x\r\n");
    Stencilry s;
    const auto urls = [](const QStringList &files) {
        auto *data = new QMimeData;
        QList<QUrl> list;
        for (const QString &f : files)
            list << QUrl::fromLocalFile(f);
        data->setUrls(list);
        return std::unique_ptr<QMimeData>(data);
    };
    QWidget *area = s.frame->mdiArea()->viewport();
    const QPoint middle = area->mapTo(s.frame.get(), area->rect().center());
    EXPECT_FALSE(drop(s.frame.get(), middle, urls({notes}).get()));
    EXPECT_TRUE(drop(s.frame.get(), middle, urls({notes, good}).get()));
    EXPECT_EQ(s.titles(), QStringList{shownPath(good)});
    EXPECT_EQ(texts(s.active()), StartTexts);
    EXPECT_FALSE(s.active()->document().boolDirty());

    // Onto a document's list: the file that is not all template says so, as Open does.
    s.dialogs->answerMessage(mb::Ok);
    editDlg *d = s.active();
    EXPECT_TRUE(drop(d->listView()->viewport(), QPoint(5, 5), urls({foreign}).get()));
    EXPECT_TRUE(s.dialogs->shown().back().text.startsWith("The file " + shownPath(foreign) +
                                                          " holds lines"));
    EXPECT_EQ(s.frame->documents().size(), 2);
    // One already open comes to the front.
    EXPECT_TRUE(drop(s.frame.get(), middle, urls({good}).get()));
    EXPECT_EQ(s.frame->documents().size(), 2);
    EXPECT_EQ(s.active(), d);
}
