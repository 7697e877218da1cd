#include "JpegCodec.h"

#include <cstdint>
#include <cstdio>
#include <csetjmp>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>
#include <sys/mman.h>
#include <unistd.h>

namespace picture {
namespace {

// libjpeg's default error handler ends the process. This one jumps back to the call that
// started the work, with libjpeg's message. Between setjmp and the jump only libjpeg's own C
// frames run, so no destructor is skipped: the functions below keep nothing but plain data.
struct ErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void jumpBack(j_common_ptr info)
{
    auto *errors = reinterpret_cast<ErrorManager *>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings (a file cut short, extra bytes) go nowhere: what can be shown is shown.
extern "C" void ignoreMessage(j_common_ptr) {}

void setUpErrors(ErrorManager &errors)
{
    jpeg_std_error(&errors.base);
    errors.base.error_exit = jumpBack;
    errors.base.output_message = ignoreMessage;
    errors.message[0] = '\0';
}

PictureError errorOf(const ErrorManager &errors)
{
    return {QStringLiteral("Image JPEG illisible : %1.").arg(QString::fromLocal8Bit(errors.message))};
}

// A camera's photo is written once, end to end, into fresh memory, which the kernel maps a
// 4 KB page at a time on first touch: 9,000 faults for 12 megapixels, a fifth of the whole
// decode. Advised, it maps 2 MB at a time where it has them free, and small pages otherwise.
// Only pages wholly inside the picture are advised; small pictures are left alone.
void preferHugePages(QImage &image)
{
#ifdef MADV_HUGEPAGE
    constexpr qsizetype hugePage = 2 * 1024 * 1024;
    if (image.sizeInBytes() < 4 * hugePage)
        return;
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(image.bits());
    const std::uintptr_t first = (start + page - 1) & ~(page - 1);
    const std::uintptr_t end = (start + static_cast<std::uintptr_t>(image.sizeInBytes())) & ~(page - 1);
    madvise(reinterpret_cast<void *>(first), end - first, MADV_HUGEPAGE);
#else
    Q_UNUSED(image);
#endif
}

struct Decoding
{
    jpeg_decompress_struct info;
    ErrorManager errors;
};

// Reads the header and chooses the output. False when libjpeg gave up.
bool readHeader(Decoding &decoding, const unsigned char *bytes, unsigned long size)
{
    if (setjmp(decoding.errors.jump))
        return false;
    jpeg_mem_src(&decoding.info, bytes, size);
    jpeg_read_header(&decoding.info, TRUE);
    const J_COLOR_SPACE stored = decoding.info.jpeg_color_space;
    decoding.info.out_color_space = stored == JCS_CMYK || stored == JCS_YCCK ? JCS_CMYK : JCS_RGB;
    decoding.info.dct_method = JDCT_ISLOW;
    decoding.info.scale_num = 1;
    decoding.info.scale_denom = 1;
    jpeg_calc_output_dimensions(&decoding.info);
    return true;
}

// Decodes every line into rows (3 bytes a pixel) or, for CMYK, through cmykRow (4 bytes a
// pixel). False when libjpeg gave up.
bool decodeLines(Decoding &decoding, unsigned char *const *rows, unsigned char *cmykRow)
{
    if (setjmp(decoding.errors.jump))
        return false;
    jpeg_decompress_struct &info = decoding.info;
    jpeg_start_decompress(&info);
    const bool inverted = info.saw_Adobe_marker;
    while (info.output_scanline < info.output_height) {
        unsigned char *row = rows[info.output_scanline];
        if (!cmykRow) {
            jpeg_read_scanlines(&info, &row, 1);
            continue;
        }
        jpeg_read_scanlines(&info, &cmykRow, 1);
        for (JDIMENSION x = 0; x < info.output_width; ++x) {
            const unsigned char *ink = cmykRow + 4 * x;
            const int k = inverted ? ink[3] : 255 - ink[3];
            for (int channel = 0; channel < 3; ++channel) {
                const int c = inverted ? ink[channel] : 255 - ink[channel];
                row[3 * x + channel] = static_cast<unsigned char>(c * k / 255);
            }
        }
    }
    jpeg_finish_decompress(&info);
    return true;
}

struct Encoding
{
    jpeg_compress_struct info;
    ErrorManager errors;
    unsigned char *output = nullptr;
    unsigned long outputSize = 0;
    int components = 3;
    J_COLOR_SPACE inputSpace = JCS_RGB;
};

bool encodeLines(Encoding &encoding, const JpegEncoding &settings, const unsigned char *const *rows, int width, int height)
{
    if (setjmp(encoding.errors.jump))
        return false;
    jpeg_compress_struct &info = encoding.info;
    jpeg_mem_dest(&info, &encoding.output, &encoding.outputSize);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = encoding.components;
    info.in_color_space = encoding.inputSpace;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, settings.quality, TRUE);
    if (settings.greyscale)
        jpeg_set_colorspace(&info, JCS_GRAYSCALE);
    if (settings.progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto *row = const_cast<unsigned char *>(rows[info.next_scanline]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

} // namespace

std::optional<PictureError> decodeJpeg(QByteArrayView jpeg, QImage &image)
{
    if (jpeg.size() < 2 || static_cast<unsigned char>(jpeg[0]) != 0xff || static_cast<unsigned char>(jpeg[1]) != 0xd8)
        return PictureError{QStringLiteral("Ce ne sont pas des données JPEG.")};

    Decoding decoding;
    setUpErrors(decoding.errors);
    decoding.info.err = &decoding.errors.base;
    jpeg_create_decompress(&decoding.info);
    std::optional<PictureError> error;
    if (!readHeader(decoding, reinterpret_cast<const unsigned char *>(jpeg.data()), static_cast<unsigned long>(jpeg.size()))) {
        error = errorOf(decoding.errors);
    } else {
        const qint64 width = decoding.info.output_width;
        const qint64 height = decoding.info.output_height;
        if (!fitsDecoded(width, height, 3)) {
            error = tooLargeToShow(width, height);
        } else {
            QImage decoded(int(width), int(height), QImage::Format_RGB888);
            if (decoded.isNull())
                error = PictureError{QStringLiteral("Pas assez de mémoire pour une image de %1 × %2 points.").arg(width).arg(height)};
            else
                preferHugePages(decoded);
            std::vector<unsigned char *> rows(static_cast<std::size_t>(height));
            for (int y = 0; !error && y < int(height); ++y)
                rows[std::size_t(y)] = decoded.scanLine(y);
            std::vector<unsigned char> cmykRow(decoding.info.out_color_space == JCS_CMYK ? std::size_t(width) * 4 : 0);
            if (!error && !decodeLines(decoding, rows.data(), cmykRow.empty() ? nullptr : cmykRow.data()))
                error = errorOf(decoding.errors);
            if (!error)
                image = decoded;
        }
    }
    jpeg_destroy_decompress(&decoding.info);
    return error;
}

std::optional<PictureError> encodeJpeg(const QImage &image, QByteArray &jpeg, const JpegEncoding &settings)
{
    if (image.width() <= 0 || image.height() <= 0) {
        jpeg.clear();
        return std::nullopt;
    }
    // Qt's reader gives the bitmaps of older recipes as 32-bit points (0xffRRGGBB), which libjpeg
    // reads as they lie: converting a camera-sized bitmap first took as long as encoding it.
    const bool thirtyTwoBits = image.format() == QImage::Format_RGB32;
    const QImage source = thirtyTwoBits ? image : image.convertToFormat(QImage::Format_RGB888);
    std::vector<const unsigned char *> rows(static_cast<std::size_t>(source.height()));
    for (int y = 0; y < source.height(); ++y)
        rows[std::size_t(y)] = source.constScanLine(y);

    Encoding encoding;
    if (thirtyTwoBits) {
        encoding.components = 4;
        encoding.inputSpace = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    }
    setUpErrors(encoding.errors);
    encoding.info.err = &encoding.errors.base;
    jpeg_create_compress(&encoding.info);
    std::optional<PictureError> error;
    if (encodeLines(encoding, settings, rows.data(), source.width(), source.height()))
        jpeg = QByteArray(reinterpret_cast<const char *>(encoding.output), qsizetype(encoding.outputSize));
    else
        error = errorOf(encoding.errors);
    jpeg_destroy_compress(&encoding.info);
    std::free(encoding.output);
    return error;
}

} // namespace picture
