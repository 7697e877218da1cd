#pragma once

#include <QtGlobal>

class QPaintDevice;
class QPainter;
class QRectF;
class QTextDocument;

namespace richtext {

// The part of a document that one page rectangle holds.
struct PageRange
{
    int end = 0;      // the first character that did not fit, or the document's length
    qreal height = 0; // of the lines that fit, in the device's pixels
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
