#pragma once

#include "ReportDocument.h"
#include "ReportElement.h"

#include <QMarginsF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace report {

/// Page set-up of a report, in millimetres.
struct PageSetup
{
    QSizeF paper{210, 297}; // A4, portrait
    QMarginsF margins{10, 10, 10, 10};

    qreal printableWidth() const { return paper.width() - margins.left() - margins.right(); }
    qreal printableTop() const { return margins.top(); }
    qreal printableBottom() const { return paper.height() - margins.bottom(); }
};

/// The rows a report runs over, one detail band each.
class ReportData
{
public:
    virtual ~ReportData() = default;
    /// Called before the run and after it, also when the run fails.
    virtual void runStarts() {}
    virtual void runEnds() {}
    /// How many rows there are; called before the run, for its progress.
    virtual int rowCount() = 0;
    virtual void first() = 0;
    virtual bool atEnd() const = 0;
    virtual void next() = 0;
};

/// A horizontal strip of the page holding elements, as wide as the printable area. Elements
/// whose text may not fit (rich text) stretch in a column header, the band of a report's one
/// record; elsewhere they print what fits their box.
class Band
{
public:
    enum class Kind {
        ColumnHeader, ///< at the top of the printable area of every page
        Detail,       ///< once for each row of the report's data, one under the other
        PageFooter,   ///< at the bottom of every page, its bottom edge on the bottom margin
    };

    Band(Kind kind, qreal height)
        : m_kind(kind)
        , m_height(height)
    {
    }

    Kind kind() const { return m_kind; }
    qreal height() const { return m_height; }
    /// A thin black line along the band's top edge.
    bool hasTopLine() const { return m_topLine; }
    void setTopLine(bool topLine) { m_topLine = topLine; }

    /// Adds an element, which the band owns, and returns it.
    template <class Element, class... Args>
    Element *add(Args &&...args)
    {
        auto element = std::make_unique<Element>(std::forward<Args>(args)...);
        Element *added = element.get();
        m_elements.push_back(std::move(element));
        return added;
    }

    const std::vector<std::unique_ptr<ReportElement>> &elements() const { return m_elements; }

private:
    Kind m_kind;
    qreal m_height;
    bool m_topLine = false;
    std::vector<std::unique_ptr<ReportElement>> m_elements;
};

/// A band report: a page set-up, bands, and the rows it runs over. Building it gives the pages
/// once; the preview shows them and prints them.
class Report
{
public:
    /// The build's progress, a whole percentage.
    using Progress = std::function<void(int percent)>;

    Report();
    ~Report();

    const PageSetup &pageSetup() const { return m_pageSetup; }
    /// The default font of the elements: Arial 8 pt.
    QFont defaultFont() const;

    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }
    /// The name the print system lists the job under.
    QString jobName() const { return m_jobName; }
    void setJobName(const QString &name) { m_jobName = name; }

    /// The rows to run over; without them no detail band prints. Not owned.
    void setData(ReportData *data) { m_data = data; }

    Band &addBand(Band::Kind kind, qreal height);

    /// Builds every page from the data. Progress is reported in steps of at least 5, and 0 and
    /// 100 always.
    ReportDocument build(const Progress &progress = {});

    /// Builds the pages, shows them in the print preview over the parent window and returns when
    /// the preview is closed.
    void preview(class QWidget *parent);

private:
    PageSetup m_pageSetup;
    QString m_title;
    QString m_jobName;
    ReportData *m_data = nullptr;
    std::vector<std::unique_ptr<Band>> m_bands;
};

} // namespace report
