#include "templatetestsupport.h"

#include "imagelist.h"
#include "pictures.h"
#include "templatemodel.h"

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

TEST(TemplateModel, ShowsTheStartOfAHugeFieldAndKeepsAllOfIt)
{
    TemplateDocument doc;
    TemplateModel model(doc, nullptr);
    const QString huge(200'000, QLatin1Char('w'));
    doc.append({kind::Text, huge, {}});
    EXPECT_EQ(model.index(0, 0).data().toString().size(), TemplateModel::DisplayLimit);
    EXPECT_EQ(doc.rows()[0].text, huge);
}
