#include "richtext/PageRange.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QRectF>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <memory>

namespace richtext {
namespace {

constexpr qreal LayoutDotsPerInch = 96;
constexpr qreal MetresPerInch = 0.0254;
// Lines are compared in layout pixels summed from fractions.
constexpr qreal Tolerance = 0.01;

qreal scaleOf(int dotsPerInch)
{
    return dotsPerInch > 0 ? dotsPerInch / LayoutDotsPerInch : 1;
}

} // namespace

PageLayout::PageLayout(const QTextDocument &document, const QPaintDevice &device, qreal pageWidth)
    : m_scaleX(scaleOf(device.logicalDpiX()))
    , m_scaleY(scaleOf(device.logicalDpiY()))
    , m_metrics(1, 1, QImage::Format_ARGB32)
    , m_document(document.clone())
{
    const int dotsPerMetre = qRound(LayoutDotsPerInch / MetresPerInch);
    m_metrics.setDotsPerMeterX(dotsPerMetre);
    m_metrics.setDotsPerMeterY(dotsPerMetre);
    m_document->documentLayout()->setPaintDevice(&m_metrics);
    m_document->setDocumentMargin(0);
    m_document->setTextWidth(qMax<qreal>(1, pageWidth / m_scaleX));
}

PageLayout::~PageLayout() = default;

PageRange PageLayout::fit(int firstCharacter, qreal pageHeight, Overflow overflow)
{
    m_pageHeight = pageHeight / m_scaleY;
    const int length = m_document->characterCount() - 1;
    firstCharacter = qBound(0, firstCharacter, length);
    m_top = m_bottom = 0;
    if (firstCharacter == length)
        return {length, 0};

    QTextBlock block = m_document->findBlock(firstCharacter);
    int lineNumber = laidOut(block)->lineForTextPosition(firstCharacter - block.position()).lineNumber();
    lineNumber = qMax(lineNumber, 0);
    m_top = m_bottom = lineTop(block, lineNumber);
    for (; block.isValid(); block = block.next(), lineNumber = 0) {
        const QTextLayout *text = laidOut(block);
        for (; lineNumber < text->lineCount(); ++lineNumber) {
            const qreal lineBottom = lineTop(block, lineNumber) + text->lineAt(lineNumber).height();
            if (lineBottom - m_top > m_pageHeight + Tolerance) {
                if (m_bottom > m_top || overflow == Overflow::TakeNothing || m_pageHeight <= 0)
                    return {block.position() + text->lineAt(lineNumber).textStart(), heightInDevicePixels()};
                m_bottom = m_top + m_pageHeight;
                return {nextLineStart(block, lineNumber, length), heightInDevicePixels()};
            }
            m_bottom = lineBottom;
        }
    }
    return {length, heightInDevicePixels()};
}

void PageLayout::draw(QPainter &painter, const QPointF &topLeft) const
{
    if (m_bottom <= m_top)
        return;
    const qreal width = m_document->textWidth();
    // Bullets hang left of the text, so only the height is cut.
    const QRectF shown(-width, m_top, 3 * width, m_bottom - m_top);
    painter.save();
    painter.translate(topLeft);
    painter.scale(m_scaleX, m_scaleY);
    painter.translate(0, -m_top);
    painter.setClipRect(shown, Qt::IntersectClip);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = shown;
    context.palette.setColor(QPalette::Text, Qt::black); // the automatic colour on paper
    m_document->documentLayout()->draw(&painter, context);
    painter.restore();
}

const QTextLayout *PageLayout::laidOut(const QTextBlock &block) const
{
    m_document->documentLayout()->blockBoundingRect(block); // lays the document out up to here
    return block.layout();
}

qreal PageLayout::lineTop(const QTextBlock &block, int lineNumber) const
{
    const QTextLayout *text = block.layout();
    return text->position().y() + text->lineAt(lineNumber).y();
}

int PageLayout::nextLineStart(const QTextBlock &block, int lineNumber, int length)
{
    const QTextLayout *text = block.layout();
    if (lineNumber + 1 < text->lineCount())
        return block.position() + text->lineAt(lineNumber + 1).textStart();
    return qMin(block.position() + block.length(), length);
}

qreal PageLayout::heightInDevicePixels() const
{
    return (m_bottom - m_top) * m_scaleY;
}

PageRange measurePageRange(const QTextDocument &document, const QPaintDevice &device, const QRectF &pageRect,
                           int firstCharacter)
{
    return PageLayout(document, device, pageRect.width()).fit(firstCharacter, pageRect.height(), PageLayout::Overflow::TakeNothing);
}

PageRange renderPageRange(const QTextDocument &document, QPainter &painter, const QRectF &pageRect, int firstCharacter)
{
    const QPaintDevice *device = painter.device();
    if (!device)
        return {firstCharacter, 0}; // a painter that paints nowhere
    PageLayout layout(document, *device, pageRect.width());
    const PageRange range = layout.fit(firstCharacter, pageRect.height(), PageLayout::Overflow::CutLine);
    layout.draw(painter, pageRect.topLeft());
    return range;
}

} // namespace richtext
