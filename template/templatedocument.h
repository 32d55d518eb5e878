#pragma once

#include "templateitem.h"
#include "templaterows.h"

#include <QByteArrayView>
#include <QString>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QUndoStack;

namespace qs::stencil {

// What a file routine leaves for the window to tell the user.
struct FileResult
{
    // NotATemplate: the file holds lines that are no part of a template; what came before is read.
    // Kept: the user chose not to save.
    enum Status { Done, NeedsName, ReadStopped, NotATemplate, SaveFailed, Kept };
    Status status = Done;
    QString file;
    ReadStop stop; // ReadStopped, NotATemplate: where; SaveFailed: stop.reason says why
    bool pathForgotten = false; // Open read only part of the file and dropped its name
    // The message for ReadStopped, NotATemplate and SaveFailed.
    QString message() const;
};

// Runs of 0-based rows, each a first row and a count, in ascending order.
using RowRuns = std::vector<std::pair<int, int>>;

// A file read but not yet in a document: its text, its rows and where they go.
struct FileRead
{
    FileResult result;
    StoredText text;
    std::vector<StoredRow> rows; // pointing into text
    RowRuns runs;
};

// Told about changes of the rows, so that a model over them can follow.
class RowObserver
{
public:
    virtual ~RowObserver() = default;
    // 0-based rows first..last are about to appear.
    virtual void rowsAboutToBeInserted(int first, int last) = 0;
    virtual void rowsInserted() = 0;
    virtual void rowsAboutToBeReset() = 0;
    virtual void rowsReset() = 0;
    virtual void rowsAboutToBeRemoved(int first, int last) = 0;
    virtual void rowsRemoved() = 0;
    // Row from is about to go to the place before the row now at `before`.
    virtual void rowAboutToBeMoved(int from, int before) = 0;
    virtual void rowMoved() = 0;
    virtual void rowChanged(int row) = 0;
};

// A field is one line of the file: a line break typed or pasted into it would split the item.
TemplateItem oneLine(TemplateItem item);

// One open template: its rows in list order, its title (the full path, or "Untitled") and its
// changed flag. Widget-free; the windows show it through TemplateModel.
// Every change goes through the undo stack as one step, and the changed flag follows the stack:
// back at the state last saved or opened, nothing is changed.
class TemplateDocument
{
public:
    TemplateDocument();
    ~TemplateDocument();
    TemplateDocument(const TemplateDocument &) = delete;
    TemplateDocument &operator=(const TemplateDocument &) = delete;

    // Every row decoded: for small documents and checks; the windows ask for one at a time.
    std::vector<TemplateItem> rows() const;
    TemplateItem item(int row) const { return m_texts.item(m_rows[static_cast<size_t>(row)]); }
    int kindAt(int row) const { return m_rows[static_cast<size_t>(row)].kind; }
    // Field 0 (the text) or 1 to 3 (the tags) of the 0-based row, at most limit characters.
    QString field(int row, int field, qsizetype limit = -1) const
    {
        return m_texts.field(m_rows[static_cast<size_t>(row)], field, limit);
    }
    int count() const { return static_cast<int>(m_rows.size()); }
    const QString &title() const { return m_title; }
    bool isUntitled() const { return m_title == UntitledTitle; }
    // The title as the user reads it: "Untitled" in the user's language.
    QString shownTitle() const;

    // Adds a row at the end, as the item commands do; the step is named after its kind.
    void append(TemplateItem item);
    // Puts item in the place of the 0-based row, which must exist.
    void replace(int row, TemplateItem item);
    // Takes the 0-based row out; the rows after it move up. step names the undo step.
    void remove(int row, const QString &step = {});
    // Puts items in at the 0-based row, moving the rows there down, as one step.
    void insertItems(int row, std::vector<TemplateItem> items, const QString &step);
    // Moves the 0-based row to the place before the row now at `before` (count(): the end).
    // Returns the row's new place; nothing happens, and no step is taken, when it stays.
    int moveRow(int from, int before, const QString &step = {});
    int moveUp(int row);
    int moveDown(int row);
    // The first 0-based row from `from` on, continuing at the top, whose text begins with
    // prefix without regard to case; -1 when none does.
    int findItem(const QString &prefix, int from) const;
    // The 0-based rows whose text equals text exactly.
    std::vector<int> rowsWithText(const QString &text) const;

    // The reading loop over a file's bytes: each block goes in at the position counted from 1
    // by the blocks and other lines read so far, moving the rows there down. What was read
    // before an error stays; the stop says where and why.
    std::optional<ReadStop> ReadTemplate(QByteArrayView bytes);
    // Takes path as the title and reads it. A file that does not exist gives an empty document;
    // one read only in part, or one that is not only a template, leaves the rows read before
    // the trouble and the title "Untitled", so that a later save cannot replace the file with
    // less than it held.
    FileResult OpenDocument(const QString &path);
    // Reads path's items into the top of the rows; the title stays.
    FileResult InsertTemplateFile(const QString &path);
    // The same in two halves: the reading, which changes nothing and so may run on another
    // thread while the document stays as it is, and the change, as one undo step.
    FileRead readForInsert(const QString &path) const;
    FileResult insertRead(FileRead read);
    // Writes the rows to the file named by the title, replacing it atomically; NeedsName for
    // an untitled document.
    FileResult SaveDocument();
    // Only the writing, which changes nothing: markSaved() after a Done.
    FileResult writeDocument() const;
    // The characters a save would write as "?", each once: see UnstorableFinder.
    std::vector<char32_t> unstorableCharacters() const;
    void setTitle(const QString &path) { m_title = path; }
    // Takes path as the title, then saves.
    FileResult SaveDocumentAs(const QString &path);

    // Takes other's rows, title and changed flag in place of its own, as if it had read them;
    // there is nothing to undo afterwards.
    void replaceWith(TemplateDocument &&other);

    void setObserver(RowObserver *observer) { m_observer = observer; }

    QUndoStack *undoStack() const { return m_undo.get(); }
    // True when the rows differ from the file, or a command marked the document changed.
    bool boolDirty() const;
    // Marks the document changed without a step, as a cancelled prompt editor does; the mark
    // lasts until the next step, undo, redo or save.
    void markChanged();
    // Takes the present state as the one saved.
    void markSaved();

private:
    friend class RowsStep;
    friend class ReplaceStep;
    friend class MoveStep;

    // The raw changes the undo steps make; each tells the observer.
    void insertRuns(const RowRuns &runs, std::vector<StoredRow> &items);
    std::vector<StoredRow> takeRuns(const RowRuns &runs);
    void swapRow(int row, StoredRow &item);
    void moveRaw(int from, int before);

    // wholeTemplate: reading stops at the first line no template holds, and says so in foreign;
    // the rows read are the state opened. Otherwise they come in as one step of the undo stack.
    FileRead read(QByteArray bytes, bool wholeTemplate) const;
    FileRead readFile(const QString &path, bool wholeTemplate) const;
    FileResult take(FileRead read, bool wholeTemplate);

    RowTexts m_texts;
    std::vector<StoredRow> m_rows;
    QString m_title = UntitledTitle;
    RowObserver *m_observer = nullptr;
    std::unique_ptr<QUndoStack> m_undo;
    bool m_marked = false;
};

} // namespace qs::stencil
