#pragma once

#include <QtGlobal>
#include <QImage>

#include <memory>

class QPaintDevice;
class QPainter;
class QPointF;
class QRectF;
class QTextBlock;
class QTextDocument;
class QTextLayout;

namespace richtext {

// The part of a document that one page rectangle holds.
struct PageRange
{
    int end = 0;      // the first character that did not fit, or the document's length
    qreal height = 0; // of the lines that fit, in the device's pixels
};

// A copy of a document laid out once for one page width, at 96 pixels per inch as on the screen,
// and only scaled to the device: a page breaks where the same text breaks on the screen. Pages
// are then taken from it one after the other without laying it out again.
class PageLayout
{
public:
    // The width is in the device's pixels.
    PageLayout(const QTextDocument &document, const QPaintDevice &device, qreal pageWidth);
    ~PageLayout();
    PageLayout(const PageLayout &) = delete;
    PageLayout &operator=(const PageLayout &) = delete;

    // With Overflow::CutLine, a first line taller than the whole rectangle is taken all the same,
    // cut at the rectangle's bottom, so that printing page after page always moves on.
    enum class Overflow { TakeNothing, CutLine };

    // Takes from the line that holds firstCharacter the whole lines that fit the height, in the
    // device's pixels.
    PageRange fit(int firstCharacter, qreal pageHeight, Overflow overflow);
    // Draws the lines the last fit took, their top-left corner at topLeft.
    void draw(QPainter &painter, const QPointF &topLeft) const;

private:
    const QTextLayout *laidOut(const QTextBlock &block) const;
    qreal lineTop(const QTextBlock &block, int lineNumber) const;
    static int nextLineStart(const QTextBlock &block, int lineNumber, int length);
    qreal heightInDevicePixels() const;

    qreal m_scaleX;
    qreal m_scaleY;
    qreal m_pageHeight = 0;
    qreal m_top = 0;
    qreal m_bottom = 0;
    QImage m_metrics;
    std::unique_ptr<QTextDocument> m_document;
};

// Lays the document out at the width of pageRect, given in the pixels of a device, and takes
// from the line that holds firstCharacter the whole lines that fit the rectangle's height. When
// even that line is taller than the rectangle nothing fits and end is firstCharacter: the caller
// decides whether a taller rectangle comes.
//
// The layout is made at 96 pixels per inch, as on the screen, and only scaled to the device, so
// that a page breaks where the same text breaks on the screen.
PageRange measurePageRange(const QTextDocument &document, const QPaintDevice &device, const QRectF &pageRect,
                           int firstCharacter);

// The same, and draws those lines into pageRect. The painter is on its device's pixels. What is
// drawn is final, so a first line taller than the rectangle is drawn cut at its bottom and end
// comes after it: a caller printing page after page is never stuck on it.
PageRange renderPageRange(const QTextDocument &document, QPainter &painter, const QRectF &pageRect, int firstCharacter);

} // namespace richtext
