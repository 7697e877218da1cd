#include "report/Elements.h"

#include "report/PageCanvas.h"
#include "report/ReferenceLayout.h"

#include "richtext/PageRange.h"
#include "richtext/PlainTextCodec.h"
#include "richtext/RtfReader.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTextLayout>

namespace report {
namespace {

using ReferenceLayout::toMillimetres;
using ReferenceLayout::toPixels;

QRectF pixels(const QRectF &millimetres)
{
    return {toPixels(millimetres.x()), toPixels(millimetres.y()), toPixels(millimetres.width()),
            toPixels(millimetres.height())};
}

} // namespace

// ---- Text

TextElement::TextElement(const QRectF &designRect, const TextStyle &style)
    : ReportElement(designRect)
    , m_style(style)
    , m_metrics(style.font)
{
}

void TextElement::print(PageCanvas &canvas, const QPointF &bandOrigin)
{
    const QString text = textToPrint(canvas);
    const QRectF box = rect().translated(bandOrigin);
    if (m_style.autoSize)
        printOneLine(canvas, box, text);
    else
        printWrapped(canvas, box, text);
}

// The element is as wide as its text and keeps its left edge, or its right edge when right
// justified; a text wider than the page runs past it rather than being cut or wrapped.
void TextElement::printOneLine(PageCanvas &canvas, const QRectF &box, const QString &text)
{
    const qreal width = m_metrics.width(text);
    const qreal left = m_style.alignment & Qt::AlignRight ? box.right() - width : box.left();
    canvas.addRect({left, box.top(), width, qMax(box.height(), m_metrics.height())}, m_style.background);
    if (!text.isEmpty())
        canvas.addText({left, box.top() + m_metrics.ascent()}, m_style.font, m_style.colour, text);
}

// Words wrap inside the fixed box; the lines that do not fit its height are not printed, the
// first line excepted.
void TextElement::printWrapped(PageCanvas &canvas, const QRectF &box, const QString &text)
{
    canvas.addRect(box, m_style.background);
    QTextLayout layout(text, ReferenceLayout::font(m_style.font), &ReferenceLayout::device());
    QTextOption option(m_style.alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    const qreal widthInPixels = toPixels(box.width());
    layout.beginLayout();
    qreal top = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(widthInPixels);
        line.setPosition({0, top});
        top += line.height();
    }
    layout.endLayout();
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        if (i > 0 && toMillimetres(line.y() + line.height()) > box.height())
            break;
        const QString part = text.mid(line.textStart(), line.textLength()).trimmed();
        canvas.addText({box.left() + toMillimetres(line.cursorToX(line.textStart())),
                        box.top() + toMillimetres(line.y() + line.ascent())},
                       m_style.font, m_style.colour, part);
    }
}

Label::Label(const QRectF &designRect, const QString &caption, const TextStyle &style, PrintCallback onPrint)
    : TextElement(designRect, style)
    , m_caption(caption)
    , m_onPrint(std::move(onPrint))
{
}

QString Label::textToPrint(const PageCanvas &)
{
    QString text = m_caption;
    if (m_onPrint)
        m_onPrint(text);
    return text;
}

DataText::DataText(const QRectF &designRect, std::function<QString()> displayText, const TextStyle &style)
    : TextElement(designRect, style)
    , m_displayText(std::move(displayText))
{
}

QString DataText::textToPrint(const PageCanvas &)
{
    return m_displayText();
}

QString shortDateText(const QDate &date)
{
    QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::French, QLocale::France);
    return locale.toString(date, QLocale::ShortFormat);
}

SystemDate::SystemDate(const QRectF &designRect, const TextStyle &style, std::function<QDate()> today)
    : TextElement(designRect, style)
    , m_today(std::move(today))
{
}

void SystemDate::prepare()
{
    m_text = shortDateText(m_today());
}

QString SystemDate::textToPrint(const PageCanvas &)
{
    return m_text;
}

// ---- Expression

Expression::Expression(const QRectF &designRect, const QString &expression, const TextStyle &style)
    : TextElement(designRect, style)
{
    // A term is a constant in single quotes, where two quotes stand for one, or PageNumber.
    static const QRegularExpression term(QStringLiteral(R"(\s*(?:'((?:[^']|'')*)'|(PageNumber))\s*)"),
                                         QRegularExpression::CaseInsensitiveOption);
    qsizetype position = 0;
    while (true) {
        const QRegularExpressionMatch match =
            term.match(expression, position, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
        if (!match.hasMatch())
            throw ExpressionError("Expression non reconnue : " + expression.toStdString());
        if (match.hasCaptured(2))
            m_terms.push_back({true, {}});
        else
            m_terms.push_back({false, match.captured(1).replace(QStringLiteral("''"), QStringLiteral("'"))});
        position = match.capturedEnd();
        if (position == expression.size())
            break;
        if (expression.at(position) != u'+')
            throw ExpressionError("Expression non reconnue : " + expression.toStdString());
        ++position;
    }
}

QString Expression::textToPrint(const PageCanvas &canvas)
{
    QString text;
    for (const Term &term : m_terms)
        text += term.pageNumber ? QString::number(canvas.pageNumber()) : term.constant;
    return text;
}

// ---- Line

HorizontalLine::HorizontalLine(const QRectF &designRect)
    : ReportElement(designRect)
{
}

void HorizontalLine::print(PageCanvas &canvas, const QPointF &bandOrigin)
{
    const QRectF box = rect().translated(bandOrigin);
    const qreal middle = box.center().y();
    canvas.addLine({box.left(), middle, box.right(), middle}, 0.2, Qt::black);
}

// ---- Rich text

RichText::RichText(const QRectF &designRect, std::function<QByteArray()> content, const QFont &defaultFont)
    : StretchingElement(designRect)
    , m_content(std::move(content))
    , m_defaultFont(defaultFont)
{
}

RichText::~RichText() = default;

void RichText::prepare()
{
    m_document = std::make_unique<QTextDocument>();
    m_document->setDefaultFont(m_defaultFont);
    const QByteArray content = m_content();
    if (richtext::readRtf(content, *m_document))
        m_document->setPlainText(richtext::withUnixLineEnds(richtext::decodePlainText(content)));
    m_layout = std::make_unique<richtext::PageLayout>(*m_document, ReferenceLayout::device(), toPixels(rect().width()));
    restart();
}

void RichText::restart()
{
    m_position = 0;
}

bool RichText::isFinished() const
{
    return !m_document || m_position >= m_document->characterCount() - 1;
}

bool RichText::fitsIn(const QSizeF &size) const
{
    if (isFinished())
        return true;
    const int end = m_layout->fit(m_position, toPixels(size.height()), richtext::PageLayout::Overflow::TakeNothing).end;
    return end >= m_document->characterCount() - 1;
}

void RichText::printPart(PageCanvas &canvas, const QRectF &box)
{
    canvas.addRect(box, Qt::white);
    if (isFinished())
        return;
    const QRectF area = pixels(box);
    m_position = m_layout->fit(m_position, area.height(), richtext::PageLayout::Overflow::CutLine).end;
    m_layout->draw(canvas.recordingPainter(), area.topLeft());
    canvas.endRecording();
}

// ---- Picture

void PictureElement::print(PageCanvas &canvas, const QPointF &bandOrigin)
{
    const ReportImage shown = image();
    if (!shown.bytes.isEmpty())
        canvas.addImage(rect().translated(bandOrigin), shown);
}

} // namespace report
