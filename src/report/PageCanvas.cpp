#include "report/PageCanvas.h"

#include "report/ReferenceLayout.h"

#include <QBuffer>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QTextItem>

namespace report {
namespace {

using ReferenceLayout::toMillimetres;

QPointF millimetres(const QPointF &pixels)
{
    return {toMillimetres(pixels.x()), toMillimetres(pixels.y())};
}

QRectF millimetres(const QRectF &pixels)
{
    return {millimetres(pixels.topLeft()), millimetres(pixels.bottomRight())};
}

// The font a recorded text keeps: the painter draws underlines and strike-outs itself, as
// lines of their own, after the text.
QFont withoutDecorations(QFont font)
{
    font.setUnderline(false);
    font.setStrikeOut(false);
    font.setOverline(false);
    return font;
}

// Turns what a painter draws into page items: the text of a rich text as laid out, its
// backgrounds, lines, bullets and pictures. Only what lies inside the painter's clip is kept.
class RecordingEngine : public QPaintEngine
{
public:
    RecordingEngine(ReportDocument &document, Page &page)
        : QPaintEngine(AllFeatures)
        , m_document(document)
        , m_page(page)
    {
    }

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {} // read from the painter when drawing
    Type type() const override { return User; }

    void drawTextItem(const QPointF &position, const QTextItem &textItem) override
    {
        const QString text = textItem.text();
        if (text.isEmpty())
            return;
        const QRectF box(position.x(), position.y() - textItem.ascent(), textItem.width(),
                         textItem.ascent() + textItem.descent());
        if (!visible(box))
            return;
        TextItem item;
        item.baseline = millimetres(transform().map(position));
        item.font = m_document.addFont(withoutDecorations(textItem.font()));
        item.colour = painter()->pen().color().rgba();
        item.text = text;
        m_page.items.push_back(std::move(item));
    }

    void drawRects(const QRectF *rects, int count) override
    {
        for (int i = 0; i < count; ++i) {
            if (!visible(rects[i]))
                continue;
            const QRectF mapped = transform().mapRect(rects[i]);
            if (painter()->brush().style() != Qt::NoBrush)
                m_page.items.push_back(RectItem{millimetres(mapped), painter()->brush().color().rgba()});
            if (painter()->pen().style() != Qt::NoPen) {
                const QLineF edges[] = {{mapped.topLeft(), mapped.topRight()}, {mapped.topRight(), mapped.bottomRight()},
                                        {mapped.bottomRight(), mapped.bottomLeft()}, {mapped.bottomLeft(), mapped.topLeft()}};
                for (const QLineF &edge : edges)
                    addLine(edge);
            }
        }
    }

    void drawLines(const QLineF *lines, int count) override
    {
        for (int i = 0; i < count; ++i) {
            const QLineF &line = lines[i];
            if (visible(QRectF(line.p1(), line.p2()).normalized().adjusted(-1, -1, 1, 1)))
                addLine(transform().map(line));
        }
    }

    void drawEllipse(const QRectF &rect) override
    {
        if (!visible(rect))
            return;
        const QColor colour = painter()->brush().style() != Qt::NoBrush ? painter()->brush().color()
                                                                         : painter()->pen().color();
        m_page.items.push_back(EllipseItem{millimetres(transform().mapRect(rect)), colour.rgba()});
    }

    // A path comes from a wavy underline or a shape no text needs; its outline is kept as lines.
    void drawPath(const QPainterPath &path) override
    {
        if (!visible(path.boundingRect()))
            return;
        for (const QPolygonF &polygon : path.toSubpathPolygons())
            for (int i = 1; i < polygon.size(); ++i)
                addLine(transform().map(QLineF(polygon[i - 1], polygon[i])));
    }

    void drawPolygon(const QPointF *points, int count, PolygonDrawMode) override
    {
        QPainterPath path;
        path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
        drawPath(path);
    }

    void drawPixmap(const QRectF &target, const QPixmap &pixmap, const QRectF &source) override
    {
        drawImage(target, pixmap.toImage(), source, Qt::AutoColor);
    }

    void drawImage(const QRectF &target, const QImage &image, const QRectF &source, Qt::ImageConversionFlags) override
    {
        if (image.isNull() || !visible(target))
            return;
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.copy(source.toAlignedRect()).save(&buffer, "PNG");
        const int index = m_document.addImage({ReportImage::Format::Png, png});
        m_page.items.push_back(ImageItem{millimetres(transform().mapRect(target)), index});
    }

    void drawTiledPixmap(const QRectF &, const QPixmap &, const QPointF &) override {}

private:
    QTransform transform() const { return painter()->combinedTransform(); }

    bool visible(const QRectF &rect) const
    {
        if (!painter()->hasClipping())
            return true;
        const QRectF clip = painter()->clipBoundingRect();
        // A line that only touches the clip's edge is not in it.
        return clip.intersected(rect).height() > 0.01 || (rect.height() <= 0 && clip.intersects(rect.adjusted(0, -0.5, 0, 0.5)));
    }

    void addLine(const QLineF &line)
    {
        const qreal width = painter()->pen().widthF() > 0 ? painter()->pen().widthF() : 1;
        m_page.items.push_back(LineItem{QLineF(millimetres(line.p1()), millimetres(line.p2())), toMillimetres(width),
                                        painter()->pen().color().rgba()});
    }

    ReportDocument &m_document;
    Page &m_page;
};

// A page at the reference resolution whose painting becomes items.
class RecordingDevice : public QPaintDevice
{
public:
    RecordingDevice(ReportDocument &document, Page &page)
        : m_engine(document, page)
        , m_size(document.paperSize())
    {
    }

    QPaintEngine *paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        const QPaintDevice &reference = ReferenceLayout::device();
        switch (metric) {
        case PdmWidth:
            return qCeil(ReferenceLayout::toPixels(m_size.width()));
        case PdmHeight:
            return qCeil(ReferenceLayout::toPixels(m_size.height()));
        case PdmWidthMM:
            return qCeil(m_size.width());
        case PdmHeightMM:
            return qCeil(m_size.height());
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmPhysicalDpiX:
            return reference.logicalDpiX();
        case PdmDpiY:
        case PdmPhysicalDpiY:
            return reference.logicalDpiY();
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    mutable RecordingEngine m_engine;
    QSizeF m_size;
};

} // namespace

class PageCanvas::Recorder
{
public:
    Recorder(ReportDocument &document, Page &page)
        : device(document, page)
        , painter(&device)
    {
    }

    RecordingDevice device;
    QPainter painter;
};

PageCanvas::PageCanvas(ReportDocument &document, int pageIndex)
    : m_document(document)
    , m_pageIndex(pageIndex)
{
}

PageCanvas::~PageCanvas() = default;

void PageCanvas::addText(const QPointF &baseline, const QFont &font, const QColor &colour, const QString &text)
{
    endRecording();
    page().items.push_back(TextItem{baseline, m_document.addFont(font), colour.rgba(), text});
}

void PageCanvas::addRect(const QRectF &rect, const QColor &colour)
{
    endRecording();
    page().items.push_back(RectItem{rect, colour.rgba()});
}

void PageCanvas::addLine(const QLineF &line, qreal width, const QColor &colour)
{
    endRecording();
    page().items.push_back(LineItem{line, width, colour.rgba()});
}

void PageCanvas::addImage(const QRectF &rect, const ReportImage &image)
{
    endRecording();
    page().items.push_back(ImageItem{rect, m_document.addImage(image)});
}

QPainter &PageCanvas::recordingPainter()
{
    if (!m_recorder)
        m_recorder = std::make_unique<Recorder>(m_document, page());
    return m_recorder->painter;
}

void PageCanvas::endRecording()
{
    m_recorder.reset();
}

} // namespace report
