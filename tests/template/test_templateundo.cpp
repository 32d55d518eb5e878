#include "templatedocsupport.h"

#include "templatemodel.h"

#include <QAbstractItemModelTester>
#include <QUndoStack>

using namespace qs;
using namespace qs::stencil;
using namespace qs::test;

namespace {

QStringList shown(const TemplateModel &model)
{
    QStringList out;
    for (int row = 0; row < model.rowCount(); ++row)
        out << model.index(row, 0).data().toString();
    return out;
}

struct Change
{
    const char *name;
    std::function<void(TemplateDocument &)> act;
    const char *step;
    QStringList after;
};

} // namespace

// Each change is one step: undo gives the rows back as they were, redo the change again, and the
// model over the rows follows every time.
TEST(TemplateUndo, EveryChangeIsOneStepThatUndoesAndRedoes)
{
    const QString file = testHome() + "/insert.htp";
    // The stray line keeps one existing row between the inserted ones.
    writeAll(file, crlf({"{{F1", "stray", "{{F2", ""}));
    const QStringList start{"a", "b", "c"};
    const std::vector<Change> changes = {
        {"text",
         [](TemplateDocument &d) { d.append(text("new")); },
         "Insert Text",
         {"a", "b", "c", "new"}},
        {"carriage return",
         [](TemplateDocument &d) {
             d.append({kind::CarriageReturn, CarriageReturnText, {}});
         },
         "Insert Carriage Return",
         {"a", "b", "c", CarriageReturnText}},
        {"input",
         [](TemplateDocument &d) {
             d.append({kind::InputDialog, "q", {"<b>", "</b>"}});
         },
         "Insert Input Dialog",
         {"a", "b", "c", "q"}},
        {"open",
         [](TemplateDocument &d) {
             d.append({kind::OpenDialog, "o", {"*|*", "[", "]"}});
         },
         "Insert Open Dialog",
         {"a", "b", "c", "o"}},
        {"edit",
         [](TemplateDocument &d) { d.replace(1, text("B")); },
         "Edit Item",
         {"a", "B", "c"}},
        {"remove", [](TemplateDocument &d) { d.remove(0); }, "Remove Item", {"b", "c"}},
        {"paste",
         [](TemplateDocument &d) {
             d.insertItems(1, {text("p"), text("q")}, "Paste");
         },
         "Paste",
         {"a", "p", "q", "b", "c"}},
        {"up", [](TemplateDocument &d) { EXPECT_EQ(d.moveUp(2), 1); }, "Move Up", {"a", "c", "b"}},
        {"down",
         [](TemplateDocument &d) { EXPECT_EQ(d.moveDown(0), 1); },
         "Move Down",
         {"b", "a", "c"}},
        {"drag",
         [](TemplateDocument &d) { EXPECT_EQ(d.moveRow(0, 3), 2); },
         "Move Item",
         {"b", "c", "a"}},
        {"insert file",
         [&](TemplateDocument &d) {
             EXPECT_EQ(d.InsertTemplateFile(file).status, FileResult::Done);
         },
         "Insert File",
         {"F1", "a", "F2", "b", "c"}},
    };
    for (const Change &c : changes) {
        SCOPED_TRACE(c.name);
        TemplateDocument doc;
        TemplateModel model(doc, nullptr);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::Warning);
        for (const QString &t : start)
            doc.append({kind::Text, t, {}});
        doc.markSaved();
        const std::vector<TemplateItem> before = doc.rows();

        c.act(doc);
        EXPECT_EQ(texts(doc), c.after);
        EXPECT_EQ(shown(model), c.after);
        EXPECT_TRUE(doc.boolDirty());
        EXPECT_EQ(doc.undoStack()->undoText(), c.step);
        EXPECT_EQ(doc.undoStack()->count(), 4);
        const std::vector<TemplateItem> after = doc.rows();

        doc.undoStack()->undo();
        EXPECT_EQ(doc.rows(), before);
        EXPECT_EQ(shown(model), start);
        EXPECT_FALSE(doc.boolDirty());

        doc.undoStack()->redo();
        EXPECT_EQ(doc.rows(), after);
        EXPECT_EQ(shown(model), c.after);
        EXPECT_TRUE(doc.boolDirty());
    }
}

TEST(TemplateUndo, TheChangedFlagFollowsTheSavedState)
{
    const QString path = testHome() + "/flag.htp";
    TemplateDocument doc;
    EXPECT_FALSE(doc.boolDirty());
    doc.append(text("one"));
    EXPECT_EQ(doc.SaveDocumentAs(path).status, FileResult::Done);
    EXPECT_FALSE(doc.boolDirty());
    const QByteArray saved = readAll(path);

    doc.append(text("two"));
    EXPECT_TRUE(doc.boolDirty());
    doc.undoStack()->undo();
    EXPECT_FALSE(doc.boolDirty()); // back at what was saved
    doc.undoStack()->undo();
    EXPECT_TRUE(doc.boolDirty());    // before the save is a change too
    EXPECT_EQ(readAll(path), saved); // an undo leaves the file alone
    doc.undoStack()->redo();
    EXPECT_FALSE(doc.boolDirty());

    // A new step drops what could be redone.
    doc.append(text("three"));
    doc.undoStack()->undo();
    EXPECT_TRUE(doc.undoStack()->canRedo());
    doc.append(text("four"));
    EXPECT_FALSE(doc.undoStack()->canRedo());
    EXPECT_EQ(texts(doc), (QStringList{"one", "four"}));

    // A mark without a step, as a cancelled editor leaves, lasts until the stack moves.
    doc.undoStack()->undo();
    EXPECT_FALSE(doc.boolDirty());
    doc.markChanged();
    EXPECT_TRUE(doc.boolDirty());
    doc.undoStack()->redo();
    doc.undoStack()->undo();
    EXPECT_FALSE(doc.boolDirty());
}

// Whatever comes in, a field stays one line, so that the file keeps one field a line.
TEST(TemplateUndo, EveryWayInKeepsAFieldOneLine)
{
    const TemplateItem broken{kind::OpenDialog, "a\r\nb", {"c\nd", "e\rf", "g"}};
    const TemplateItem flat{kind::OpenDialog, "a  b", {"c d", "e f", "g"}};
    TemplateDocument doc;
    doc.append(broken);
    doc.insertItems(0, {broken}, "Paste");
    doc.append(text("x"));
    doc.replace(2, broken);
    for (const TemplateItem &item : doc.rows())
        EXPECT_EQ(item, flat);
}
