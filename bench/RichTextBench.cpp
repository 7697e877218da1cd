#include "RichTextBench.h"

#include "Scoreboard.h"

#include "richtext/RichTextFormat.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <array>
#include <memory>

namespace {

constexpr int kParagraphs = 5000;
constexpr int kRunsPerParagraph = 2;
constexpr int kRepetitions = 11;
const QString kMilliseconds = QStringLiteral("ms");

constexpr std::array kPhrases = {
    u"Préchauffer le four à 210 °C et beurrer généreusement le moule. ",
    u"Émincer finement les échalotes, puis les faire suer sans coloration. ",
    u"Incorporer la crème fraîche épaisse, le gruyère râpé et une pincée de muscade. ",
    u"Laisser reposer la pâte une heure au frais, à couvert. ",
    u"Servir tiède avec une salade de mâche à l'huile de noix ; « un délice » ! ",
    u"Ajouter 3 œufs, 125 g de sucre, ½ cuillerée de cannelle et le zeste d'un citron. ",
    u"Napper de caramel — sans trop attendre — puis démouler. ",
};
constexpr std::array kTypefaces = {u"Arial", u"Times New Roman", u"Comic Sans MS", u"Courier New"};
constexpr std::array kColours = {Qt::black, Qt::darkBlue, Qt::darkRed, Qt::darkGreen, Qt::darkMagenta};

QTextCharFormat runFormat(int paragraph, int run)
{
    const int mix = paragraph * 7 + run * 3;
    QTextCharFormat format;
    format.setFontFamilies({QString::fromUtf16(kTypefaces[std::size_t(mix % int(kTypefaces.size()))])});
    format.setFontPointSize(8 + mix % 9 + (mix % 5 == 0 ? 0.5 : 0));
    if (mix % 4 != 0)
        format.setForeground(QColor(kColours[std::size_t(mix % int(kColours.size()))]));
    format.setFontWeight(mix % 3 == 0 ? QFont::Bold : QFont::Normal);
    format.setFontItalic(mix % 5 == 1);
    format.setFontUnderline(mix % 11 == 2);
    format.setProperty(richtext::FontCharset, 0);
    format.setProperty(richtext::FontPitch, 2);
    return format;
}

Qt::Alignment alignmentOf(int paragraph)
{
    if (paragraph % 7 == 3)
        return Qt::AlignHCenter;
    if (paragraph % 13 == 5)
        return Qt::AlignJustify;
    return Qt::AlignLeft;
}

} // namespace

RichTextBench::RichTextBench(Scoreboard &scoreboard)
    : m_scoreboard(scoreboard)
{
}

QByteArray RichTextBench::recipeLikeRtf(int paragraphs)
{
    QTextDocument document;
    fill(document, paragraphs);
    return richtext::writeRtf(document);
}

// Recipe-like paragraphs, the same on every run; about one in five is bulleted.
void RichTextBench::fill(QTextDocument &document, int paragraphs)
{
    QTextCursor cursor(&document);
    QTextList *list = nullptr;
    for (int paragraph = 0; paragraph < paragraphs; ++paragraph) {
        QTextBlockFormat blockFormat;
        blockFormat.setAlignment(alignmentOf(paragraph));
        const bool bulleted = paragraph % 5 == 1;
        richtext::setIndents(blockFormat, {bulleted ? 360 : (paragraph % 4) * 180, 0, bulleted ? -360 : 0});
        if (paragraph == 0)
            cursor.setBlockFormat(blockFormat);
        else
            cursor.insertBlock(blockFormat);
        if (!bulleted) {
            list = nullptr;
        } else if (list) {
            list->add(cursor.block());
        } else {
            QTextListFormat bullets;
            bullets.setStyle(QTextListFormat::ListDisc);
            bullets.setIndent(0);
            list = cursor.createList(bullets);
        }
        for (int run = 0; run < kRunsPerParagraph; ++run)
            cursor.insertText(QString::fromUtf16(kPhrases[std::size_t((paragraph + run) % int(kPhrases.size()))]),
                              runFormat(paragraph, run));
    }
}

void RichTextBench::run()
{
    QTextDocument generated;
    fill(generated, kParagraphs);
    const QByteArray rtf = richtext::writeRtf(generated);
    const QString html = generated.toHtml();
    m_scoreboard.report(QStringLiteral("rich text: RTF of 5,000 paragraphs"), double(rtf.size()) / 1024, QStringLiteral("KiB"));

    // Each time into a new document, as a load into a control reads into one; making it and
    // dropping the previous one are not part of the work. Taken in turns, so that both meet
    // the same state of the machine.
    std::unique_ptr<QTextDocument> document;
    const auto renew = [&] { document = std::make_unique<QTextDocument>(); };
    QList<double> streamIn;
    QList<double> htmlImport;
    for (int repetition = 0; repetition < kRepetitions; ++repetition) {
        renew();
        streamIn.append(millisecondsOf([&] { check(!richtext::readRtf(rtf, *document), "the RTF read"); }));
        check(document->blockCount() == kParagraphs && document->toRawText() == generated.toRawText(),
              "the RTF read gives the text back");
        renew();
        htmlImport.append(millisecondsOf([&] { document->setHtml(html); }));
        check(document->blockCount() == kParagraphs, "the HTML read gives the paragraphs back");
    }
    const double htmlMedian = median(htmlImport);
    m_scoreboard.report(QStringLiteral("rich text: QTextDocument::setHtml, same content"), htmlMedian, kMilliseconds);
    const double streamInMedian = median(streamIn);
    m_scoreboard.report(QStringLiteral("rich text: stream-in (readRtf)"), streamInMedian, kMilliseconds,
        Target::atMost(1.5 * htmlMedian, QStringLiteral("<= 1.5 x setHtml (%1 ms)").arg(1.5 * htmlMedian, 0, 'f', 2)));
    m_scoreboard.report(QStringLiteral("rich text: stream-in, absolute"), streamInMedian, kMilliseconds,
        Target::below(150, kMilliseconds));

    QByteArray written;
    const double streamOut = medianMilliseconds(kRepetitions, [&] { written = richtext::writeRtf(generated); });
    check(written == rtf, "the RTF written is the same each time");
    m_scoreboard.report(QStringLiteral("rich text: stream-out (writeRtf)"), streamOut, kMilliseconds,
        Target::below(50, kMilliseconds));
}
