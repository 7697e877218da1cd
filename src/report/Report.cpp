#include "report/Report.h"

#include "report/PageCanvas.h"
#include "report/PreviewWindow.h"

#include <QWidget>

namespace report {
namespace {

// A band grows by this much at a time for an element whose text does not fit.
constexpr qreal GrowthStep = 5;
// Between two elements still printing on a continuation page.
constexpr qreal ContinuationGap = 5;

// Reports the build's progress in whole percents, never in steps smaller than 5, and 0 and 100
// always.
class ProgressSteps
{
public:
    explicit ProgressSteps(const Report::Progress &progress)
        : m_progress(progress)
    {
        report(0);
    }

    void advance(int done, int total)
    {
        const int percent = total > 0 ? int(qint64(done) * 100 / total) : 100;
        if (percent >= m_reported + 5 && percent < 100)
            report(percent);
    }

    void finish() { report(100); }

private:
    void report(int percent)
    {
        m_reported = percent;
        if (m_progress)
            m_progress(percent);
    }

    const Report::Progress &m_progress;
    int m_reported = 0;
};

// Builds the pages of a report: the column header at the top of every page, the detail bands
// one under the other while they fit above the page footer, the footer at the bottom of every
// page. Elements whose text does not fit make their band grow, in steps, while the page has
// room; what still remains goes on at the top of the following pages.
class PageBuilder
{
public:
    PageBuilder(const PageSetup &setup, const Band *header, const Band *detail, const Band *footer)
        : m_setup(setup)
        , m_header(header)
        , m_detail(detail)
        , m_footer(footer)
        , m_document(setup.paper)
    {
    }

    void startPage()
    {
        m_document.addPage();
        m_canvas = std::make_unique<PageCanvas>(m_document, m_document.pageCount() - 1);
        m_top = m_setup.printableTop();
        if (m_header)
            printHeader();
    }

    // Further pages for what the header's elements have left, then the last footer.
    void finish()
    {
        while (!unfinished().empty()) {
            endPage();
            startPage();
        }
        endPage();
    }

    void printDetail()
    {
        if (!m_detail)
            return;
        if (m_top + m_detail->height() > footerTop() + 0.001 && m_top > firstDetailTop()) {
            endPage();
            startPage();
        }
        printElements(*m_detail, m_top);
        m_top += m_detail->height();
    }

    ReportDocument takeDocument() { return std::move(m_document); }

private:
    qreal footerTop() const
    {
        return m_setup.printableBottom() - (m_footer ? m_footer->height() : 0);
    }

    // A detail band too tall for a page of its own still prints, below the header.
    qreal firstDetailTop() const { return m_setup.printableTop() + (m_header ? m_header->height() : 0); }

    void printHeader()
    {
        if (m_document.pageCount() == 1 || unfinished().empty()) {
            printElements(*m_header, m_top);
            m_top += stretch(*m_header, m_top);
        } else {
            m_top = continueUnfinished();
        }
    }

    // On its first page the band prints all its elements; a stretching element that does not
    // fit its box makes the band grow in steps while the page has room for them.
    qreal stretch(const Band &band, qreal bandTop)
    {
        const QPointF origin(m_setup.margins.left(), bandTop);
        qreal height = band.height();
        for (StretchingElement *element : stretching(band)) {
            const QRectF box = element->rect();
            qreal grown = 0;
            while (!element->fitsIn({box.width(), box.height() + grown})
                   && bandTop + band.height() + grown + GrowthStep <= footerTop() + 0.001)
                grown += GrowthStep;
            element->printPart(*m_canvas, box.adjusted(0, 0, 0, grown).translated(origin));
            height = qMax(height, band.height() + grown);
        }
        return height;
    }

    // The elements that still have text, one under the other from the top of the page, each
    // as wide as it was designed and as tall as the page leaves it.
    qreal continueUnfinished()
    {
        qreal top = m_setup.printableTop();
        for (StretchingElement *element : unfinished()) {
            if (top >= footerTop())
                break;
            const QRectF box(m_setup.margins.left() + element->rect().left(), top, element->rect().width(), footerTop() - top);
            qreal height = 0;
            while (!element->fitsIn({box.width(), height}) && top + height + GrowthStep <= footerTop() + 0.001)
                height += GrowthStep;
            element->printPart(*m_canvas, QRectF(box.topLeft(), QSizeF(box.width(), qMax(height, GrowthStep))));
            top += height + ContinuationGap;
        }
        return top;
    }

    void endPage()
    {
        if (m_footer)
            printElements(*m_footer, footerTop());
        m_canvas.reset();
    }

    void printElements(const Band &band, qreal bandTop)
    {
        if (band.hasTopLine())
            m_canvas->addLine({m_setup.margins.left(), bandTop, m_setup.margins.left() + m_setup.printableWidth(), bandTop},
                              0.2, Qt::black);
        const QPointF origin(m_setup.margins.left(), bandTop);
        for (const auto &element : band.elements())
            if (!dynamic_cast<StretchingElement *>(element.get()) || band.kind() != Band::Kind::ColumnHeader)
                element->print(*m_canvas, origin);
    }

    static std::vector<StretchingElement *> stretching(const Band &band)
    {
        std::vector<StretchingElement *> found;
        for (const auto &element : band.elements())
            if (auto *stretchingElement = dynamic_cast<StretchingElement *>(element.get()))
                found.push_back(stretchingElement);
        return found;
    }

    std::vector<StretchingElement *> unfinished() const
    {
        std::vector<StretchingElement *> found;
        if (m_header)
            for (StretchingElement *element : stretching(*m_header))
                if (!element->isFinished())
                    found.push_back(element);
        return found;
    }

    const PageSetup &m_setup;
    const Band *m_header;
    const Band *m_detail;
    const Band *m_footer;
    ReportDocument m_document;
    std::unique_ptr<PageCanvas> m_canvas;
    qreal m_top = 0;
};

} // namespace

Report::Report() = default;
Report::~Report() = default;

QFont Report::defaultFont() const
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8);
    return font;
}

Band &Report::addBand(Band::Kind kind, qreal height)
{
    return *m_bands.emplace_back(std::make_unique<Band>(kind, height));
}

ReportDocument Report::build(const Progress &progress)
{
    ProgressSteps steps(progress);
    const auto bandOf = [this](Band::Kind kind) -> const Band * {
        for (const auto &band : m_bands)
            if (band->kind() == kind)
                return band.get();
        return nullptr;
    };
    for (const auto &band : m_bands)
        for (const auto &element : band->elements())
            element->prepare();

    PageBuilder pages(m_pageSetup, bandOf(Band::Kind::ColumnHeader), bandOf(Band::Kind::Detail),
                      bandOf(Band::Kind::PageFooter));
    pages.startPage();
    if (m_data) {
        m_data->runStarts();
        try {
            const int total = m_data->rowCount();
            int done = 0;
            for (m_data->first(); !m_data->atEnd(); m_data->next()) {
                pages.printDetail();
                steps.advance(++done, total);
            }
        } catch (...) {
            // The error that stopped the run is the one to report; ending the run may fail for
            // the same reason, and must not hide it.
            try {
                m_data->runEnds();
            } catch (...) {
            }
            throw;
        }
        m_data->runEnds();
    }
    pages.finish();
    steps.finish();
    return pages.takeDocument();
}

void Report::preview(QWidget *parent)
{
    PreviewWindow window([this](const Progress &progress) { return build(progress); }, m_title, m_jobName, parent);
    window.exec();
}

} // namespace report
