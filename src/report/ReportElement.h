#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>

namespace report {

class PageCanvas;

/// One printable element of a band, placed in millimetres from the band's top-left corner.
class ReportElement
{
public:
    explicit ReportElement(const QRectF &designRect)
        : m_rect(designRect)
    {
    }
    virtual ~ReportElement() = default;
    ReportElement(const ReportElement &) = delete;
    ReportElement &operator=(const ReportElement &) = delete;

    /// Where the element stands in its band, and its size.
    QRectF rect() const { return m_rect; }
    void setRect(const QRectF &rect) { m_rect = rect; }

    /// Called once before the first page is built: an element reads what it prints only then.
    virtual void prepare() {}

    /// Prints the element on the canvas's page, its band's top-left corner at bandOrigin.
    virtual void print(PageCanvas &canvas, const QPointF &bandOrigin) = 0;

private:
    QRectF m_rect;
};

/// An element whose content may not fit its box: its band grows to give it room, and what still
/// remains goes on to the following pages.
class StretchingElement : public ReportElement
{
public:
    using ReportElement::ReportElement;

    /// Starts the content again from its beginning.
    virtual void restart() = 0;
    /// Everything has been printed.
    virtual bool isFinished() const = 0;
    /// Whether what remains fits a box of this size.
    virtual bool fitsIn(const QSizeF &size) const = 0;
    /// Prints into the box as much of what remains as fits; what follows is left for later.
    virtual void printPart(PageCanvas &canvas, const QRectF &box) = 0;

    /// On its design page, the element prints the part that fits its box.
    void print(PageCanvas &canvas, const QPointF &bandOrigin) override
    {
        printPart(canvas, rect().translated(bandOrigin));
    }
};

} // namespace report
