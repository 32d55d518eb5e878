// Feeds arbitrary bytes to the gallery editor's Open command in a real main window, then lists
// every category as a click in the tree would and writes the result back: any input must give a
// gallery or the partial-read message, never a crash, a hang or an escaped exception. Inputs
// that would build more than a few hundred entries are passed over (see buildsTooMuch).
#include "categorytreemodel.h"
#include "dialogs.h"
#include "galleryfile.h"
#include "mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeView>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

// Answers No to the save question, OK to every message, opens the fuzzed file and saves beside it.
class OpenDialogs : public qs::Dialogs
{
public:
    explicit OpenDialogs(QString path)
        : Dialogs(QStringLiteral("Pictorium"))
        , m_path(std::move(path))
    {
    }
    QString inputBox(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> openFile(const qs::FileDialogOptions &) override { return m_path; }
    std::optional<QString> saveFile(const qs::FileDialogOptions &) override
    {
        return m_path + QStringLiteral(".saved.gal");
    }
    bool print(QPrinter &) override { return false; }

protected:
    int showMessage(const QString &, int style, const QString &) override
    {
        return (style & qs::mb::ButtonMask) == qs::mb::OkOnly ? qs::mb::Ok : qs::mb::No;
    }

private:
    QString m_path;
};

struct Harness
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("fuzz.gal"));
    std::unique_ptr<qs::gallery::frmMain> window;
};

Harness *harness = nullptr;

// The number a "key=value" line of text gives key (compared without case), or -1.
long long claimed(QByteArrayView line, QByteArrayView key)
{
    const qsizetype equals = line.indexOf('=');
    if (equals < 0 || line.first(equals).trimmed().compare(key, Qt::CaseInsensitive) != 0)
        return -1;
    bool ok = false;
    const long long n = line.sliced(equals + 1).trimmed().toLongLong(&ok);
    return ok ? n : -1;
}

// Whether opening the input would build more than 128 categories or items. A valid
// gallery of up to a million items opens in a second in the product, but takes seconds under
// the sanitizers, and the fuzzer keeps mutating such inputs: they would hold it at a fraction of
// its rate. Claims the reader refuses outright (past its caps) stay in, since those are cheap.
bool buildsTooMuch(QByteArrayView input)
{
    constexpr long long Bound = 128;
    long long items = 0;
    qsizetype pos = 0;
    while (pos < input.size()) {
        qsizetype end = pos;
        while (end < input.size() && input[end] != '\n' && input[end] != '\r')
            ++end;
        const QByteArrayView line = input.sliced(pos, end - pos);
        pos = end + 1;
        const long long folders = claimed(line, "NumFolders");
        if (folders > Bound && folders <= qs::gallery::MaxCount)
            return true;
        const long long count = claimed(line, "NumItems");
        if (count <= 0 || count > qs::gallery::MaxCount)
            continue;
        if (items + count > qs::gallery::MaxTotalItems)
            break; // the reader stops at this section
        items += count;
        if (items > Bound)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    harness = new Harness;
    harness->window =
        std::make_unique<qs::gallery::frmMain>(std::make_unique<OpenDialogs>(harness->path));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (buildsTooMuch(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size))))
        return -1; // not kept in the corpus
    {
        QFile f(harness->path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    qs::gallery::frmMain &window = *harness->window;
    window.action(QStringLiteral("file_open"))->trigger();
    auto *tree = window.findChild<QTreeView *>(QStringLiteral("TreeView1"));
    const int categories = window.document().categoryCount();
    for (int k = 1; k <= categories && k <= 64; ++k)
        tree->setCurrentIndex(window.treeModel()->categoryIndex(k));
    tree->setCurrentIndex(window.treeModel()->rootIndex());
    // What was read must save as a well-formed gallery.
    window.action(QStringLiteral("file_saveas"))->trigger();
    QFile written(harness->path + QStringLiteral(".saved.gal"));
    if (!written.open(QIODevice::ReadOnly) ||
        !written.readAll().startsWith("[Clipart Gallery]\r\n"))
        __builtin_trap();
    return 0;
}
