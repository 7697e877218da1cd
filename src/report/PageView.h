#pragma once

#include <QAbstractScrollArea>

namespace report {

class ReportDocument;

/// The pages of a built report one under the other, as on a desk, zoomed to the whole page, to
/// the page's width or to a factor of its actual size. Only the pages in sight are drawn, when
/// they come into sight: a list of hundreds of pages shows at once.
class PageView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    enum class Zoom { FitInView, FitToWidth, Custom };

    explicit PageView(QWidget *parent = nullptr);

    /// The pages to show, which must outlive the view or be replaced first; page 1 is shown.
    void setDocument(const ReportDocument *document);

    int pageCount() const;
    /// The page in the middle of the view, counted from 1; 0 without pages.
    int currentPage() const { return m_currentPage; }
    /// Brings the top of the page into view; a number out of range goes to the nearest page.
    void setCurrentPage(int page);

    Zoom zoomMode() const { return m_zoom; }
    /// On the screen, compared with the paper's own size.
    qreal zoomFactor() const;
    void fitInView();
    void fitToWidth();
    void setZoomFactor(qreal factor);

signals:
    void currentPageChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QSizeF paperSize() const;
    /// Screen pixels for a millimetre of paper at the paper's actual size.
    qreal actualPixelsPerMillimetre() const;
    qreal pixelsPerMillimetre() const;
    QSizeF pageSizeInPixels() const;
    /// The page's place in the whole column of pages.
    QRectF pageRect(int pageIndex) const;
    void layOutPages();
    void followScrolling();

    const ReportDocument *m_document = nullptr;
    Zoom m_zoom = Zoom::FitToWidth;
    qreal m_customFactor = 1;
    int m_currentPage = 0;
};

} // namespace report
