#pragma once

#include "galleryobjects.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class QUndoStack;

namespace qs::gallery {

class GalleryCommand;

// What an operation of the document came to: done, refused without a word, or refused or
// finished with a message for the user (its text, message-box style and caption).
class Result
{
public:
    static Result done() { return Result(true); }
    static Result refused() { return Result(false); }
    static Result message(QString text, int style = 0, QString caption = {}, bool ok = false)
    {
        Result r(ok);
        r.m_text = std::move(text);
        r.m_style = style;
        r.m_caption = std::move(caption);
        return r;
    }

    // A question the caller asks (its text, buttons and caption) before it calls again with
    // the answer.
    static Result question(QString text, int style, QString caption)
    {
        Result r = message(std::move(text), style, std::move(caption));
        r.m_question = true;
        return r;
    }

    bool ok() const { return m_ok; }
    bool isQuestion() const { return m_question; }
    bool hasMessage() const { return !m_text.isEmpty(); }
    const QString &text() const { return m_text; }
    int style() const { return m_style; }
    const QString &caption() const { return m_caption; }

private:
    explicit Result(bool ok)
        : m_ok(ok)
    {
    }
    bool m_ok;
    bool m_question = false;
    QString m_text;
    int m_style = 0;
    QString m_caption;
};

// The one open gallery with its file path and the rules of every command that changes it.
// Categories are addressed by position (1..count), items by position within their category.
// Every change is a step on the undo stack; the signals let item models follow each change,
// done, undone or redone.
class GalleryDocument : public QObject
{
    Q_OBJECT

public:
    static inline const QString CategoryNotFound = QStringLiteral("Error:  Could not find folder.");
    static inline const QString PathExists = QStringLiteral("Path already exists.");

    explicit GalleryDocument(QObject *parent = nullptr);

    const Gallery &gallery() const { return m_gallery; }
    const QString &name() const { return m_gallery.Name; }
    int categoryCount() const { return m_gallery.Folders.Count(); }
    // Null outside 1..count.
    const Folder *category(int k) const;
    // Whether the gallery differs from what New, Open or the last successful save left: undoing
    // back to that point leaves nothing to save.
    bool isChanged() const;
    QUndoStack *undoStack() const { return m_undo; }
    // Empty while the gallery has no file.
    const QString &filePath() const { return m_filePath; }
    // The node path the status bar shows: the gallery name, then "\" and the category name.
    QString fullPath(int k) const;

    // The items a list of category k can show: those before the first one whose picture file
    // an earlier item already uses (possible in a file written by another program), and that
    // file name, or an empty one when all items can be shown.
    int listableItemCount(int k, QString *duplicate = nullptr) const;

    // An empty "Untitled Gallery" without a file.
    void reset();
    // A gallery read from a file and not yet the document's, so that the reading can run on
    // another thread: what was read, the path it keeps and the message for the user.
    struct FileRead
    {
        Gallery gallery;
        QString path;
        Result result = Result::done();
    };
    static FileRead read(const QString &path);
    // Takes what read() got in place of the gallery, as one reset with nothing to undo.
    Result take(FileRead read);
    // Reads path into a reset document; what a partial read got stays, without the path.
    Result open(const QString &path);
    // Writes to the current file; an untitled document is refused (the caller asks for a name).
    Result save();
    // Only the writing of save(), which changes nothing: markSaved() after a success.
    Result write() const;
    // The characters write() would store as "?".
    std::vector<char32_t> unstorableCharacters() const;
    void markSaved();
    void setFilePath(const QString &path) { m_filePath = path; }
    // The path becomes the document's file, whether or not the write succeeds.
    Result saveAs(const QString &path);
    // The gallery's name; an empty one is refused.
    Result rename(const QString &name);

    Result addCategory(const QString &name, const QString &typedPath);
    Result editCategory(int k, const QString &name, const QString &typedPath);
    Result removeCategory(int k);

    Result addItem(int k, const QString &title, const QString &fileName);
    Result editItem(int k, int j, const QString &title, const QString &fileName);
    Result removeItem(int k, int j);
    Result retitleItem(int k, int j, const QString &title);
    // Add Multiple as one step: each name becomes an item titled with it, up to the first name
    // the category has already; those before it stay.
    Result addMultiple(int k, const QStringList &names);

    // Puts items into category k from position j (count + 1 for the end) as one step called
    // step. A file the category has already is left out, and the result says how many were.
    Result insertItems(int k, int j, const QList<Clipart> &items, const QString &step);
    // Puts categories, with their items, from position k on as one step called step; one whose
    // folder path is used already is left out, and the result says how many were.
    Result insertCategories(int k, const QList<CategoryCopy> &categories, const QString &step);
    // Takes out item j of category k, or category k itself when j is 0, as the step "Cut".
    Result cut(int k, int j);
    // Moves a category, or an item within its category, to position to; one step.
    Result moveCategory(int from, int to);
    Result moveItem(int k, int from, int to);
    CategoryCopy copyOf(int k) const;

    // The item after item j of category k (j 0: before the first) whose title or file name
    // contains text, whatever the case, going on through the later categories and round from
    // the first; only items the list can show count. False when no item contains it.
    bool findNext(const QString &text, int &k, int &j) const;

    // The host install folder, or nullopt when the host is absent.
    static std::optional<QString> hostFolder();
    enum class InstallMode { AskBeforeReplacing, Replace };
    // Writes a copy into the host's clipart folder as name + ".gal" and lists it in gallery.lst
    // unless it is listed already. A gallery installed under that name is replaced only in
    // Replace mode; otherwise the result is the question whether to replace it.
    Result install(const QString &clipartFolder, const QString &name,
                   InstallMode mode = InstallMode::AskBeforeReplacing) const;
    // Where the host keeps the picture of item j of category k.
    std::optional<QString> picturePath(const QString &hostFolder, int k, int j) const;

signals:
    // After any step of an edit, done, undone or redone, once the models have followed it.
    void edited();
    void aboutToReset();
    void wasReset();
    void nameChanged();
    void categoryAboutToBeAdded(int k);
    void categoryAdded(int k);
    void categoryChanged(int k);
    void categoryAboutToBeRemoved(int k);
    void categoryRemoved(int k);
    void itemAboutToBeAdded(int k, int j);
    void itemAdded(int k, int j);
    void itemChanged(int k, int j);
    void itemAboutToBeRemoved(int k, int j);
    void itemRemoved(int k, int j);
    void categoryAboutToBeMoved(int from, int to);
    void categoryMoved(int from, int to);
    void itemAboutToBeMoved(int k, int from, int to);
    void itemMoved(int k, int from, int to);

private:
    // The steps the undo commands take, each telling the models.
    friend class GalleryCommand;
    void insertCategoryStep(int k, std::unique_ptr<Folder> folder);
    std::unique_ptr<Folder> takeCategoryStep(int k);
    void insertItemStep(int k, int j, std::unique_ptr<Clipart> clip);
    std::unique_ptr<Clipart> takeItemStep(int k, int j);
    void swapNameStep(QString &name);
    void swapCategoryStep(int k, QString &name, QString &path);
    void swapItemStep(int k, int j, QString &title, QString &fileName);
    void moveCategoryStep(int from, int to);
    void moveItemStep(int k, int from, int to);

    Folder *folder(int k);
    // Item j of category k, decoded; nullopt when there is none.
    std::optional<Clipart> item(int k, int j) const;
    bool pathUsed(const QString &path, int except = 0) const;
    bool fileUsed(int k, const QString &fileName, int except = 0) const;

    Gallery m_gallery;
    QString m_filePath;
    QUndoStack *m_undo;
};

} // namespace qs::gallery
