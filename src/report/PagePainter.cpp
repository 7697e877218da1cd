#include "report/PagePainter.h"

#include "report/ReferenceLayout.h"
#include "report/ReportDocument.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>

namespace report {
namespace {

// Draws in reference pixels: the coordinates text was laid out in.
class PageDrawing
{
public:
    PageDrawing(QPainter &painter, const ReportDocument &document)
        : m_painter(painter)
        , m_document(document)
    {
    }

    void operator()(const TextItem &item) const
    {
        if (item.font < 0 || item.font >= int(m_document.fonts().size()))
            return;
        QTextLayout layout(item.text, ReferenceLayout::font(m_document.fonts()[std::size_t(item.font)]),
                           &ReferenceLayout::device());
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        if (!line.isValid()) {
            layout.endLayout();
            return;
        }
        line.setPosition({0, 0});
        layout.endLayout();
        m_painter.setPen(QColor::fromRgba(item.colour));
        const QPointF baseline = pixels(item.baseline);
        layout.draw(&m_painter, {baseline.x(), baseline.y() - line.ascent()});
    }

    void operator()(const RectItem &item) const
    {
        m_painter.fillRect(pixels(item.rect), QColor::fromRgba(item.colour));
    }

    void operator()(const LineItem &item) const
    {
        QPen pen(QColor::fromRgba(item.colour));
        pen.setWidthF(ReferenceLayout::toPixels(item.width));
        pen.setCapStyle(Qt::FlatCap);
        m_painter.setPen(pen);
        m_painter.drawLine(QLineF(pixels(item.line.p1()), pixels(item.line.p2())));
    }

    void operator()(const EllipseItem &item) const
    {
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(QColor::fromRgba(item.colour));
        m_painter.drawEllipse(pixels(item.rect));
        m_painter.setBrush(Qt::NoBrush);
    }

    void operator()(const ImageItem &item) const
    {
        const QImage image = m_document.decodedImage(item.image);
        if (!image.isNull())
            m_painter.drawImage(pixels(item.rect), image);
    }

private:
    static QPointF pixels(const QPointF &point)
    {
        return {ReferenceLayout::toPixels(point.x()), ReferenceLayout::toPixels(point.y())};
    }

    static QRectF pixels(const QRectF &rect)
    {
        return {pixels(rect.topLeft()), pixels(rect.bottomRight())};
    }

    QPainter &m_painter;
    const ReportDocument &m_document;
};

qreal scaleOf(int dotsPerInch)
{
    return dotsPerInch > 0 ? dotsPerInch / ReferenceLayout::DotsPerInch : 1;
}

} // namespace

void drawPage(QPainter &painter, const ReportDocument &document, int pageIndex)
{
    if (pageIndex < 0 || pageIndex >= document.pageCount() || !painter.device())
        return;
    const QPaintDevice &device = *painter.device();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(scaleOf(device.logicalDpiX()), scaleOf(device.logicalDpiY()));
    const PageDrawing draw(painter, document);
    for (const PageItem &item : document.pages()[std::size_t(pageIndex)].items)
        std::visit(draw, item);
    painter.restore();
}

} // namespace report
