#pragma once

#include "ReferenceLayout.h"
#include "ReportDocument.h"
#include "ReportElement.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <functional>
#include <memory>
#include <stdexcept>

class QTextDocument;

namespace richtext {
class PageLayout;
}

namespace report {

/// How a text element prints its text.
struct TextStyle
{
    QFont font;
    QColor colour = Qt::black;
    QColor background = Qt::white;
    Qt::Alignment alignment = Qt::AlignLeft;
    /// On one line, as wide as its text, keeping its left edge (its right edge when right
    /// justified) and running past its band or page rather than being cut. Otherwise the text
    /// wraps inside the fixed box.
    bool autoSize = true;
};

/// Text on the page: the base of the label, data and expression elements.
class TextElement : public ReportElement
{
public:
    TextElement(const QRectF &designRect, const TextStyle &style);

    const TextStyle &style() const { return m_style; }

    void print(PageCanvas &canvas, const QPointF &bandOrigin) override;

protected:
    /// The text to print on the canvas's page.
    virtual QString textToPrint(const PageCanvas &canvas) = 0;

private:
    void printOneLine(PageCanvas &canvas, const QRectF &box, const QString &text);
    void printWrapped(PageCanvas &canvas, const QRectF &box, const QString &text);

    TextStyle m_style;
    // A list measures its font once a row.
    ReferenceLayout::TextMetrics m_metrics;
};

/// A fixed caption. A print-time callback, when it is given, receives the design caption just
/// before the label prints and changes it into the text printed.
class Label : public TextElement
{
public:
    using PrintCallback = std::function<void(QString &text)>;

    Label(const QRectF &designRect, const QString &caption, const TextStyle &style, PrintCallback onPrint = {});

    QString caption() const { return m_caption; }

protected:
    QString textToPrint(const PageCanvas &canvas) override;

private:
    QString m_caption;
    PrintCallback m_onPrint;
};

/// A field's display text, read when the element prints.
class DataText : public TextElement
{
public:
    DataText(const QRectF &designRect, std::function<QString()> displayText, const TextStyle &style);

protected:
    QString textToPrint(const PageCanvas &canvas) override;

private:
    std::function<QString()> m_displayText;
};

/// A date as the reports print it: in the system's short date format, or in the French one when
/// the system names no language (the "C" locale of a machine set up without one), since the
/// program speaks French.
QString shortDateText(const QDate &date);

/// Today's date in the system's short date format, read when the report is built.
class SystemDate : public TextElement
{
public:
    SystemDate(const QRectF &designRect, const TextStyle &style, std::function<QDate()> today = &QDate::currentDate);

    void prepare() override;

protected:
    QString textToPrint(const PageCanvas &canvas) override;

private:
    std::function<QDate()> m_today;
    QString m_text;
};

/// An expression the engine cannot evaluate.
class ExpressionError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

/// An expression of string constants in single quotes, the + that joins them, and the page
/// number PageNumber: "'Page ' + PageNumber". Anything else is refused when the element is made.
class Expression : public TextElement
{
public:
    /// Throws ExpressionError for an expression outside that grammar.
    Expression(const QRectF &designRect, const QString &expression, const TextStyle &style);

protected:
    QString textToPrint(const PageCanvas &canvas) override;

private:
    struct Term
    {
        bool pageNumber = false;
        QString constant;
    };
    std::vector<Term> m_terms;
};

/// A thin black line across the element's whole width, at half its height.
class HorizontalLine : public ReportElement
{
public:
    explicit HorizontalLine(const QRectF &designRect);

    void print(PageCanvas &canvas, const QPointF &bandOrigin) override;
};

/// A formatted text read from a memo field when the report is built: RTF, or plain text in the
/// element's font when the field holds no RTF. It prints as many whole lines as fit its box;
/// its band grows for more, and the rest goes on to the following pages.
class RichText : public StretchingElement
{
public:
    RichText(const QRectF &designRect, std::function<QByteArray()> content, const QFont &defaultFont);
    ~RichText() override;

    void prepare() override;
    void restart() override;
    bool isFinished() const override;
    bool fitsIn(const QSizeF &size) const override;
    void printPart(PageCanvas &canvas, const QRectF &box) override;

private:
    std::function<QByteArray()> m_content;
    QFont m_defaultFont;
    std::unique_ptr<QTextDocument> m_document;
    // Laid out once for the element's width; the pages are taken from it in turn.
    std::unique_ptr<richtext::PageLayout> m_layout;
    int m_position = 0;
};

/// A picture element: the picture is drawn stretched into the element's rectangle, which the
/// picture's own size may have set; nothing bounds it to its band or page.
class PictureElement : public ReportElement
{
public:
    using ReportElement::ReportElement;

    void print(PageCanvas &canvas, const QPointF &bandOrigin) override;

protected:
    /// The picture to print, or nothing (an empty image's bytes).
    virtual ReportImage image() const = 0;
};

} // namespace report
