#include "templatetestsupport.h"

#include "imagelist.h"
#include "pictures.h"
#include "templatemodel.h"
#include "textcodec.h"

#include <QAbstractItemModelTester>
#include <QImage>
#include <QSignalSpy>

using namespace qs;
using namespace qs::stencil;
using namespace qs::test;

namespace {
ImageList itemImages()
{
    ImageList images;
    for (Picture p :
         {Picture::OpenBook, Picture::ArrowLeft, Picture::QuestionBalloon, Picture::FloppyDisk})
        images.add(picture(p));
    return images;
}

QImage imageOf(const QVariant &decoration)
{
    return decoration.value<QIcon>().pixmap(16, 16).toImage();
}
} // namespace

TEST(TemplateModel, ShowsEveryKindsFieldsPictureAndHeaders)
{
    const ImageList images = itemImages();
    TemplateDocument doc;
    TemplateModel model(doc, &images);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    for (TemplateItem item : everyKind())
        doc.append(std::move(item));

    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.columnCount(), 4);
    QStringList headers;
    for (int c = 0; c < 4; ++c)
        headers << model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    EXPECT_EQ(headers, (QStringList{"Item", "Tag 1", "Tag 2", "Tag 3"}));

    const auto cell = [&](int r, int c) { return model.index(r, c).data().toString(); };
    EXPECT_EQ(cell(1, 0), "(Carriage Return)");
    EXPECT_EQ(cell(2, 0), "Your name?");
    EXPECT_EQ(cell(2, 1), "<b>");
    EXPECT_EQ(cell(2, 3), "");
    EXPECT_EQ(cell(3, 1), "Pictures|*.gif|");
    EXPECT_EQ(cell(3, 3), "\">");

    // Four pictures, told apart, one per kind, in the first column only.
    QList<QImage> seen;
    for (int r = 0; r < 4; ++r) {
        const QImage image = imageOf(model.index(r, 0).data(Qt::DecorationRole));
        ASSERT_FALSE(image.isNull());
        for (const QImage &other : seen)
            EXPECT_NE(image, other) << "row " << r;
        seen << image;
        EXPECT_FALSE(model.index(r, 1).data(Qt::DecorationRole).isValid());
    }
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
}

TEST(TemplateModel, FollowsReadsIntoEmptyAndFilledDocuments)
{
    TemplateDocument doc;
    TemplateModel model(doc, nullptr);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    doc.ReadTemplate(crlf({"{{a", "{{b", ""}));
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 0);
    EXPECT_EQ(inserted[0][2].toInt(), 1);

    // On top of existing rows: one block of new rows at the top.
    doc.ReadTemplate(crlf({"{{c", ""}));
    ASSERT_EQ(inserted.size(), 2);
    EXPECT_EQ(inserted[1][1].toInt(), 0);
    EXPECT_EQ(inserted[1][2].toInt(), 0);

    // New rows between old ones come as a reset; a file adding nothing changes nothing.
    doc.ReadTemplate(crlf({"{{d", "x", "{{e"}));
    EXPECT_EQ(reset.size(), 1);
    doc.ReadTemplate(crlf({"x", "y"}));
    EXPECT_EQ(reset.size(), 1);
    EXPECT_EQ(inserted.size(), 2);
    QStringList shown;
    for (int r = 0; r < model.rowCount(); ++r)
        shown << model.index(r, 0).data().toString();
    EXPECT_EQ(shown, (QStringList{"d", "c", "e", "a", "b"}));
}

// A field is shown only as far as the list can show it, however it came in: typed, or read
// from a file in UTF-8 (characters of two, three and four bytes) or Windows-1252.
TEST(TemplateModel, ShowsTheStartOfAHugeFieldAndKeepsAllOfIt)
{
    const QString mixed =
        QString::fromUtf8("w\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80").repeated(50'000);
    const QString latin = QString::fromUtf8("caf\xC3\xA9 ").repeated(50'000);
    const struct
    {
        const char *name;
        QByteArray file; // empty: the item is typed
        int column;
        QString field;
    } cases[] = {
        {"typed", {}, 0, QString(200'000, QLatin1Char('w'))},
        {"UTF-8 text", "{{" + mixed.toUtf8() + "\r\n", 0, mixed},
        {"UTF-8 tag", "{[\r\nName?\r\n" + mixed.toUtf8() + "\r\n</b>\r\n", 1, mixed},
        {"Windows-1252 text", "{{" + *encodeWindows1252(latin) + "\r\n", 0, latin},
    };
    for (const auto &[name, file, column, field] : cases) {
        SCOPED_TRACE(name);
        TemplateDocument doc;
        TemplateModel model(doc, nullptr);
        if (file.isEmpty())
            doc.append({kind::Text, field, {}});
        else
            doc.ReadTemplate(file);
        ASSERT_EQ(doc.count(), 1);
        EXPECT_EQ(model.index(0, column).data().toString(),
                  field.left(TemplateModel::DisplayLimit));
        EXPECT_EQ(doc.field(0, column), field);
    }
}
