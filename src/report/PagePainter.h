#pragma once

class QPainter;
class QRectF;

namespace report {

class ReportDocument;

/// Draws one built page with the painter, whose device holds the whole paper from its top-left
/// corner (a printer in full-page mode, a PDF writer, a picture of the page); millimetres are
/// turned into the device's pixels by its resolution. Text keeps the layout it was given at the
/// reference resolution: only its size changes with the device.
void drawPage(QPainter &painter, const ReportDocument &document, int pageIndex);

} // namespace report
