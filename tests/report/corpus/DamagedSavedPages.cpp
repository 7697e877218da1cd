#include "DamagedSavedPages.h"

#include "SamplePictures.h"

#include "report/SavedPages.h"

#include <QImage>
#include <QtEndian>

#include <bit>
#include <limits>

using report::EllipseItem;
using report::ImageItem;
using report::LineItem;
using report::RectItem;
using report::ReportDocument;
using report::ReportImage;
using report::TextItem;

namespace DamagedSavedPages {
namespace {

// Where the fields of a file lie: its magic, version and paper size, then the three counts of a
// document whose tables are empty.
constexpr qsizetype versionAt = 20;
constexpr qsizetype fontCountAt = 40;
constexpr qsizetype pictureCountAt = 44;
constexpr qsizetype pageCountAt = 48;
// In a document with one picture and nothing else.
constexpr qsizetype pictureFormatAt = 48;
constexpr qsizetype pictureLengthAt = 49;
// In a document with one page and nothing else.
constexpr qsizetype itemCountAt = 52;
constexpr qsizetype firstItemKindAt = 56;
// From the end of a document with one font and nothing else: the font's last fields, then the
// picture and page counts.
constexpr qsizetype styleFromEnd = 9;
constexpr qsizetype weightFromEnd = 11;
constexpr qsizetype pointSizeFromEnd = 19;
constexpr qsizetype familyLengthAt = 48;

template <class Value>
QByteArray patched(QByteArray bytes, qsizetype offset, Value value)
{
    if (offset >= 0 && offset + qsizetype(sizeof(Value)) <= bytes.size())
        qToLittleEndian(value, bytes.data() + offset);
    return bytes;
}

QByteArray patchedReal(const QByteArray &bytes, qsizetype offset, double value)
{
    return patched(bytes, offset, std::bit_cast<quint64>(value));
}

QFont font(const QString &family, qreal points, int weight = QFont::Normal, bool italic = false)
{
    QFont made(family, -1, weight, italic);
    made.setPointSizeF(points);
    return made;
}

ReportDocument withFont(const QFont &font)
{
    ReportDocument document;
    document.addFont(font);
    return document;
}

ReportDocument withPicture(const ReportImage &picture)
{
    ReportDocument document;
    document.addImage(picture);
    return document;
}

ReportDocument withItem(const report::PageItem &item, int fonts = 0, int pictures = 0)
{
    ReportDocument document;
    for (int i = 0; i < fonts; ++i)
        document.addFont(font(QStringLiteral("Arial"), 8 + i));
    for (int i = 0; i < pictures; ++i)
        document.addImage({ReportImage::Format::Png, written(gradient(2 + i, 2), "PNG")});
    document.addPage().items.push_back(item);
    return document;
}

// A file whose table lists the one entry of the given file twice: the table's count at countAt,
// its entry, then countsAfter bytes of the other counts.
QByteArray repeatedEntry(const QByteArray &oneEntry, qsizetype countAt, qsizetype countsAfter)
{
    const QByteArray entry = oneEntry.mid(countAt + 4, oneEntry.size() - countAt - 4 - countsAfter);
    return patched<quint32>(oneEntry.left(countAt + 4), countAt, 2) + entry + entry + oneEntry.right(countsAfter);
}

} // namespace

ReportDocument soundDocument()
{
    ReportDocument document;
    const int body = document.addFont(font(QStringLiteral("Arial"), 12));
    const int title = document.addFont(font(QStringLiteral("Comic Sans MS"), 10.5, QFont::Bold, true));
    QFont decorated = font(QStringLiteral("MS Sans Serif"), 8.25, QFont::Light);
    decorated.setUnderline(true);
    decorated.setStrikeOut(true);
    const int notes = document.addFont(decorated);
    const int fallback = document.addFont(QFont(QStringList{QStringLiteral("Liberation Serif"), QStringLiteral("Times New Roman")}, 9));
    const ReportImage photo{ReportImage::Format::Jpeg, written(gradient(40, 30), "JPG")};
    const ReportImage drawn{ReportImage::Format::Png, written(gradient(8, 8), "PNG")};

    auto &first = document.addPage().items;
    first.push_back(RectItem{QRectF(10, 10, 190, 20), 0xffffeedd});
    first.push_back(TextItem{QPointF(12.5, 24.25), title, 0xff800000, QStringLiteral("Crème brûlée à l'œuf")});
    first.push_back(TextItem{QPointF(12.5, 40), body, 0xff000000, QString()});
    first.push_back(LineItem{QLineF(10, 32, 200, 32), 0.5, 0xff0000ff});
    first.push_back(ImageItem{QRectF(97.4, 55, 80.7, 70.1), document.addImage(photo)});
    first.push_back(ImageItem{QRectF(-5, 280, 30, 30), document.addImage(drawn)});

    auto &second = document.addPage().items;
    second.push_back(TextItem{QPointF(-0.0, 297), notes, 0x80336699, QStringLiteral("Œufs à la neige — 4 personnes")});
    second.push_back(TextItem{QPointF(20, 50), fallback, 0xff000000, QStringLiteral("Ingrédients\t: sucre, lait")});
    second.push_back(ImageItem{QRectF(10, 60, 40, 30), document.addImage(photo)});
    second.push_back(LineItem{QLineF(210, 0, 0, 297), 0, 0xff000000});
    second.push_back(EllipseItem{QRectF(20.5, 60.25, 1.5, 1.5), 0xff202020});

    document.addPage();
    return document;
}

QList<Sample> all()
{
    using report::SavedPages::encode;
    const QByteArray sound = encode(soundDocument());
    const QByteArray empty = encode(ReportDocument());
    const QByteArray magic = sound.left(versionAt);
    const QByteArray onePicture = encode(withPicture({ReportImage::Format::Png, written(gradient(4, 4), "PNG")}));
    const QByteArray oneFont = encode(withFont(font(QStringLiteral("Arial"), 10)));
    ReportDocument emptyPage;
    emptyPage.addPage();
    const QByteArray onePage = encode(emptyPage);
    const QByteArray oneRect = encode(withItem(RectItem{QRectF(1, 2, 3, 4)}));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();

    return {
        {QStringLiteral("sound.pages"), sound, Outcome::Read},
        {QStringLiteral("nothing-printed.pages"), empty, Outcome::Read},
        {QStringLiteral("empty.pages"), {}, Outcome::Damaged},
        {QStringLiteral("magic-only.pages"), magic, Outcome::Damaged},
        {QStringLiteral("magic-cut.pages"), magic.left(11), Outcome::Damaged},
        {QStringLiteral("text.pages"), QByteArrayLiteral("Crème brûlée\r\n"), Outcome::NotOurs},
        {QStringLiteral("picture.pages"), written(gradient(4, 4), "PNG"), Outcome::NotOurs},
        // As a transfer in text mode leaves it.
        {QStringLiteral("line-ends-changed.pages"), QByteArray(sound).replace("\r\n", "\n"), Outcome::Damaged},
        {QStringLiteral("newer-version.pages"), patched<quint32>(sound, versionAt, 2), Outcome::Newer},
        {QStringLiteral("newer-version-of-another-layout.pages"), magic + QByteArray("\xff\xff\xff\xff\x01", 5),
            Outcome::Newer},
        {QStringLiteral("version-zero.pages"), patched<quint32>(sound, versionAt, 0), Outcome::Damaged},
        {QStringLiteral("version-cut.pages"), sound.left(versionAt + 2), Outcome::Damaged},
        {QStringLiteral("trailing-bytes.pages"), sound + '\0', Outcome::Damaged},
        {QStringLiteral("no-paper.pages"), patchedReal(empty, fontCountAt - 8, 0), Outcome::Damaged},
        {QStringLiteral("paper-ten-kilometres-wide.pages"), patchedReal(empty, fontCountAt - 16, 1e7), Outcome::Damaged},
        {QStringLiteral("paper-nan.pages"), patchedReal(empty, fontCountAt - 16, nan), Outcome::Damaged},
        {QStringLiteral("most-fonts.pages"), patched<quint32>(empty, fontCountAt, 0xffffffff), Outcome::Damaged},
        {QStringLiteral("most-pictures.pages"), patched<quint32>(empty, pictureCountAt, 0xffffffff), Outcome::Damaged},
        {QStringLiteral("most-pages.pages"), patched<quint32>(empty, pageCountAt, 0xffffffff), Outcome::Damaged},
        {QStringLiteral("more-pages-than-bytes.pages"), patched<quint32>(empty, pageCountAt, 1000), Outcome::Damaged},
        {QStringLiteral("most-items.pages"), patched<quint32>(onePage, itemCountAt, 0xffffffff), Outcome::Damaged},
        {QStringLiteral("longest-family.pages"), patched<quint32>(oneFont, familyLengthAt, 0x7fffffff), Outcome::Damaged},
        {QStringLiteral("picture-past-the-end.pages"), patched<quint32>(onePicture, pictureLengthAt, 0xfffffff0),
            Outcome::Damaged},
        {QStringLiteral("unknown-picture-format.pages"), patched<quint8>(onePicture, pictureFormatAt, 2), Outcome::Damaged},
        {QStringLiteral("repeated-picture.pages"), repeatedEntry(onePicture, pictureCountAt, 4), Outcome::Damaged},
        {QStringLiteral("repeated-font.pages"), repeatedEntry(oneFont, fontCountAt, 8), Outcome::Damaged},
        {QStringLiteral("zero-point-size.pages"), patchedReal(oneFont, oneFont.size() - pointSizeFromEnd, 0), Outcome::Damaged},
        {QStringLiteral("nan-point-size.pages"), patchedReal(oneFont, oneFont.size() - pointSizeFromEnd, nan), Outcome::Damaged},
        {QStringLiteral("weight-zero.pages"), patched<quint16>(oneFont, oneFont.size() - weightFromEnd, 0), Outcome::Damaged},
        {QStringLiteral("weight-past-black.pages"), patched<quint16>(oneFont, oneFont.size() - weightFromEnd, 1001),
            Outcome::Damaged},
        {QStringLiteral("unknown-style.pages"), patched<quint8>(oneFont, oneFont.size() - styleFromEnd, 8), Outcome::Damaged},
        {QStringLiteral("unknown-item-kind.pages"), patched<quint8>(oneRect, firstItemKindAt, 9), Outcome::Damaged},
        {QStringLiteral("font-index-past-the-table.pages"), encode(withItem(TextItem{QPointF(1, 1), 1, 0, {}}, 1)),
            Outcome::Damaged},
        {QStringLiteral("negative-font-index.pages"), encode(withItem(TextItem{QPointF(1, 1), -1, 0, {}}, 1)), Outcome::Damaged},
        {QStringLiteral("text-without-fonts.pages"), encode(withItem(TextItem{QPointF(1, 1), 0, 0, {}})), Outcome::Damaged},
        {QStringLiteral("picture-index-past-the-table.pages"), encode(withItem(ImageItem{QRectF(0, 0, 5, 5), 2}, 0, 2)),
            Outcome::Damaged},
        {QStringLiteral("nan-coordinate.pages"), encode(withItem(RectItem{QRectF(nan, 0, 5, 5)})), Outcome::Damaged},
        {QStringLiteral("infinite-width.pages"), encode(withItem(RectItem{QRectF(0, 0, infinity, 5)})), Outcome::Damaged},
        {QStringLiteral("a-kilometre-off-the-page.pages"), encode(withItem(TextItem{QPointF(0, 1e6), 0, 0, {}}, 1)),
            Outcome::Damaged},
        {QStringLiteral("negative-line-width.pages"), encode(withItem(LineItem{QLineF(0, 0, 1, 1), -0.5})), Outcome::Damaged},
        {QStringLiteral("nan-ellipse.pages"), encode(withItem(EllipseItem{QRectF(0, 0, 2, nan)})), Outcome::Damaged},
        {QStringLiteral("nan-line-end.pages"), encode(withItem(LineItem{QLineF(0, 0, 1, nan)})), Outcome::Damaged},
    };
}

} // namespace DamagedSavedPages
