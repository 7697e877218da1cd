#include "MetafileReader.h"

#include <QByteArray>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>

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

struct WmfLayout
{
    qsizetype headerAt;
    quint32 largestRecordWords;
};

// Checks the headers and walks the records as libwmf will, to their end record, before libwmf
// sees a byte: a file cut short or a record running past the end becomes our error instead of
// whatever libwmf's player makes of it.
std::optional<WmfLayout> wmfLayout(QByteArrayView bytes)
{
    qsizetype headerAt = 0;
    if (bytes.size() >= 4 && doubleWord(bytes, 0) == placeableKey) {
        if (bytes.size() < placeableHeaderSize)
            return std::nullopt;
        // libwmf divides by the units per inch and sizes the picture by the bounds.
        const qint16 left = signedWord(bytes, 6);
        const qint16 top = signedWord(bytes, 8);
        const qint16 right = signedWord(bytes, 10);
        const qint16 bottom = signedWord(bytes, 12);
        if (word(bytes, 14) == 0 || left == right || top == bottom)
            return std::nullopt;
        headerAt = placeableHeaderSize;
    }
    if (bytes.size() - headerAt < wmfHeaderSize)
        return std::nullopt;
    const quint16 type = word(bytes, headerAt);
    const quint16 headerWords = word(bytes, headerAt + 2);
    const quint16 version = word(bytes, headerAt + 4);
    if ((type != 1 && type != 2) || headerWords != wmfHeaderSize / 2 || (version != 0x0100 && version != 0x0300))
        return std::nullopt;

    quint32 largest = 0;
    for (qsizetype at = headerAt + wmfHeaderSize;;) {
        if (bytes.size() - at < wmfRecordHeaderSize)
            return std::nullopt;
        const quint32 words = doubleWord(bytes, at);
        const quint16 function = word(bytes, at + 4);
        if (words < wmfRecordHeaderSize / 2 || words > quint64(bytes.size() - at) / 2)
            return std::nullopt;
        largest = std::max(largest, words);
        // The one end record libwmf stops at; any other record of function 0 is played on.
        if (words == wmfRecordHeaderSize / 2 && function == 0)
            return WmfLayout{headerAt, largest};
        at += qsizetype(words) * 2;
    }
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
    if (!(bounds.BR.x > bounds.TL.x) || !(bounds.BR.y > bounds.TL.y))
        return invalidMetafile();

    unsigned int width = 0;
    unsigned int height = 0;
    if (wmf_display_size(api, &width, &height, screenDotsPerInch, screenDotsPerInch) != wmf_E_None || width == 0 || height == 0)
        return invalidMetafile();
    if (!fitsDecoded(width, height, 4))
        return tooLargeToShow(width, height);

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
    svg = QByteArray(text, qsizetype(length));
    return std::nullopt;
}

// --- EMF -------------------------------------------------------------------------------------

constexpr quint32 emrHeader = 1;
constexpr quint32 emrEof = 14;
constexpr quint32 emfSignature = 0x464D4520; // " EMF"
constexpr qsizetype emfHeaderMinimum = 88;
constexpr qsizetype emfRecordHeaderSize = 8;

// Checks the header and walks the records to the end record before libemf2svg sees a byte:
// libemf2svg reads a record's type and size before it knows whether they lie inside the file,
// and divides by fields of the header.
std::optional<PictureError> checkEmf(QByteArrayView bytes)
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

    // The description and the pixel format lie inside the header record: libemf2svg reads the
    // description where the header says, however far that is.
    const quint64 headerSize = doubleWord(bytes, 4);
    const auto insideHeader = [&](quint64 offset, quint64 length) {
        return length == 0 || (offset >= quint64(emfHeaderMinimum) && offset <= headerSize && length <= headerSize - offset);
    };
    if (!insideHeader(doubleWord(bytes, 64), 2 * quint64(doubleWord(bytes, 60))))
        return invalidMetafile();
    if (headerSize >= 100 && bytes.size() >= 96 && !insideHeader(doubleWord(bytes, 92), doubleWord(bytes, 88)))
        return invalidMetafile();

    for (qsizetype at = 0;;) {
        if (bytes.size() - at < emfRecordHeaderSize)
            return invalidMetafile();
        const quint32 type = doubleWord(bytes, at);
        const quint32 size = doubleWord(bytes, at + 4);
        if (size < emfRecordHeaderSize || size % 4 != 0 || size > quint64(bytes.size() - at))
            return invalidMetafile();
        if (at == 0 ? size < emfHeaderMinimum : type == emrHeader)
            return invalidMetafile();
        if (type == emrEof)
            return std::nullopt;
        at += size;
    }
}

std::optional<PictureError> emfToSvg(QByteArrayView bytes, QByteArray &svg)
{
    if (std::optional<PictureError> error = checkEmf(bytes))
        return error;

    // libemf2svg takes writable bytes.
    QByteArray content = bytes.toByteArray();
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

// Qt SVG reports XML errors on stderr; a quiet read first keeps a damaged conversion silent.
bool isWellFormed(const QByteArray &xml)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd())
        reader.readNext();
    return !reader.hasError();
}

std::optional<PictureError> drawSvg(const QByteArray &svg, QImage &drawing)
{
    if (!isWellFormed(svg))
        return invalidMetafile();
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
