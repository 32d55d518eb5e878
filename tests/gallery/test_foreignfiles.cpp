#include "gallerytestsupport.h"

#include <QBuffer>
#include <QImage>
#include <QRandomGenerator>

using namespace qs;
using namespace qs::test;

namespace {

QByteArray randomBytes(qsizetype size)
{
    QRandomGenerator random(1997);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &c : bytes)
        c = static_cast<char>(random.bounded(256));
    return bytes;
}

QByteArray smallJpeg()
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "JPEG"));
    return bytes;
}

QByteArray utf16(const QByteArray &utf8)
{
    const QString text = QString::fromUtf8(utf8);
    return QByteArray("\xFF\xFE", 2) +
           QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
}

const char *const NotText =
    "it is not a text file; it holds control bytes such as NUL, as a picture or a program does.";
const char *const NoSection =
    "it has neither a [Clipart Gallery] nor a [Folder1] section, so it holds no gallery.";

} // namespace

// A picture, a program or someone's letter opened by mistake is said to be no gallery, opens
// untitled, and a save after an edit asks for a name instead of writing over it.
TEST(ForeignFiles, AreRefusedAndNeverWrittenOver)
{
    const struct
    {
        const char *what;
        QByteArray bytes;
        const char *reason;
    } cases[] = {
        {"random bytes", randomBytes(4096), NotText},
        {"a JPEG picture", smallJpeg(), NotText},
        {"a letter", crlf({"Dear Ann,", "", "the holiday pictures are in the folder.", "Bob"}),
         NoSection},
        {"settings of another program", "[Window]\nName=Main\nWidth=640\n", NoSection},
        {"a gallery saved as UTF-16", utf16(holidayGallery()),
         "it is UTF-16 text, which a gallery never is."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        GalleryWindow w;
        const QString path = testHome() + "/picture.gal";
        ASSERT_TRUE(writeAll(path, c.bytes));
        w.dialogs->answerMessage(mb::No).answerOpen(path).answerMessage(mb::Ok);
        w.trigger("file_open");
        ASSERT_EQ(w.dialogs->shown().size(), 3u);
        EXPECT_EQ(w.dialogs->shown()[2].text,
                  "The file is not a gallery.\r\n\r\nFile: " + shownPath(path) +
                      "\r\nReason: " + c.reason +
                      "\r\n\r\nIt stays as it is; an untitled gallery is shown instead.");
        EXPECT_EQ(w.dialogs->shown()[2].icon, mb::Critical);
        EXPECT_EQ(w.window->currentFilePath(), QString());
        EXPECT_EQ(w.nodeTexts(), QStringList{"Untitled Gallery"});

        w.dialogs->clear();
        w.dialogs->answerInput("Plants").answerInput("plants");
        w.trigger("new_cat");
        const QString other = testHome() + "/plants.gal";
        w.dialogs->answerSave(other);
        w.trigger("file_save");
        ASSERT_EQ(w.dialogs->shown().size(), 3u);
        EXPECT_EQ(w.dialogs->shown()[2].kind, DialogKind::Save);
        EXPECT_EQ(w.dialogs->shown()[2].options.fileName, QString());
        EXPECT_EQ(readAll(path), c.bytes);
        EXPECT_TRUE(readAll(other).contains("Folder=\\plants\r\n"));
    }
}

// Galleries written by hand, on Windows or elsewhere, and empty files open as they always did.
TEST(ForeignFiles, HandWrittenAndEmptyGalleriesStillOpen)
{
    const struct
    {
        const char *what;
        QByteArray bytes;
        QStringList nodes;
    } cases[] = {
        {"an empty file", "", {"Untitled Gallery"}},
        {"blank lines after a BOM", "\xEF\xBB\xBF\r\n  \r\n", {"Untitled Gallery"}},
        {"Windows-1252 with CR LF",
         "[Clipart Gallery]\r\nName=Caf\xE9\r\nNumFolders=1\r\n\r\n[Folder1]\r\nName=D\xFC"
         "rer\r\nFolder=\\art\r\nNumItems=0\r\n",
         {"Caf\u00e9", "D\u00fcrer"}},
        {"a BOM and LF alone, other letter case",
         "\xEF\xBB\xBF[clipart gallery]\nname=Holiday\nnumfolders=1\n[folder1]\nname=Animals\n",
         {"Holiday", "Animals"}},
        {"only the header", "[Clipart Gallery]\r\n", {"Untitled Gallery"}},
        {"only a category section",
         "; made by hand\n[Folder1]\nName=Animals\n",
         {"Untitled Gallery"}},
        {"a header with a NUL in a value",
         QByteArray("[Clipart Gallery]\r\nName=A") + '\0' + "B\r\n",
         {"A"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        GalleryWindow w;
        const QString path = testHome() + "/hand.gal";
        ASSERT_TRUE(writeAll(path, c.bytes));
        w.open(path);
        EXPECT_EQ(w.dialogs->messages().size(), 1); // the save question only
        EXPECT_EQ(w.window->currentFilePath(), path);
        EXPECT_EQ(w.nodeTexts(), c.nodes);
    }
}
