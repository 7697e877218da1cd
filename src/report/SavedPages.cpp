// A saved report, in a format of our own. Numbers are little-endian, reals IEEE 754 doubles,
// lengths in millimetres from the paper's top-left corner:
//
//   magic      20 bytes: "CUISINOTTE PAGES\r\n\x1a\n"
//   version    u32: 1
//   paper      f64 width, f64 height
//   fonts      u32 count, then each: u32 family count and the families as strings;
//              f64 point size; u16 weight (1 to 1000); u8 style: 1 italic, 2 underline, 4 strike-out
//   pictures   u32 count, then each: u8 format (0 JPEG, 1 PNG); u32 length; the bytes as they came
//   pages      u32 count, then each: u32 item count, then each item, in drawing order, as a u8 kind
//              and its fields:
//                1 text    f64 x, f64 y of the baseline; u32 font index; u32 colour (ARGB); string
//                2 rect    f64 x, y, width, height; u32 colour
//                3 line    f64 x1, y1, x2, y2, width; u32 colour
//                4 picture f64 x, y, width, height; u32 picture index
//                5 ellipse f64 x, y, width, height of its bounds; u32 colour
//
// A string is a u32 count of UTF-16 code units, then the units. Nothing follows the last page.
// The tables hold each font and each picture once, as the document keeps them, so that a file
// read back is written again byte for byte.
#include "report/SavedPages.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <QtEndian>

#include <algorithm>
#include <bit>
#include <limits>
#include <variant>

namespace report::SavedPages {
namespace {

// The line ends and the end-of-file character after the name catch a file that went through a
// transfer in text mode, which would otherwise read as damaged far from where it was changed.
constexpr QByteArrayView name("CUISINOTTE PAGES");
constexpr QByteArrayView magic("CUISINOTTE PAGES\r\n\x1a\n");
constexpr quint32 currentVersion = 1;

// Beyond these a file is damaged, whatever room its bytes leave: no paper is ten metres long,
// and no report has that many pages or fonts. The tables are kept short too because each entry
// read is compared with those before it, as the document keeps each font and picture once.
constexpr double maxMillimetres = 10000;
constexpr double maxPoints = 10000;
constexpr quint32 maxFonts = 10000;
constexpr quint32 maxPictures = 10000;
constexpr quint32 maxPages = 100000;
constexpr quint32 maxItemsPerPage = 1000000;
constexpr quint32 anyCount = std::numeric_limits<quint32>::max();
// A file is read whole before it is decoded.
constexpr qint64 maxFileSize = qint64(1) << 30;

constexpr quint16 leastWeight = 1;
constexpr quint16 mostWeight = 1000;

enum StyleFlag : quint8 { Italic = 1, Underline = 2, StrikeOut = 4, AllStyles = Italic | Underline | StrikeOut };
enum class ItemKind : quint8 { Text = 1, Rect = 2, Line = 3, Picture = 4, Ellipse = 5 };
enum class PictureFormat : quint8 { Jpeg = 0, Png = 1 };

// The fewest bytes each element of a table can take, against which a count is checked before
// anything is allocated for it.
constexpr qsizetype leastStringBytes = 4;
constexpr qsizetype leastFontBytes = 4 + 8 + 2 + 1;
constexpr qsizetype leastPictureBytes = 1 + 4;
constexpr qsizetype leastPageBytes = 4;
constexpr qsizetype leastItemBytes = 1 + 2 * 8 + 4 + 4 + leastStringBytes;

QString notOurs()
{
    return QStringLiteral("Ce fichier n'est pas une impression enregistrée par Cuisinotte.");
}

QString damaged()
{
    return QStringLiteral("Le fichier d'impression est endommagé ou incomplet.");
}

QString newer()
{
    return QStringLiteral("Ce fichier a été enregistré par une version plus récente de Cuisinotte.");
}

class Output
{
public:
    QByteArray bytes() const { return m_bytes; }

    template <class Integer>
    void write(Integer value)
    {
        char little[sizeof(Integer)];
        qToLittleEndian(value, little);
        m_bytes.append(little, sizeof(Integer));
    }

    void writeReal(double value) { write(std::bit_cast<quint64>(value)); }

    void writePoint(const QPointF &point)
    {
        writeReal(point.x());
        writeReal(point.y());
    }

    void writeRect(const QRectF &rect)
    {
        writePoint(rect.topLeft());
        writeReal(rect.width());
        writeReal(rect.height());
    }

    void writeBytes(QByteArrayView bytes) { m_bytes.append(bytes); }

    void writeString(const QString &text)
    {
        write(quint32(text.size()));
        const qsizetype at = m_bytes.size();
        m_bytes.resize(at + 2 * text.size());
        qToLittleEndian<quint16>(text.utf16(), text.size(), m_bytes.data() + at);
    }

private:
    QByteArray m_bytes;
};

void writeFont(Output &output, const QFont &font)
{
    const QStringList families = font.families();
    output.write(quint32(families.size()));
    for (const QString &family : families)
        output.writeString(family);
    output.writeReal(font.pointSizeF());
    output.write(quint16(font.weight()));
    output.write(quint8((font.italic() ? Italic : 0) | (font.underline() ? Underline : 0) | (font.strikeOut() ? StrikeOut : 0)));
}

void writePicture(Output &output, const ReportImage &image)
{
    output.write(quint8(image.format == ReportImage::Format::Jpeg ? PictureFormat::Jpeg : PictureFormat::Png));
    output.write(quint32(image.bytes.size()));
    output.writeBytes(image.bytes);
}

void writeItem(Output &output, const TextItem &item)
{
    output.write(quint8(ItemKind::Text));
    output.writePoint(item.baseline);
    output.write(quint32(item.font));
    output.write(quint32(item.colour));
    output.writeString(item.text);
}

void writeItem(Output &output, const RectItem &item)
{
    output.write(quint8(ItemKind::Rect));
    output.writeRect(item.rect);
    output.write(quint32(item.colour));
}

void writeItem(Output &output, const LineItem &item)
{
    output.write(quint8(ItemKind::Line));
    output.writePoint(item.line.p1());
    output.writePoint(item.line.p2());
    output.writeReal(item.width);
    output.write(quint32(item.colour));
}

void writeItem(Output &output, const EllipseItem &item)
{
    output.write(quint8(ItemKind::Ellipse));
    output.writeRect(item.rect);
    output.write(quint32(item.colour));
}

void writeItem(Output &output, const ImageItem &item)
{
    output.write(quint8(ItemKind::Picture));
    output.writeRect(item.rect);
    output.write(quint32(item.image));
}

// Reads the fields in order. Every read checks what remains first, and every count is checked
// against the bytes its elements need, so that nothing a damaged file announces is allocated or
// trusted before its bytes are there. A failed read leaves its value as it was.
class Input
{
public:
    explicit Input(QByteArrayView bytes)
        : m_bytes(bytes)
    {
    }

    bool atEnd() const { return m_at == m_bytes.size(); }

    template <class Integer>
    [[nodiscard]] bool read(Integer &value)
    {
        if (remaining() < qsizetype(sizeof(Integer)))
            return false;
        value = qFromLittleEndian<Integer>(m_bytes.data() + m_at);
        m_at += sizeof(Integer);
        return true;
    }

    // Written so that NaN, which fails every comparison, is refused with the out-of-range values.
    [[nodiscard]] bool readReal(double &value, double least, double most)
    {
        quint64 bits = 0;
        if (!read(bits))
            return false;
        const double real = std::bit_cast<double>(bits);
        if (!(real >= least && real <= most))
            return false;
        value = real;
        return true;
    }

    [[nodiscard]] bool readCoordinate(double &value) { return readReal(value, -maxMillimetres, maxMillimetres); }

    [[nodiscard]] bool readPoint(QPointF &point)
    {
        double x = 0;
        double y = 0;
        if (!readCoordinate(x) || !readCoordinate(y))
            return false;
        point = {x, y};
        return true;
    }

    [[nodiscard]] bool readRect(QRectF &rect)
    {
        QPointF topLeft;
        double width = 0;
        double height = 0;
        if (!readPoint(topLeft) || !readCoordinate(width) || !readCoordinate(height))
            return false;
        rect = {topLeft, QSizeF(width, height)};
        return true;
    }

    [[nodiscard]] bool readCount(quint32 &count, qsizetype leastBytesEach, quint32 most)
    {
        quint32 announced = 0;
        if (!read(announced) || announced > most || qsizetype(announced) > remaining() / leastBytesEach)
            return false;
        count = announced;
        return true;
    }

    [[nodiscard]] bool readBytes(QByteArray &bytes)
    {
        quint32 size = 0;
        if (!readCount(size, 1, anyCount))
            return false;
        bytes = m_bytes.sliced(m_at, size).toByteArray();
        m_at += size;
        return true;
    }

    [[nodiscard]] bool readString(QString &text)
    {
        quint32 units = 0;
        if (!readCount(units, 2, anyCount))
            return false;
        QString read(units, Qt::Uninitialized);
        qFromLittleEndian<quint16>(m_bytes.data() + m_at, units, read.data());
        m_at += 2 * qsizetype(units);
        text = std::move(read);
        return true;
    }

private:
    qsizetype remaining() const { return m_bytes.size() - m_at; }

    QByteArrayView m_bytes;
    qsizetype m_at = 0;
};

bool readFont(Input &input, QFont &font)
{
    quint32 familyCount = 0;
    if (!input.readCount(familyCount, leastStringBytes, anyCount))
        return false;
    QStringList families;
    families.reserve(familyCount);
    for (quint32 i = 0; i < familyCount; ++i) {
        if (!input.readString(families.emplace_back()))
            return false;
    }
    double points = 0;
    quint16 weight = 0;
    quint8 style = 0;
    if (!input.readReal(points, 0, maxPoints) || !input.read(weight) || !input.read(style))
        return false;
    if (points <= 0 || weight < leastWeight || weight > mostWeight || (style & ~AllStyles) != 0)
        return false;
    QFont read(families);
    read.setPointSizeF(points);
    read.setWeight(QFont::Weight(weight));
    read.setItalic(style & Italic);
    read.setUnderline(style & Underline);
    read.setStrikeOut(style & StrikeOut);
    font = read;
    return true;
}

bool readPicture(Input &input, ReportImage &image)
{
    quint8 format = 0;
    if (!input.read(format) || !input.readBytes(image.bytes))
        return false;
    switch (PictureFormat(format)) {
    case PictureFormat::Jpeg:
        image.format = ReportImage::Format::Jpeg;
        return true;
    case PictureFormat::Png:
        image.format = ReportImage::Format::Png;
        return true;
    }
    return false;
}

// Each table entry is added to the document in the order of the file; one the document already
// holds would shift every later index, and our files never repeat one.
bool readTables(Input &input, ReportDocument &document)
{
    quint32 fontCount = 0;
    if (!input.readCount(fontCount, leastFontBytes, maxFonts))
        return false;
    for (quint32 i = 0; i < fontCount; ++i) {
        QFont font;
        if (!readFont(input, font) || document.addFont(font) != int(i))
            return false;
    }
    quint32 pictureCount = 0;
    if (!input.readCount(pictureCount, leastPictureBytes, maxPictures))
        return false;
    for (quint32 i = 0; i < pictureCount; ++i) {
        ReportImage image;
        if (!readPicture(input, image) || document.addImage(image) != int(i))
            return false;
    }
    return true;
}

bool readIndex(Input &input, std::size_t tableSize, int &index)
{
    quint32 read = 0;
    if (!input.read(read) || read >= tableSize)
        return false;
    index = int(read);
    return true;
}

bool readItem(Input &input, const ReportDocument &document, PageItem &item)
{
    quint8 kind = 0;
    if (!input.read(kind))
        return false;
    switch (ItemKind(kind)) {
    case ItemKind::Text: {
        TextItem &text = item.emplace<TextItem>();
        return input.readPoint(text.baseline) && readIndex(input, document.fonts().size(), text.font)
            && input.read(text.colour) && input.readString(text.text);
    }
    case ItemKind::Rect: {
        RectItem &rect = item.emplace<RectItem>();
        return input.readRect(rect.rect) && input.read(rect.colour);
    }
    case ItemKind::Line: {
        LineItem &line = item.emplace<LineItem>();
        QPointF from;
        QPointF to;
        if (!input.readPoint(from) || !input.readPoint(to))
            return false;
        line.line = {from, to};
        return input.readReal(line.width, 0, maxMillimetres) && input.read(line.colour);
    }
    case ItemKind::Picture: {
        ImageItem &image = item.emplace<ImageItem>();
        return input.readRect(image.rect) && readIndex(input, document.images().size(), image.image);
    }
    case ItemKind::Ellipse: {
        EllipseItem &ellipse = item.emplace<EllipseItem>();
        return input.readRect(ellipse.rect) && input.read(ellipse.colour);
    }
    }
    return false;
}

bool readPages(Input &input, ReportDocument &document)
{
    quint32 pageCount = 0;
    if (!input.readCount(pageCount, leastPageBytes, maxPages))
        return false;
    document.pages().reserve(pageCount);
    for (quint32 p = 0; p < pageCount; ++p) {
        quint32 itemCount = 0;
        if (!input.readCount(itemCount, leastItemBytes, maxItemsPerPage))
            return false;
        std::vector<PageItem> &items = document.addPage().items;
        items.reserve(itemCount);
        for (quint32 i = 0; i < itemCount; ++i) {
            if (!readItem(input, document, items.emplace_back()))
                return false;
        }
    }
    return true;
}

bool readDocument(Input &input, ReportDocument &document)
{
    double width = 0;
    double height = 0;
    if (!input.readReal(width, 0, maxMillimetres) || !input.readReal(height, 0, maxMillimetres) || width <= 0
        || height <= 0)
        return false;
    document.setPaperSize({width, height});
    return readTables(input, document) && readPages(input, document);
}

} // namespace

QByteArray encode(const ReportDocument &document)
{
    Output output;
    output.writeBytes(magic);
    output.write(currentVersion);
    output.writeReal(document.paperSize().width());
    output.writeReal(document.paperSize().height());
    output.write(quint32(document.fonts().size()));
    for (const QFont &font : document.fonts())
        writeFont(output, font);
    output.write(quint32(document.images().size()));
    for (const ReportImage &image : document.images())
        writePicture(output, image);
    output.write(quint32(document.pages().size()));
    for (const Page &page : document.pages()) {
        output.write(quint32(page.items.size()));
        for (const PageItem &item : page.items)
            std::visit([&output](const auto &each) { writeItem(output, each); }, item);
    }
    return output.bytes();
}

std::optional<QString> decode(QByteArrayView bytes, ReportDocument &document)
{
    // A file cut short within its magic, or whose line ends were changed, is ours, damaged.
    if (!bytes.startsWith(magic))
        return magic.startsWith(bytes) || bytes.startsWith(name) ? damaged() : notOurs();
    Input input(bytes.sliced(magic.size()));
    quint32 version = 0;
    if (!input.read(version))
        return damaged();
    // Told before anything else is read: a newer file may hold what this version cannot read.
    if (version > currentVersion)
        return newer();
    ReportDocument read;
    if (version != currentVersion || !readDocument(input, read) || !input.atEnd())
        return damaged();
    document = std::move(read);
    return std::nullopt;
}

std::optional<QString> save(const QString &fileName, const ReportDocument &document)
{
    const QByteArray content = encode(document);
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit())
        return std::nullopt;
    return QStringLiteral("Impossible d'enregistrer le fichier « %1 ». %2").arg(QDir::toNativeSeparators(fileName), file.errorString());
}

std::optional<QString> open(const QString &fileName, ReportDocument &document)
{
    QFile file(fileName);
    const auto cannotOpen = [&file] {
        return QStringLiteral("Impossible d'ouvrir le fichier « %1 ». %2").arg(QDir::toNativeSeparators(file.fileName()), file.errorString());
    };
    if (!file.open(QIODevice::ReadOnly))
        return cannotOpen();
    // One byte more than the largest file tells a file too large, or a device that never ends,
    // from one that fits; a file's own size keeps the buffer no larger than the file.
    const qint64 limit = file.isSequential() ? maxFileSize : std::min(file.size(), maxFileSize);
    const QByteArray content = file.read(limit + 1);
    if (file.error() != QFile::NoError)
        return cannotOpen();
    if (content.size() > maxFileSize) {
        return QStringLiteral("Le fichier « %1 » est trop grand pour être une impression enregistrée : %2 Mo au plus.")
            .arg(QDir::toNativeSeparators(fileName))
            .arg(maxFileSize / (1024 * 1024));
    }
    return decode(content, document);
}

} // namespace report::SavedPages
