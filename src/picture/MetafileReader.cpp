#include "MetafileReader.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QtEndian>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <variant>
#include <vector>

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>

// libemf2svg checks some of the counts and offsets inside a record against the end of the file
// only, and some not at all. libUEMF, the library it reads records with, checks each one
// against the record's own size; its development files are packaged apart, so its two
// functions are declared here. They read the fields in this machine's order ("torev" 1: as they
// are), which is the file's on little-endian machines only.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);
extern "C" {
int U_emf_record_sizeok(const char *record, const char *blimit, uint32_t *nSize, uint32_t *iType, int torev);
int U_emf_record_safe(const char *record);
}

namespace picture {
namespace {

PictureError invalidMetafile()
{
    return {QStringLiteral("Metafile is not valid")};
}

// The resolution a placeable WMF is shown at on a Windows screen, where these pictures were made.
constexpr double screenDotsPerInch = 96;

quint16 word(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.data() + at);
}

qint16 signedWord(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<qint16>(bytes.data() + at);
}

quint32 doubleWord(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.data() + at);
}

qint32 signedDoubleWord(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<qint32>(bytes.data() + at);
}

// --- WMF -------------------------------------------------------------------------------------

constexpr quint32 placeableKey = 0x9AC6CDD7;
constexpr qsizetype placeableHeaderSize = 22;
constexpr qsizetype wmfHeaderSize = 18;
constexpr qsizetype wmfMaxRecordAt = 12; // within the header
constexpr qsizetype wmfRecordHeaderSize = 6;

constexpr quint16 metaSetWindowOrg = 0x020B;
constexpr quint16 metaSetDibToDev = 0x0D33;
constexpr quint16 metaStretchDib = 0x0F43;
constexpr quint16 metaDibStretchBlt = 0x0B41;
constexpr quint16 metaDibBitBlt = 0x0940;
constexpr quint16 metaDibCreatePatternBrush = 0x0142;
constexpr quint16 metaCreateBrushIndirect = 0x02FC;
// No record has this function; libwmf plays it as a record it does not know: not at all.
constexpr quint16 metaNothing = 0xFFFF;

// The placeable header's frame, in logical units, and how many of them make an inch.
struct WmfFrame
{
    qint16 left;
    qint16 top;
    qint16 right;
    qint16 bottom;
    quint16 unitsPerInch;
};

struct WmfLayout
{
    std::optional<WmfFrame> frame;
    qsizetype headerAt = 0;
    quint32 largestRecordWords = 0;
    // The first window origin the records set, which places the frame.
    qint16 originX = 0;
    qint16 originY = 0;
    std::vector<qsizetype> bitmapRecords;
};

// Checks the headers and walks the records as libwmf will, to their end record, before libwmf
// sees a byte: a file cut short or a record running past the end becomes our error instead of
// whatever libwmf's player makes of it.
std::optional<WmfLayout> wmfLayout(QByteArrayView bytes)
{
    WmfLayout layout;
    if (bytes.size() >= 4 && doubleWord(bytes, 0) == placeableKey) {
        if (bytes.size() < placeableHeaderSize)
            return std::nullopt;
        const WmfFrame frame{signedWord(bytes, 6), signedWord(bytes, 8), signedWord(bytes, 10), signedWord(bytes, 12), word(bytes, 14)};
        // libwmf divides by the units per inch and sizes the picture by the frame.
        if (frame.unitsPerInch == 0 || frame.left == frame.right || frame.top == frame.bottom)
            return std::nullopt;
        layout.frame = frame;
        layout.headerAt = placeableHeaderSize;
    }
    const qsizetype headerAt = layout.headerAt;
    if (bytes.size() - headerAt < wmfHeaderSize)
        return std::nullopt;
    const quint16 type = word(bytes, headerAt);
    const quint16 headerWords = word(bytes, headerAt + 2);
    const quint16 version = word(bytes, headerAt + 4);
    if ((type != 1 && type != 2) || headerWords != wmfHeaderSize / 2 || (version != 0x0100 && version != 0x0300))
        return std::nullopt;

    bool originSeen = false;
    for (qsizetype at = headerAt + wmfHeaderSize;;) {
        if (bytes.size() - at < wmfRecordHeaderSize)
            return std::nullopt;
        const quint32 words = doubleWord(bytes, at);
        const quint16 function = word(bytes, at + 4);
        if (words < wmfRecordHeaderSize / 2 || words > quint64(bytes.size() - at) / 2)
            return std::nullopt;
        layout.largestRecordWords = std::max(layout.largestRecordWords, words);
        const quint32 parameters = words - wmfRecordHeaderSize / 2;
        // The one end record libwmf stops at; any other record of function 0 is played on.
        if (parameters == 0 && function == 0)
            return layout;
        if (function == metaSetWindowOrg && parameters >= 2 && !originSeen) {
            layout.originY = signedWord(bytes, at + wmfRecordHeaderSize);
            layout.originX = signedWord(bytes, at + wmfRecordHeaderSize + 2);
            originSeen = true;
        }
        const bool drawsBitmap = function == metaSetDibToDev || function == metaStretchDib || function == metaDibStretchBlt
            || (function == metaDibBitBlt && parameters != 9); // with 9 parameters, a plain raster operation
        if (drawsBitmap)
            layout.bitmapRecords.push_back(at);
        if (function == metaDibCreatePatternBrush) {
            // Played as a solid brush, below, whose fields it needs room for.
            if (parameters < 4)
                return std::nullopt;
            layout.bitmapRecords.push_back(at);
        }
        at += qsizetype(words) * 2;
    }
}

// libwmf's SVG device draws no bitmap: without a file name for each it leaves them out, and
// the images it writes inline have no namespace and the wrong scale. Its bitmap reader still
// runs on every one while playing, and a damaged header can keep it looping for ever. The
// copy that is played therefore holds none: a bitmap drawn becomes a record libwmf skips, and a
// pattern brush the solid black brush libwmf fills it with anyway. The file as it is, bitmaps
// included, is still what libwmf scans for the drawing's bounds.
QByteArray withoutBitmaps(const QByteArray &content, const WmfLayout &layout)
{
    QByteArray played = content;
    char *data = played.data();
    for (qsizetype at : layout.bitmapRecords) {
        if (word(played, at + 4) != metaDibCreatePatternBrush) {
            qToLittleEndian(metaNothing, data + at + 4);
            continue;
        }
        qToLittleEndian(metaCreateBrushIndirect, data + at + 4);
        const qsizetype fields = at + wmfRecordHeaderSize;
        qToLittleEndian(quint16(0), data + fields); // solid
        qToLittleEndian(quint32(0), data + fields + 2); // black
        qToLittleEndian(quint16(0), data + fields + 6); // no hatch
    }
    return played;
}

// libwmf measures text with FreeType and gives up on a metafile, even one without text, when it
// finds no font file for the face of the default device context. Its own table names the URW
// Type 1 files, which Debian leaves out; Liberation, metric-compatible with the Windows fonts these
// pictures were drawn with and installed with the application, stands in for the 13 standard
// PostScript faces. libwmf only copies these strings.
char *writable(const char *text)
{
    return const_cast<char *>(text);
}

wmfMapping standardFaces[] = {
    {writable("Times-Roman"), writable("LiberationSerif-Regular.ttf"), FT_ENCODING_NONE},
    {writable("Times-Italic"), writable("LiberationSerif-Italic.ttf"), FT_ENCODING_NONE},
    {writable("Times-Bold"), writable("LiberationSerif-Bold.ttf"), FT_ENCODING_NONE},
    {writable("Times-BoldItalic"), writable("LiberationSerif-BoldItalic.ttf"), FT_ENCODING_NONE},
    {writable("Helvetica"), writable("LiberationSans-Regular.ttf"), FT_ENCODING_NONE},
    {writable("Helvetica-Oblique"), writable("LiberationSans-Italic.ttf"), FT_ENCODING_NONE},
    {writable("Helvetica-Bold"), writable("LiberationSans-Bold.ttf"), FT_ENCODING_NONE},
    {writable("Helvetica-BoldOblique"), writable("LiberationSans-BoldItalic.ttf"), FT_ENCODING_NONE},
    {writable("Courier"), writable("LiberationMono-Regular.ttf"), FT_ENCODING_NONE},
    {writable("Courier-Oblique"), writable("LiberationMono-Italic.ttf"), FT_ENCODING_NONE},
    {writable("Courier-Bold"), writable("LiberationMono-Bold.ttf"), FT_ENCODING_NONE},
    {writable("Courier-BoldOblique"), writable("LiberationMono-BoldItalic.ttf"), FT_ENCODING_NONE},
    // Only its widths are taken from the file; Qt draws the text in its own Symbol substitute.
    {writable("Symbol"), writable("LiberationSerif-Regular.ttf"), FT_ENCODING_NONE},
    {nullptr, nullptr, FT_ENCODING_NONE},
};

// Debian's fonts-liberation, and fonts-liberation2 which names its files alike.
char *fontDirectories[] = {
    writable("/usr/share/fonts/truetype/liberation"),
    writable("/usr/share/fonts/truetype/liberation2"),
    nullptr,
};

// The characters 0x80 to 0x9F of Windows' Western code page, where Latin-1 has controls; 0 where
// the code page has none.
constexpr char16_t windows1252Upper[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

QString fromWindows1252(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char byte : bytes) {
        const auto code = uchar(byte);
        char16_t character = code;
        if (code >= 0x80 && code < 0xA0)
            character = windows1252Upper[code - 0x80];
        // XML has no place for the other control characters.
        else if (code < 0x20 && code != '\t' && code != '\n' && code != '\r')
            character = 0;
        text += character == 0 ? QChar(u' ') : QChar(character);
    }
    return text;
}

// libwmf copies a text's bytes as the metafile holds them, in the code page of the Windows that
// wrote it, into an SVG of no declared encoding, without escaping them: one "crème" or "sel &
// poivre" would make the whole drawing unreadable. Each text is turned into UTF-8 with its
// markup characters escaped, read in the Western code page French Windows writes. libwmf ends
// a text element's start tag with a quote, a line break and a tab.
QByteArray withTextAsXml(QByteArrayView svg)
{
    static constexpr QByteArrayView textStart = "<text ";
    static constexpr QByteArrayView startTagEnd = "\"\n\t>";
    static constexpr QByteArrayView textEnd = "</text>";
    QByteArray xml;
    xml.reserve(svg.size());
    qsizetype at = 0;
    for (;;) {
        const qsizetype element = svg.indexOf(textStart, at);
        const qsizetype content = element < 0 ? -1 : svg.indexOf(startTagEnd, element);
        const qsizetype end = content < 0 ? -1 : svg.indexOf(textEnd, content + startTagEnd.size());
        if (end < 0)
            break;
        const qsizetype contentStart = content + startTagEnd.size();
        xml += svg.sliced(at, contentStart - at);
        xml += fromWindows1252(svg.sliced(contentStart, end - contentStart)).toHtmlEscaped().toUtf8();
        at = end;
    }
    xml += svg.sliced(at);
    return xml;
}

// libwmf frees everything it allocated, the SVG it wrote included, with its handle.
struct WmfHandle
{
    wmfAPI *api = nullptr;

    WmfHandle() = default;
    WmfHandle(const WmfHandle &) = delete;
    WmfHandle &operator=(const WmfHandle &) = delete;
    ~WmfHandle()
    {
        if (api)
            wmf_api_destroy(api);
    }
};

std::optional<PictureError> wmfToSvg(QByteArrayView bytes, QByteArray &svg)
{
    const std::optional<WmfLayout> layout = wmfLayout(bytes);
    if (!layout)
        return invalidMetafile();

    // Our own copy: libwmf wants writable bytes, and the header's largest record size, which
    // sizes libwmf's record buffer and bounds every record it accepts, is set to the largest
    // record the file really holds, as Windows (which ignores that field) would play it.
    QByteArray content = bytes.toByteArray();
    qToLittleEndian(layout->largestRecordWords, content.data() + layout->headerAt + wmfMaxRecordAt);

    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    options.fontdirs = fontDirectories;
    options.font.ps = standardFaces;
    // Nothing on stdout or stderr, what can be drawn is drawn, and no command line is read
    // (libwmf's argument parser may end the program).
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_FONTDIRS | WMF_OPT_FONTMAP | WMF_OPT_IGNORE_NONFATAL
        | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    WmfHandle handle;
    if (wmf_api_create(&handle.api, flags, &options) != wmf_E_None || !handle.api)
        return invalidMetafile();
    wmfAPI *api = handle.api;

    if (wmf_mem_open(api, reinterpret_cast<unsigned char *>(content.data()), long(content.size())) != wmf_E_None)
        return invalidMetafile();
    wmfD_Rect bounds{};
    if (wmf_scan(api, 0, &bounds) != wmf_E_None || api->err != wmf_E_None)
        return invalidMetafile();
    if (layout->frame) {
        // libwmf would stretch what the records draw to the whole picture; the frame is what
        // fills it, in the points (1/72 inch) libwmf places a placeable metafile's records in.
        const WmfFrame &frame = *layout->frame;
        const double scale = 72.0 / frame.unitsPerInch;
        const auto x = [&](qint16 logical) { return float((logical - layout->originX) * scale); };
        const auto y = [&](qint16 logical) { return float((logical - layout->originY) * scale); };
        bounds.TL = {std::min(x(frame.left), x(frame.right)), std::min(y(frame.top), y(frame.bottom))};
        bounds.BR = {std::max(x(frame.left), x(frame.right)), std::max(y(frame.top), y(frame.bottom))};
    }
    if (!(bounds.BR.x > bounds.TL.x) || !(bounds.BR.y > bounds.TL.y))
        return invalidMetafile();

    unsigned int width = 0;
    unsigned int height = 0;
    if (wmf_display_size(api, &width, &height, screenDotsPerInch, screenDotsPerInch) != wmf_E_None || width == 0 || height == 0)
        return invalidMetafile();
    if (!fitsDecoded(width, height, 4))
        return tooLargeToShow(width, height);

    // The same records at the same places, where libwmf's scan left its position.
    QByteArray playable = withoutBitmaps(content, *layout);
    if (wmf_mem_close(api) != wmf_E_None
        || wmf_mem_open(api, reinterpret_cast<unsigned char *>(playable.data()), long(playable.size())) != wmf_E_None)
        return invalidMetafile();

    auto *device = static_cast<wmf_svg_t *>(api->device_data);
    device->bbox = bounds;
    device->width = width;
    device->height = height;
    device->out = wmf_stream_create(api, nullptr);
    if (!device->out)
        return invalidMetafile();

    const wmf_error_t played = wmf_play(api, 0, &bounds);
    char *text = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(api, device->out, &text, &length);
    device->out = nullptr;
    if (played != wmf_E_None || api->err != wmf_E_None || !text || length == 0)
        return invalidMetafile();
    svg = withTextAsXml(QByteArrayView(text, qsizetype(length)));
    return std::nullopt;
}

// --- EMF -------------------------------------------------------------------------------------

constexpr quint32 emrHeader = 1;
constexpr quint32 emrEof = 14;
constexpr quint32 emrExtTextOutA = 83;
constexpr quint32 emrExtTextOutW = 84;
// A type no record has; libemf2svg skips it.
constexpr quint32 emrNothing = 69;
constexpr quint32 emfSignature = 0x464D4520; // " EMF"
constexpr qsizetype emfHeaderMinimum = 88;
constexpr qsizetype emfRecordHeaderSize = 8;
constexpr qsizetype emfTextOptionsAt = 52; // in a text record
constexpr quint32 glyphIndexText = 0x10;

struct EmfLayout
{
    std::vector<qsizetype> glyphIndexTexts;
};

// Checks the header and walks the records to the end record before libemf2svg sees a byte:
// libemf2svg reads a record's type and size before it knows whether they lie inside the file,
// and divides by fields of the header.
std::variant<EmfLayout, PictureError> emfLayout(QByteArrayView bytes)
{
    if (bytes.size() < emfHeaderMinimum || doubleWord(bytes, 0) != emrHeader || doubleWord(bytes, 40) != emfSignature)
        return invalidMetafile();
    // The bounds, in device points, are the drawing's size; libemf2svg takes their difference
    // in 32 bits and divides by it.
    const qint64 width = qint64(signedDoubleWord(bytes, 16)) - signedDoubleWord(bytes, 8);
    const qint64 height = qint64(signedDoubleWord(bytes, 20)) - signedDoubleWord(bytes, 12);
    if (width <= 0 || height <= 0)
        return invalidMetafile();
    if (!fitsDecoded(width, height, 4))
        return tooLargeToShow(width, height);
    // The reference device, in points and in millimetres: libemf2svg divides one by the other.
    for (qsizetype at = 72; at < emfHeaderMinimum; at += 4) {
        if (signedDoubleWord(bytes, at) <= 0)
            return invalidMetafile();
    }
    // The description and the pixel format lie inside the header record. libemf2svg reads the
    // description wherever its offset points, whatever its length says, up to a null character.
    const quint64 headerSize = qMin<quint64>(doubleWord(bytes, 4), quint64(bytes.size()));
    const auto insideHeader = [&](quint64 offset, quint64 length) {
        return offset >= quint64(emfHeaderMinimum) && offset <= headerSize && length <= headerSize - offset;
    };
    if (const quint64 description = doubleWord(bytes, 64); description != 0) {
        if (!insideHeader(description, 2 * quint64(doubleWord(bytes, 60))))
            return invalidMetafile();
        bool ended = false;
        for (quint64 at = description; !ended && at + 2 <= headerSize; at += 2)
            ended = bytes[qsizetype(at)] == 0 && bytes[qsizetype(at + 1)] == 0;
        if (!ended)
            return invalidMetafile();
    }
    if (headerSize >= 100 && doubleWord(bytes, 88) != 0 && !insideHeader(doubleWord(bytes, 92), doubleWord(bytes, 88)))
        return invalidMetafile();

    EmfLayout layout;
    const char *end = bytes.data() + bytes.size();
    for (qsizetype at = 0;;) {
        if (bytes.size() - at < emfRecordHeaderSize)
            return invalidMetafile();
        const quint32 type = doubleWord(bytes, at);
        const quint32 size = doubleWord(bytes, at + 4);
        if (size < emfRecordHeaderSize || size % 4 != 0 || size > quint64(bytes.size() - at))
            return invalidMetafile();
        if (at == 0 ? size < emfHeaderMinimum : type == emrHeader)
            return invalidMetafile();
        const char *record = bytes.data() + at;
        uint32_t checkedSize = 0;
        uint32_t checkedType = 0;
        if (!U_emf_record_sizeok(record, end, &checkedSize, &checkedType, 1) || !U_emf_record_safe(record))
            return invalidMetafile();
        if (type == emrEof)
            return layout;
        // libemf2svg turns glyph indices back into text through fontconfig, and then shuts
        // fontconfig down for the whole process, under Qt's feet: such text is left out.
        if ((type == emrExtTextOutA || type == emrExtTextOutW) && (doubleWord(bytes, at + emfTextOptionsAt) & glyphIndexText))
            layout.glyphIndexTexts.push_back(at);
        at += size;
    }
}

std::optional<PictureError> emfToSvg(QByteArrayView bytes, QByteArray &svg)
{
    std::variant<EmfLayout, PictureError> checked = emfLayout(bytes);
    if (PictureError *error = std::get_if<PictureError>(&checked))
        return *error;

    // libemf2svg takes writable bytes, and writes into a text it draws. It reads an 8-bit text
    // up to its terminating zero, wherever that is: at the latest the one QByteArray keeps
    // after its bytes.
    QByteArray content = bytes.toByteArray();
    for (qsizetype at : std::get<EmfLayout>(checked).glyphIndexTexts)
        qToLittleEndian(emrNothing, content.data() + at);
    generatorOptions options{};
    options.nameSpace = nullptr;
    options.verbose = false; // verbose prints every record on stdout
    // The EMF+ records that some programs add in comments are left aside, as Windows' own GDI
    // playback does: every such file also carries the plain EMF drawing.
    options.emfplus = false;
    options.svgDelimiter = true;
    options.imgWidth = 0; // at the size of the bounds
    options.imgHeight = 0;
    char *text = nullptr;
    size_t length = 0;
    const int converted = emf2svg(content.data(), size_t(content.size()), &text, &length, &options);
    // The SVG is written into an open_memstream buffer, which is the caller's to free().
    if (converted != 0 && text && length > 0)
        svg = QByteArray(text, qsizetype(length));
    std::free(text);
    if (converted == 0 || svg.isEmpty())
        return invalidMetafile();
    return std::nullopt;
}

// --- Drawing ---------------------------------------------------------------------------------

struct SvgOutline
{
    bool wellFormed;
    bool hasText;
};

// Qt SVG reports XML errors on stderr; a quiet read first keeps a damaged conversion silent.
SvgOutline outline(const QByteArray &svg)
{
    QXmlStreamReader reader(svg);
    bool text = false;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement)
            text = text || reader.name() == u"text" || reader.name() == u"textArea";
    }
    return {!reader.hasError(), text};
}

std::optional<PictureError> drawSvg(const QByteArray &svg, QImage &drawing)
{
    const SvgOutline parts = outline(svg);
    if (!parts.wellFormed)
        return invalidMetafile();
    // Qt lays text out through its font database, which ends the program when there is no
    // QGuiApplication (a tool or a test of this layer alone).
    if (parts.hasText && !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return PictureError{QStringLiteral("Les textes d'un métafichier ne se dessinent que dans une application graphique.")};
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return invalidMetafile();
    const QSize size = renderer.defaultSize();
    if (size.isEmpty())
        return invalidMetafile();
    if (!fitsDecoded(size.width(), size.height(), 4))
        return tooLargeToShow(size.width(), size.height());

    // A metafile leaves unpainted what it does not draw. On white, as a metafile shows on paper
    // and in Windows' own picture controls, rather than transparent: the drawing is also copied
    // to the clipboard, printed and turned into a bitmap or a JPEG, where transparency becomes
    // black.
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return tooLargeToShow(size.width(), size.height());
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    drawing = image;
    return std::nullopt;
}

} // namespace

std::optional<PictureError> readMetafile(QByteArrayView bytes, MetafileKind kind, QImage &drawing)
{
    QByteArray svg;
    const std::optional<PictureError> converted = kind == MetafileKind::Wmf ? wmfToSvg(bytes, svg) : emfToSvg(bytes, svg);
    if (converted)
        return converted;
    return drawSvg(svg, drawing);
}

} // namespace picture
