#include "templatetestsupport.h"

#include "promptdialogs.h"
#include "templatemodel.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

using namespace qs;
using namespace qs::stencil;
using namespace qs::test;

namespace {
const char *const TextPrompt = "Please enter the text you want to insert into the user's document.";

QList<int> kinds(const editDlg *d)
{
    QList<int> out;
    for (const TemplateItem &item : d->document().rows())
        out << item.ItemKind;
    return out;
}

QList<int> selectedRows(const editDlg *d)
{
    QList<int> out;
    for (const QModelIndex &i : d->listView()->selectionModel()->selectedRows())
        out << i.row();
    std::sort(out.begin(), out.end());
    return out;
}

void select(editDlg *d, int row)
{
    d->listView()->setCurrentIndex(d->model()->index(row, 0));
}

// Types into the editor's fields, in their tab order's names, then presses the button.
void fillAndPress(std::initializer_list<std::pair<const char *, const char *>> fields,
                  const char *button)
{
    // The list's array lives only as long as this call.
    std::vector<std::pair<const char *, const char *>> typed(fields);
    whenModal([typed, button](QWidget *w) {
        auto *dialog = qobject_cast<PromptDialog *>(w);
        ASSERT_NE(dialog, nullptr);
        for (const auto &[name, text] : typed) {
            QLineEdit *edit = dialog->field(QLatin1String(name));
            edit->clear();
            QTest::keyClicks(edit, QString::fromUtf8(text));
        }
        dialog->button(QLatin1String(button))->click();
    });
}

// Through the window system, as a user's click comes, so that the press brings the context menu.
void rightClick(QTreeView *list, const QPoint &pos)
{
    QWidget *top = list->window();
    QTest::mouseClick(top->windowHandle(), Qt::RightButton, {}, list->viewport()->mapTo(top, pos));
}

editDlg *documentWith(Stencilry &s, std::vector<TemplateItem> rows)
{
    editDlg *d = s.newDocument();
    for (TemplateItem &item : rows)
        d->document().append(std::move(item));
    // As if opened: unchanged.
    d->document().markSaved();
    return d;
}
} // namespace

TEST(ItemCommands, InsertsAppendEachKindAtTheEndAndMarkTheDocument)
{
    Stencilry s;
    editDlg *d = s.newDocument();
    s.dialogs->answerInput("Dear customer,");
    QTest::keyClick(s.frame.get(), Qt::Key_T, Qt::ControlModifier);
    const DialogRecord &ask = s.dialogs->shown().back();
    EXPECT_EQ(ask.kind, DialogKind::Input);
    EXPECT_EQ(ask.text, TextPrompt);
    EXPECT_EQ(ask.caption, "Insert Text");
    EXPECT_EQ(ask.defaultText, "");
    EXPECT_TRUE(d->document().boolDirty());

    s.trigger("insert_crlf");
    fillAndPress({{"txtPrompt", "Your name?"}, {"txtBegintag", "<b>"}, {"txtEndtag", "</b>"}},
                 "cmdOK");
    QTest::keyClick(s.frame.get(), Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(kinds(d), (QList<int>{1, 2, 3}));
    EXPECT_EQ(texts(d), (QStringList{"Dear customer,", "(Carriage Return)", "Your name?"}));

    // Whatever row is selected, a new one goes to the end.
    select(d, 0);
    QApplication::setActiveWindow(s.frame.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(s.frame.get()));
    fillAndPress({{"txtPrompt", "Pick a picture"},
                  {"txtFilter", "Pictures|*.gif|"},
                  {"txtBegintag", "<img src=\""},
                  {"txtEndtag", "\">"}},
                 "cmdOK");
    QTest::keyClick(s.frame.get(), Qt::Key_G, Qt::ControlModifier);
    ASSERT_EQ(d->document().count(), 4);
    EXPECT_EQ(d->document().rows()[3],
              (TemplateItem{
                  kind::OpenDialog, "Pick a picture", {"Pictures|*.gif|", "<img src=\"", "\">"}}));
    EXPECT_EQ(d->model()->index(3, 2).data().toString(), "<img src=\"");

    const QString path = testHome() + "/letter.htp";
    s.dialogs->answerSave(path);
    s.trigger("file_save");
    EXPECT_EQ(readAll(path),
              crlf({"{{Dear customer,", "{!", "{[", "Your name?", "<b>", "</b>", "{|",
                    "Pick a picture", "Pictures|*.gif|", "<img src=\"", "\">", ""}));
}

TEST(ItemCommands, EmptyAnswersAndCancelledEditorsInsertNothing)
{
    Stencilry s;
    editDlg *d = s.newDocument();
    s.dialogs->answerInput("");
    s.trigger("insert_text");
    EXPECT_EQ(d->document().count(), 0);
    EXPECT_FALSE(d->document().boolDirty());

    // Cancel adds nothing, yet the document is marked changed.
    fillAndPress({{"txtPrompt", "thrown away"}}, "cmdCancel");
    s.trigger("insert_input");
    EXPECT_EQ(d->document().count(), 0);
    EXPECT_TRUE(d->document().boolDirty());
    d->document().markSaved();
    whenModal([](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); });
    s.trigger("insert_open");
    EXPECT_EQ(d->document().count(), 0);
    EXPECT_TRUE(d->document().boolDirty());

    // OK with every field empty still makes an item; its block is the marker and empty lines.
    fillAndPress({}, "cmdOK");
    s.trigger("insert_input");
    EXPECT_EQ(d->document().rows(), (std::vector<TemplateItem>{{kind::InputDialog, "", {}}}));
    const QString path = testHome() + "/empty.htp";
    s.dialogs->answerSave(path);
    s.trigger("file_save");
    EXPECT_EQ(readAll(path), crlf({"{[", "", "", "", ""}));

    // A line break in a typed text would split the item in the file.
    s.dialogs->answerInput("one\r\ntwo");
    s.trigger("insert_text");
    EXPECT_EQ(texts(d).back(), "one  two");
}

TEST(ItemCommands, EditChangesTheSelectedItemInPlace)
{
    Stencilry s;
    editDlg *d =
        documentWith(s, {{kind::Text, "Hello", {}},
                         {kind::InputDialog, "Name?", {"<b>", "</b>", {}}},
                         {kind::OpenDialog, "Picture?", {"GIF|*.gif|", "<img src=\"", "\">"}},
                         {kind::CarriageReturn, CarriageReturnText, {}}});

    s.trigger("edit_item");
    EXPECT_TRUE(s.dialogs->shown().empty()) << "nothing selected, nothing asked";

    select(d, 0);
    s.dialogs->answerInput("Good morning");
    s.trigger("edit_item");
    EXPECT_EQ(s.dialogs->shown().back().defaultText, "Hello");
    EXPECT_EQ(s.dialogs->shown().back().caption, "Insert Text");
    EXPECT_EQ(texts(d), (QStringList{"Good morning", "Name?", "Picture?", "(Carriage Return)"}));
    EXPECT_TRUE(d->document().boolDirty());

    d->document().markSaved();
    s.dialogs->answerInput("");
    s.trigger("edit_item");
    EXPECT_EQ(texts(d)[0], "Good morning");
    EXPECT_FALSE(d->document().boolDirty());

    // A double click edits: the editor comes up filled from the item.
    select(d, 1);
    QStringList seen;
    whenModal([&seen](QWidget *w) {
        auto *dialog = qobject_cast<PromptDialog *>(w);
        for (const char *name : {"txtPrompt", "txtBegintag", "txtEndtag"})
            seen << dialog->field(QLatin1String(name))->text();
        dialog->field("txtBegintag")->setText("<i>");
        dialog->field("txtEndtag")->setText("</i>");
        dialog->button("cmdOK")->click();
    });
    const QRect cell = d->listView()->visualRect(d->model()->index(1, 0));
    QTest::mouseDClick(d->listView()->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(seen, (QStringList{"Name?", "<b>", "</b>"}));
    EXPECT_EQ(d->document().count(), 4);
    EXPECT_EQ(d->document().rows()[1],
              (TemplateItem{kind::InputDialog, "Name?", {"<i>", "</i>", {}}}));

    select(d, 2);
    d->document().markSaved();
    seen.clear();
    whenModal([&seen](QWidget *w) {
        auto *dialog = qobject_cast<PromptDialog *>(w);
        for (const char *name : {"txtPrompt", "txtFilter", "txtBegintag", "txtEndtag"})
            seen << dialog->field(QLatin1String(name))->text();
        dialog->field("txtPrompt")->setText("changed but cancelled");
        dialog->button("cmdCancel")->click();
    });
    s.trigger("edit_item");
    EXPECT_EQ(seen, (QStringList{"Picture?", "GIF|*.gif|", "<img src=\"", "\">"}));
    EXPECT_EQ(texts(d)[2], "Picture?");
    EXPECT_TRUE(d->document().boolDirty());

    // A carriage return has nothing to edit: no dialog, no change.
    select(d, 3);
    d->document().markSaved();
    s.dialogs->clear();
    s.trigger("edit_item");
    EXPECT_TRUE(s.dialogs->shown().empty());
    EXPECT_EQ(d->document().count(), 4);
    EXPECT_FALSE(d->document().boolDirty());
}

TEST(ItemCommands, RemoveAsksThenTakesOutTheSelectedRow)
{
    Stencilry s;
    editDlg *d =
        documentWith(s, {{kind::Text, "a", {}}, {kind::Text, "b", {}}, {kind::Text, "c", {}}});
    select(d, 1);
    s.dialogs->answerMessage(mb::No);
    QTest::keyClick(d->listView(), Qt::Key_Delete);
    const DialogRecord &q = s.dialogs->shown().back();
    EXPECT_EQ(q.text, "Are you sure you want to remove the selected item?");
    EXPECT_EQ(q.caption, "Remove Item");
    EXPECT_EQ(q.buttons, mb::YesNo);
    EXPECT_EQ(q.icon, mb::Critical);
    EXPECT_EQ(texts(d), (QStringList{"a", "b", "c"}));
    EXPECT_FALSE(d->document().boolDirty());

    s.dialogs->answerMessage(mb::Yes);
    s.trigger("remove_item");
    EXPECT_EQ(texts(d), (QStringList{"a", "c"}));
    EXPECT_EQ(d->model()->rowCount(), 2);
    EXPECT_TRUE(d->document().boolDirty());

    // Nothing selected: Remove is off, so Del asks nothing and nothing goes.
    d->listView()->clearSelection();
    EXPECT_FALSE(s.command("remove_item")->isEnabled());
    s.trigger("remove_item");
    EXPECT_EQ(d->document().count(), 2);

    editDlg *single = documentWith(s, {{kind::CarriageReturn, CarriageReturnText, {}}});
    select(single, 0);
    s.dialogs->answerMessage(mb::Yes);
    s.trigger("remove_item");
    EXPECT_EQ(single->document().count(), 0);
    EXPECT_TRUE(single->document().boolDirty());
}

TEST(ItemCommands, FindSelectsEveryRowWithTheFoundText)
{
    Stencilry s;
    editDlg *d = documentWith(s, {{kind::Text, "Name", {}},
                                  {kind::Text, "Other", {}},
                                  {kind::Text, "Name", {}},
                                  {kind::Text, "Names", {}}});
    // Without a selection there is nowhere to start.
    s.dialogs->answerInput("na");
    s.trigger("find_item");
    EXPECT_TRUE(selectedRows(d).isEmpty());

    select(d, 0);
    s.frame->setFocus();
    s.dialogs->answerInput("na");
    QTest::keyClick(s.frame.get(), Qt::Key_F5);
    const DialogRecord &ask = s.dialogs->shown().back();
    EXPECT_EQ(ask.text, "Enter the name of an item to find.");
    EXPECT_EQ(ask.caption, "Find Item");
    EXPECT_EQ(selectedRows(d), (QList<int>{0, 2}));
    EXPECT_TRUE(d->listView()->hasFocus());
    EXPECT_FALSE(d->document().boolDirty());

    // The search starts at the selected row and goes round to the top.
    select(d, 3);
    s.dialogs->answerInput("NAME");
    s.trigger("find_item");
    EXPECT_EQ(selectedRows(d), (QList<int>{3}));
    EXPECT_EQ(d->selectedRow(), 3);
    select(d, 3);
    s.dialogs->answerInput("oth");
    s.trigger("find_item");
    EXPECT_EQ(selectedRows(d), (QList<int>{1}));
    EXPECT_EQ(d->selectedRow(), 1);

    s.dialogs->answerInput("nowhere");
    s.trigger("find_item");
    EXPECT_TRUE(selectedRows(d).isEmpty());
    s.dialogs->answerInput("");
    select(d, 1);
    s.trigger("find_item");
    EXPECT_EQ(selectedRows(d), (QList<int>{1}));
}

TEST(ItemCommands, RightClickShowsTheItemMenuWithEditAsDefault)
{
    Stencilry s;
    editDlg *d = documentWith(s, {{kind::Text, "a", {}}});
    QTreeView *list = d->listView();
    list->clearSelection();
    const QPoint below = list->viewport()->rect().center() + QPoint(0, 40);
    QStringList entries;
    bool editEnabled = true, removeEnabled = true, bold = false;
    const auto look = [&](QWidget *popup) {
        auto *menu = qobject_cast<QMenu *>(popup);
        ASSERT_NE(menu, nullptr);
        entries.clear();
        for (QAction *a : menu->actions())
            entries << a->objectName();
        editEnabled = d->action("edit_item")->isEnabled();
        removeEnabled = d->action("remove_item")->isEnabled();
        bold = menu->defaultAction() == d->action("edit_item");
        menu->close();
    };
    whenPopup(look);
    rightClick(list, below);
    EXPECT_EQ(entries, (QStringList{"insert_text", "insert_crlf", "insert_input", "insert_open",
                                    "dumb3", "insert_file", "dumb4", "edit_item", "remove_item",
                                    "dumb5", "find_item"}));
    EXPECT_FALSE(editEnabled);
    EXPECT_FALSE(removeEnabled);
    EXPECT_TRUE(bold);
    // The menu bar's copy of the menu has no default entry.
    EXPECT_EQ(d->menus()[2]->defaultAction(), nullptr);

    // A right press on a row selects it first, so Edit and Remove are offered.
    whenPopup(look);
    rightClick(list, list->visualRect(d->model()->index(0, 0)).center());
    EXPECT_TRUE(editEnabled);
    EXPECT_TRUE(removeEnabled);

    // A left click or other buttons bring up no menu.
    QWidget *top = list->window();
    QTest::mouseClick(top->windowHandle(), Qt::MiddleButton, {},
                      list->viewport()->mapTo(top, below));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST(ItemCommands, EditAndRemoveFollowTheSelectionSoEnterAndDelWork)
{
    Stencilry s;
    editDlg *d =
        documentWith(s, {{kind::Text, "a", {}}, {kind::Text, "b", {}}, {kind::Text, "c", {}}});
    // The menu opened once with nothing selected must not leave the commands off.
    d->listView()->clearSelection();
    emit s.frame->menuBar()->actions()[2]->menu()->aboutToShow();
    EXPECT_FALSE(s.command("remove_item")->isEnabled());
    select(d, 1);
    EXPECT_TRUE(s.command("remove_item")->isEnabled());
    EXPECT_TRUE(s.command("edit_item")->isEnabled());
    s.dialogs->answerMessage(mb::Yes);
    QTest::keyClick(d->listView(), Qt::Key_Delete);
    EXPECT_EQ(texts(d), (QStringList{"a", "c"}));

    // Enter and the keypad's Enter on a row edit it.
    select(d, 0);
    s.dialogs->answerInput("A");
    QTest::keyClick(d->listView(), Qt::Key_Return);
    s.dialogs->answerInput("AA");
    QTest::keyClick(d->listView(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(texts(d), (QStringList{"AA", "c"}));
}

TEST(ItemCommands, TheListSelectsOneRowAtATime)
{
    Stencilry s;
    editDlg *d =
        documentWith(s, {{kind::Text, "a", {}}, {kind::Text, "b", {}}, {kind::Text, "c", {}}});
    QTreeView *list = d->listView();
    const auto rowCentre = [list](int row) {
        return list->visualRect(list->model()->index(row, 0)).center();
    };
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier, rowCentre(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(1));
    EXPECT_EQ(list->selectionModel()->selectedRows().size(), 1);
    s.dialogs->answerMessage(mb::Yes);
    s.trigger("remove_item");
    EXPECT_EQ(d->document().count(), 2);
}
