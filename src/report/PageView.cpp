#include "report/PageView.h"

#include "report/PagePainter.h"
#include "report/ReportDocument.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <cmath>

namespace report {
namespace {

// Around the pages and between two of them, in screen pixels.
constexpr int PageMargin = 12;
constexpr int ShadowWidth = 4;

} // namespace

PageView::PageView(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    // Always there, so that fitting the width does not make it come and go.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

void PageView::setDocument(const ReportDocument *document)
{
    m_document = document;
    m_currentPage = pageCount() > 0 ? 1 : 0;
    layOutPages();
    verticalScrollBar()->setValue(0);
    viewport()->update();
    emit currentPageChanged();
}

int PageView::pageCount() const
{
    return m_document ? m_document->pageCount() : 0;
}

void PageView::setCurrentPage(int page)
{
    if (pageCount() == 0)
        return;
    page = qBound(1, page, pageCount());
    verticalScrollBar()->setValue(int(pageRect(page - 1).top()) - PageMargin);
    // At the end of the column the last pages cannot come to the top: they are current all the
    // same, since the user asked for them.
    if (m_currentPage != page) {
        m_currentPage = page;
        emit currentPageChanged();
    }
}

qreal PageView::zoomFactor() const
{
    return pixelsPerMillimetre() / actualPixelsPerMillimetre();
}

void PageView::fitInView()
{
    m_zoom = Zoom::FitInView;
    layOutPages();
}

void PageView::fitToWidth()
{
    m_zoom = Zoom::FitToWidth;
    layOutPages();
}

void PageView::setZoomFactor(qreal factor)
{
    m_zoom = Zoom::Custom;
    m_customFactor = factor;
    layOutPages();
}

QSizeF PageView::paperSize() const
{
    return m_document ? m_document->paperSize() : QSizeF(210, 297);
}

qreal PageView::actualPixelsPerMillimetre() const
{
    return logicalDpiX() / 25.4;
}

qreal PageView::pixelsPerMillimetre() const
{
    const QSizeF paper = paperSize();
    const QSize area = viewport()->size() - QSize(2 * PageMargin + ShadowWidth, 2 * PageMargin + ShadowWidth);
    const qreal toWidth = qMax(1, area.width()) / paper.width();
    switch (m_zoom) {
    case Zoom::FitToWidth:
        return toWidth;
    case Zoom::FitInView:
        return qMin(toWidth, qMax(1, area.height()) / paper.height());
    case Zoom::Custom:
        break;
    }
    return actualPixelsPerMillimetre() * m_customFactor;
}

QSizeF PageView::pageSizeInPixels() const
{
    return paperSize() * pixelsPerMillimetre();
}

QRectF PageView::pageRect(int pageIndex) const
{
    const QSizeF page = pageSizeInPixels();
    const qreal columnWidth = page.width() + 2 * PageMargin + ShadowWidth;
    const qreal left = qMax<qreal>(PageMargin, (viewport()->width() - columnWidth) / 2 + PageMargin);
    return {QPointF(left, PageMargin + pageIndex * (page.height() + PageMargin + ShadowWidth)), page};
}

// The scroll bars for the column of pages at the zoom, the current page kept in view.
void PageView::layOutPages()
{
    const int current = m_currentPage;
    const QSizeF page = pageSizeInPixels();
    const int width = int(std::ceil(page.width())) + 2 * PageMargin + ShadowWidth;
    const int height = pageCount() * (int(std::ceil(page.height())) + PageMargin + ShadowWidth) + PageMargin;
    horizontalScrollBar()->setRange(0, qMax(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    verticalScrollBar()->setRange(0, qMax(0, height - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(qMax(1, int(page.height() / 20)));
    if (current > 0)
        setCurrentPage(current);
    viewport()->update();
}

void PageView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    layOutPages();
}

void PageView::scrollContentsBy(int, int)
{
    viewport()->update();
    followScrolling();
}

// The current page is the one across the middle of the view.
void PageView::followScrolling()
{
    if (pageCount() == 0)
        return;
    const qreal middle = verticalScrollBar()->value() + viewport()->height() / 2.0;
    const qreal step = pageSizeInPixels().height() + PageMargin + ShadowWidth;
    const int page = qBound(1, int((middle - PageMargin / 2.0) / step) + 1, pageCount());
    if (page != m_currentPage) {
        m_currentPage = page;
        emit currentPageChanged();
    }
}

void PageView::paintEvent(QPaintEvent *event)
{
    if (pageCount() == 0)
        return;
    QPainter painter(viewport());
    const QPointF scrolled(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    const QRectF visible = QRectF(event->rect()).translated(-scrolled);
    const qreal step = pageSizeInPixels().height() + PageMargin + ShadowWidth;
    const int first = qBound(0, int((visible.top() - PageMargin) / step), pageCount() - 1);
    // The painter's pixels to the paper's millimetres, through the device's own resolution that
    // the pages are drawn for.
    const qreal scale = pixelsPerMillimetre() * 25.4 / logicalDpiX();
    for (int index = first; index < pageCount(); ++index) {
        const QRectF page = pageRect(index).translated(scrolled);
        if (page.top() > event->rect().bottom())
            break;
        painter.fillRect(page.translated(ShadowWidth, ShadowWidth), palette().shadow());
        painter.fillRect(page, Qt::white);
        painter.save();
        painter.setClipRect(page); // what runs past the paper is lost, as on the printer
        painter.translate(page.topLeft());
        painter.scale(scale, scale);
        drawPage(painter, *m_document, index);
        painter.restore();
    }
}

} // namespace report
