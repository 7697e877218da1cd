#pragma once

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QRgb>
#include <QSizeF>
#include <QString>

#include <variant>
#include <vector>

namespace report {

// Every position and size of a built page is in millimetres from the paper's top-left corner.

/// A piece of text on one line, drawn with the font of the document's table.
struct TextItem
{
    QPointF baseline; ///< where the text starts, on its baseline
    int font = 0;     ///< index in ReportDocument::fonts()
    QRgb colour = 0xff000000;
    QString text;

    friend bool operator==(const TextItem &, const TextItem &) = default;
};

/// A filled rectangle: an element's background, a text's highlight.
struct RectItem
{
    QRectF rect;
    QRgb colour = 0xffffffff;

    friend bool operator==(const RectItem &, const RectItem &) = default;
};

/// A straight line of the given width.
struct LineItem
{
    QLineF line;
    qreal width = 0.2;
    QRgb colour = 0xff000000;

    friend bool operator==(const LineItem &, const LineItem &) = default;
};

/// A filled ellipse: a bullet of a rich text's list.
struct EllipseItem
{
    QRectF rect;
    QRgb colour = 0xff000000;

    friend bool operator==(const EllipseItem &, const EllipseItem &) = default;
};

/// A picture of the document's table drawn stretched into a rectangle, which may run past the
/// page: the paper's edge cuts it.
struct ImageItem
{
    QRectF rect;
    int image = 0; ///< index in ReportDocument::images()

    friend bool operator==(const ImageItem &, const ImageItem &) = default;
};

using PageItem = std::variant<TextItem, RectItem, LineItem, EllipseItem, ImageItem>;

/// One built page: what is drawn on it, in drawing order.
struct Page
{
    std::vector<PageItem> items;

    friend bool operator==(const Page &, const Page &) = default;
};

/// A picture a report prints. A JPEG keeps the bytes it came as, so that a saved report and a
/// PDF carry it unchanged; a picture that was no file (drawn inside a rich text) is kept as PNG.
struct ReportImage
{
    enum class Format { Jpeg, Png };

    Format format = Format::Png;
    QByteArray bytes;

    friend bool operator==(const ReportImage &a, const ReportImage &b)
    {
        return a.format == b.format && a.bytes == b.bytes;
    }
};

/// The pages of one report as they were built, once, in millimetres: what the preview shows,
/// the printer prints, a PDF holds and a saved report keeps. The fonts and pictures the pages
/// use are kept once, in tables the items name by index.
class ReportDocument
{
public:
    ReportDocument() = default;
    explicit ReportDocument(const QSizeF &paperSize)
        : m_paperSize(paperSize)
    {
    }

    QSizeF paperSize() const { return m_paperSize; }
    void setPaperSize(const QSizeF &size) { m_paperSize = size; }

    const std::vector<Page> &pages() const { return m_pages; }
    std::vector<Page> &pages() { return m_pages; }
    int pageCount() const { return int(m_pages.size()); }
    Page &addPage();

    const std::vector<QFont> &fonts() const { return m_fonts; }
    /// The index of the font in the table, added when it is not there yet.
    int addFont(const QFont &font);

    const std::vector<ReportImage> &images() const { return m_images; }
    /// The index of the picture in the table; the same bytes are kept once.
    int addImage(const ReportImage &image);
    /// The picture decoded, once; an empty image when its bytes are damaged.
    QImage decodedImage(int index) const;

    friend bool operator==(const ReportDocument &a, const ReportDocument &b)
    {
        return a.m_paperSize == b.m_paperSize && a.m_pages == b.m_pages && a.m_fonts == b.m_fonts
            && a.m_images == b.m_images;
    }

private:
    QSizeF m_paperSize{210, 297};
    std::vector<Page> m_pages;
    std::vector<QFont> m_fonts;
    std::vector<ReportImage> m_images;
    mutable std::vector<QImage> m_decoded;
};

} // namespace report
