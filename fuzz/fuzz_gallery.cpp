// Feeds arbitrary bytes to the gallery editor's Open, on the document and the models the window
// shows, then lists every category as a click in the tree would and writes the result back: any
// input must give a gallery or a message, never a crash, a hang or an escaped exception. Inputs
// that would build more than a few hundred entries are passed over (see buildsTooMuch).
#include "categorytreemodel.h"
#include "gallerydocument.h"
#include "galleryfile.h"
#include "itemlistmodel.h"
#include "profilefile.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

struct Harness
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("fuzz.gal"));
    qs::ImageList images;
    qs::gallery::GalleryDocument document;
    qs::gallery::CategoryTreeModel tree{&document, &images, nullptr};
    qs::gallery::ItemListModel list{&document, &images, nullptr};
};

Harness *harness = nullptr;

// Whether opening the input would build more than 128 categories or items. A valid gallery of
// up to a million items opens in a second in the product, but takes seconds under the
// sanitizers, and the fuzzer keeps such inputs, since every further item reaches new counts of
// the same loops: they held it at half its rate. The counts are read as the reader reads them
// (the same index, the same number rules), so that no spelling of a count gets past the bound.
// Claims the reader refuses outright (past its caps, or not numbers) stay in, since those are
// cheap.
bool buildsTooMuch(QByteArrayView input)
{
    constexpr long long Bound = 128;
    const qs::ProfileFile file = qs::ProfileFile::fromBytes(input.toByteArray());
    const auto count = [&file](const QString &section, const QString &key) {
        return qs::gallery::parseCount(file.getString(section, key, u"0"));
    };
    const auto folders = count(QStringLiteral("Clipart Gallery"), QStringLiteral("NumFolders"));
    if (!folders || *folders > qs::gallery::MaxCount)
        return false;
    if (*folders > Bound)
        return true;
    long long items = 0;
    for (long long n = 1; n <= *folders; ++n) {
        const auto claimed = count(QStringLiteral("Folder%1").arg(n), QStringLiteral("NumItems"));
        if (!claimed || *claimed > qs::gallery::MaxCount)
            return false; // the reader stops at this section
        items += std::max(*claimed, 0LL);
        if (items > qs::gallery::MaxTotalItems)
            return false;
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
    new QGuiApplication(*argc, *argv);
    harness = new Harness;
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
    qs::gallery::GalleryDocument &document = harness->document;
    const qs::gallery::Result opened = document.open(harness->path);
    if (!opened.ok() && !opened.hasMessage())
        __builtin_trap(); // a failure the user would not be told of
    const int categories = document.categoryCount();
    for (int k = 1; k <= categories && k <= 64; ++k) {
        harness->tree.setCurrentCategory(k);
        harness->list.setCategory(k);
        for (int row = 0; row < harness->list.rowCount(); ++row)
            harness->list.data(harness->list.index(row, 0));
    }
    harness->list.setCategory(0);
    // What was read must save as a well-formed gallery.
    document.saveAs(harness->path + QStringLiteral(".saved.gal"));
    QFile written(harness->path + QStringLiteral(".saved.gal"));
    if (!written.open(QIODevice::ReadOnly) ||
        !written.readAll().startsWith("[Clipart Gallery]\r\n"))
        __builtin_trap();
    return 0;
}
