#pragma once

#include "ReportDocument.h"

#include <QPainter>

#include <memory>

namespace report {

/// The page being built, as the elements see it: they add what they print, in millimetres, and
/// read the page's number.
class PageCanvas
{
public:
    PageCanvas(ReportDocument &document, int pageIndex);
    ~PageCanvas();
    PageCanvas(const PageCanvas &) = delete;
    PageCanvas &operator=(const PageCanvas &) = delete;

    ReportDocument &document() { return m_document; }
    /// The page number, counted from 1.
    int pageNumber() const { return m_pageIndex + 1; }

    void addText(const QPointF &baseline, const QFont &font, const QColor &colour, const QString &text);
    void addRect(const QRectF &rect, const QColor &colour);
    void addLine(const QLineF &line, qreal width, const QColor &colour);
    void addImage(const QRectF &rect, const ReportImage &image);

    /// A painter on the page at the reference resolution, whose drawing is recorded as the
    /// page's items: what rich text is printed with. Its coordinates are reference pixels from
    /// the paper's top-left corner. Ended by endRecording, or with the canvas.
    QPainter &recordingPainter();
    void endRecording();

private:
    Page &page() { return m_document.pages()[std::size_t(m_pageIndex)]; }

    ReportDocument &m_document;
    int m_pageIndex;
    class Recorder;
    std::unique_ptr<Recorder> m_recorder;
};

} // namespace report
