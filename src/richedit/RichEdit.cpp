#include "richedit/RichEdit.h"

#include "richtext/PlainTextCodec.h"
#include "richtext/RichTextFormat.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "richtext/ShownCharFormat.h"

#include "guard/ErrorGuard.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTextLayout>
#include <QTextList>
#include <QUrl>

#include <algorithm>

namespace richedit {
namespace {

const QString RtfMimeType = QStringLiteral("text/rtf");

// How one paragraph looks, every member set.
struct ShownParagraph
{
    ParagraphAlignment alignment = ParagraphAlignment::Left;
    Numbering numbering = Numbering::None;
    int firstLineIndent = 0;
    int leftIndent = 0;
    int rightIndent = 0;
};

// Whether every format has the first one's value of the member.
template <typename Shown, typename Member>
bool allAgree(const QList<Shown> &formats, Member member)
{
    return std::all_of(formats.cbegin(), formats.cend(),
                       [&](const Shown &format) { return format.*member == formats.front().*member; });
}

CharacterFormat commonFormat(const QList<richtext::ShownCharFormat> &formats)
{
    const richtext::ShownCharFormat &first = formats.front();
    CharacterFormat common;
    if (allAgree(formats, &richtext::ShownCharFormat::family))
        common.typeface = first.family;
    if (allAgree(formats, &richtext::ShownCharFormat::halfPoints))
        common.pointSize = first.halfPoints / 2;
    if (allAgree(formats, &richtext::ShownCharFormat::colour))
        common.colour = first.colour ? QColor(*first.colour) : QColor();
    if (allAgree(formats, &richtext::ShownCharFormat::bold))
        common.bold = first.bold;
    if (allAgree(formats, &richtext::ShownCharFormat::italic))
        common.italic = first.italic;
    if (allAgree(formats, &richtext::ShownCharFormat::underline))
        common.underline = first.underline;
    if (allAgree(formats, &richtext::ShownCharFormat::charset))
        common.charset = first.charset;
    if (allAgree(formats, &richtext::ShownCharFormat::pitch))
        common.pitch = first.pitch;
    return common;
}

ParagraphFormat commonFormat(const QList<ShownParagraph> &paragraphs)
{
    const ShownParagraph &first = paragraphs.front();
    ParagraphFormat common;
    if (allAgree(paragraphs, &ShownParagraph::alignment))
        common.alignment = first.alignment;
    if (allAgree(paragraphs, &ShownParagraph::numbering))
        common.numbering = first.numbering;
    if (allAgree(paragraphs, &ShownParagraph::firstLineIndent))
        common.firstLineIndent = first.firstLineIndent;
    if (allAgree(paragraphs, &ShownParagraph::leftIndent))
        common.leftIndent = first.leftIndent;
    if (allAgree(paragraphs, &ShownParagraph::rightIndent))
        common.rightIndent = first.rightIndent;
    return common;
}

QTextCharFormat changeOf(const CharacterFormat &format)
{
    QTextCharFormat change;
    if (format.typeface)
        change.setFontFamilies({*format.typeface});
    if (format.pointSize)
        change.setFontPointSize(*format.pointSize);
    if (format.colour) {
        // A brush of no style is drawn in the text colour of the palette: the automatic colour.
        change.setForeground(format.colour->isValid() ? QBrush(*format.colour) : QBrush());
    }
    if (format.bold)
        change.setFontWeight(*format.bold ? QFont::Bold : QFont::Normal);
    if (format.italic)
        change.setFontItalic(*format.italic);
    if (format.underline)
        change.setFontUnderline(*format.underline);
    if (format.charset)
        change.setProperty(richtext::FontCharset, *format.charset);
    if (format.pitch)
        change.setProperty(richtext::FontPitch, *format.pitch);
    return change;
}

ParagraphAlignment alignmentOf(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignJustify)
        return ParagraphAlignment::Justify;
    if (alignment & Qt::AlignHCenter)
        return ParagraphAlignment::Center;
    if (alignment & Qt::AlignRight)
        return ParagraphAlignment::Right;
    return ParagraphAlignment::Left;
}

Qt::Alignment qtAlignmentOf(ParagraphAlignment alignment)
{
    switch (alignment) {
    case ParagraphAlignment::Right:
        return Qt::AlignRight;
    case ParagraphAlignment::Center:
        return Qt::AlignHCenter;
    case ParagraphAlignment::Justify:
        return Qt::AlignJustify;
    case ParagraphAlignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

// A rich edit control measures the first line from the left edge (RTF's \li + \fi) and the
// following lines from the first (-\fi).
ShownParagraph shownParagraph(const QTextBlock &block)
{
    const richtext::ParagraphIndents stored = richtext::indents(block.blockFormat());
    ShownParagraph shown;
    shown.alignment = alignmentOf(block.blockFormat().alignment());
    shown.numbering = block.textList() ? Numbering::Bullets : Numbering::None;
    shown.firstLineIndent = stored.left + stored.firstLine;
    shown.leftIndent = -stored.firstLine;
    shown.rightIndent = stored.right;
    return shown;
}

richtext::ParagraphIndents changedIndents(const QTextBlock &block, const ParagraphFormat &change)
{
    const ShownParagraph shown = shownParagraph(block);
    const int firstLine = change.firstLineIndent.value_or(shown.firstLineIndent);
    const int left = change.leftIndent.value_or(shown.leftIndent);
    return {firstLine + left, change.rightIndent.value_or(shown.rightIndent), -left};
}

// The paragraphs from the one holding the selection's start to the one holding its end.
QList<QTextBlock> paragraphsOf(const QTextCursor &selection)
{
    const QTextDocument *document = selection.document();
    const QTextBlock last = document->findBlock(selection.selectionEnd());
    QList<QTextBlock> blocks;
    for (QTextBlock block = document->findBlock(selection.selectionStart()); block.isValid(); block = block.next()) {
        blocks.append(block);
        if (block == last)
            break;
    }
    return blocks;
}

QTextListFormat bulletList()
{
    QTextListFormat bullets;
    bullets.setStyle(QTextListFormat::ListDisc);
    bullets.setIndent(0); // the paragraph's own indents place the bullet
    return bullets;
}

void setBullets(QTextCursor &selection, const QList<QTextBlock> &paragraphs, Numbering numbering)
{
    if (numbering == Numbering::Bullets) {
        const bool allBulleted = std::all_of(paragraphs.cbegin(), paragraphs.cend(),
                                             [](const QTextBlock &block) { return block.textList() != nullptr; });
        if (!allBulleted)
            selection.createList(bulletList());
        return;
    }
    for (const QTextBlock &block : paragraphs) {
        if (QTextList *list = block.textList())
            list->remove(block);
    }
}

// The paragraph at the cursor takes the format, the mark's format and the bullet of another.
void takeParagraphFormat(QTextCursor &cursor, const QTextBlock &paragraph)
{
    QTextBlockFormat format = paragraph.blockFormat();
    format.clearProperty(QTextFormat::ObjectIndex); // the other document's list
    cursor.setBlockFormat(format);
    cursor.setBlockCharFormat(paragraph.charFormat());
    QTextList *list = cursor.block().textList();
    if (paragraph.textList() && !list) {
        const QTextBlock previous = cursor.block().previous();
        if (QTextList *previousList = previous.isValid() ? previous.textList() : nullptr)
            previousList->add(cursor.block());
        else
            cursor.createList(bulletList());
    } else if (!paragraph.textList() && list) {
        list->remove(cursor.block());
    }
}

// Copies the characters from start to end of another document to the cursor, as rich edit
// controls copy and paste: the text with its character formats, and each paragraph end of the
// range with the format and bullet of the paragraph it ends, which the paragraph it lands in
// takes; the text after the cursor stays in a paragraph of the format it had. Text alone, of a
// bulleted paragraph or not, goes into the paragraph where it lands. (Qt's document fragments
// open a paragraph of their own for any text taken from a list.)
void insertRange(QTextCursor &cursor, const QTextDocument &source, int start, int end)
{
    const QTextBlockFormat landing = cursor.blockFormat();
    const QTextCharFormat landingMark = cursor.blockCharFormat();
    for (QTextBlock block = source.findBlock(start); block.isValid() && block.position() < end; block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int from = qMax(start, fragment.position());
            const int to = qMin(end, fragment.position() + fragment.length());
            if (from < to)
                cursor.insertText(fragment.text().mid(from - fragment.position(), to - from), fragment.charFormat());
        }
        if (block.position() + block.length() - 1 >= end) // its end is not in the range
            break;
        takeParagraphFormat(cursor, block);
        cursor.insertBlock(landing, landingMark);
    }
}

// A position between the halves of a surrogate pair moves to the character's start: a selection
// ending there would cut the character in two, and cutting or deleting it would leave half of it.
int wholeCharacterPosition(const QTextDocument &document, int position)
{
    if (position > 0 && document.characterAt(position).isLowSurrogate()
        && document.characterAt(position - 1).isHighSurrogate())
        return position - 1;
    return position;
}

bool holdsOnlyFiles(const QMimeData *source)
{
    const QList<QUrl> urls = source->urls();
    return !urls.isEmpty() && std::all_of(urls.cbegin(), urls.cend(), [](const QUrl &url) { return url.isLocalFile(); });
}

} // namespace

RichEdit::RichEdit(QWidget *parent)
    : QTextEdit(parent)
{
    // The formatting rectangle alone places the text; what it leaves shows the text's background.
    document()->setDocumentMargin(0);
    document()->clearUndoRedoStacks();
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

std::optional<QString> RichEdit::streamIn(QByteArrayView bytes, StreamFormat format)
{
    QTextDocument loaded;
    loaded.setDefaultFont(document()->defaultFont());
    if (format == StreamFormat::Rtf) {
        if (const std::optional<richtext::RtfReadError> error = richtext::readRtf(bytes, loaded))
            return error->message;
        if (m_plainTextMode)
            readPlainText(loaded.toRawText(), loaded);
    } else {
        readPlainText(richtext::decodePlainText(bytes), loaded);
    }
    replaceContent(loaded);
    return std::nullopt;
}

QByteArray RichEdit::streamOut(StreamFormat format) const
{
    if (format == StreamFormat::PlainText)
        return richtext::encodePlainText(document()->toRawText());
    return richtext::writeRtf(*document());
}

int RichEdit::textLength() const
{
    return document()->characterCount() - 1;
}

int RichEdit::selStart() const
{
    return textCursor().selectionStart();
}

int RichEdit::selLength() const
{
    const QTextCursor cursor = textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void RichEdit::setSelection(int start, int length)
{
    const QTextDocument &text = *document();
    const int anchor = qBound(0, start, textLength());
    QTextCursor cursor = textCursor();
    cursor.setPosition(wholeCharacterPosition(text, anchor));
    cursor.setPosition(wholeCharacterPosition(text, qBound(0, anchor + length, textLength())), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

int RichEdit::lineFromChar(int position) const
{
    position = qBound(0, position, textLength());
    QAbstractTextDocumentLayout *layout = document()->documentLayout();
    const QTextBlock target = document()->findBlock(position);
    int line = 0;
    for (QTextBlock block = document()->begin(); block != target; block = block.next()) {
        layout->blockBoundingRect(block); // lays the block out if it has not been yet
        line += block.layout()->lineCount();
    }
    layout->blockBoundingRect(target);
    return line + qMax(0, target.layout()->lineForTextPosition(position - target.position()).lineNumber());
}

int RichEdit::lineIndex(int line) const
{
    if (line < 0)
        return -1;
    QAbstractTextDocumentLayout *layout = document()->documentLayout();
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        layout->blockBoundingRect(block);
        const QTextLayout *text = block.layout();
        if (line < text->lineCount())
            return block.position() + text->lineAt(line).textStart();
        line -= text->lineCount();
    }
    return -1;
}

CharacterFormat RichEdit::characterFormat() const
{
    const QFont defaultFont = document()->defaultFont();
    const QTextCursor cursor = textCursor();
    QList<richtext::ShownCharFormat> formats;
    if (cursor.hasSelection()) {
        const int start = cursor.selectionStart();
        const int end = cursor.selectionEnd();
        for (QTextBlock block = document()->findBlock(start); block.isValid() && block.position() < end; block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (fragment.position() + fragment.length() <= start || fragment.position() >= end)
                    continue;
                const richtext::ShownCharFormat shown = richtext::shownCharFormat(fragment.charFormat(), defaultFont);
                if (!formats.contains(shown))
                    formats.append(shown);
            }
        }
    }
    // No selection, or one of paragraph ends only: what typing would give.
    if (formats.isEmpty())
        formats.append(richtext::shownCharFormat(currentCharFormat(), defaultFont));
    return commonFormat(formats);
}

void RichEdit::setCharacterFormat(const CharacterFormat &format)
{
    mergeCurrentCharFormat(changeOf(format));
}

ParagraphFormat RichEdit::paragraphFormat() const
{
    QList<ShownParagraph> paragraphs;
    for (const QTextBlock &block : paragraphsOf(textCursor()))
        paragraphs.append(shownParagraph(block));
    return commonFormat(paragraphs);
}

void RichEdit::setParagraphFormat(const ParagraphFormat &format)
{
    QTextCursor selection = textCursor();
    const QList<QTextBlock> paragraphs = paragraphsOf(selection);
    const bool indentsChange = format.firstLineIndent || format.leftIndent || format.rightIndent;
    selection.beginEditBlock();
    for (const QTextBlock &block : paragraphs) {
        QTextBlockFormat blockFormat = block.blockFormat();
        if (format.alignment)
            blockFormat.setAlignment(qtAlignmentOf(*format.alignment));
        if (indentsChange)
            richtext::setIndents(blockFormat, changedIndents(block, format));
        QTextCursor(block).setBlockFormat(blockFormat);
    }
    if (format.numbering)
        setBullets(selection, paragraphs, *format.numbering);
    selection.endEditBlock();
}

QRect RichEdit::clientRectangle() const
{
    return QRect(QPoint(0, 0), viewport()->geometry().marginsAdded(viewportMargins()).size());
}

QRect RichEdit::formattingRectangle() const
{
    const QMargins margins = viewportMargins();
    return QRect(QPoint(margins.left(), margins.top()), viewport()->size());
}

void RichEdit::setFormattingRectangle(const QRect &rectangle)
{
    const QRect client = clientRectangle();
    const QMargins margins(qMax(0, rectangle.left()), qMax(0, rectangle.top()),
                           qMax(0, client.width() - rectangle.x() - rectangle.width()),
                           qMax(0, client.height() - rectangle.y() - rectangle.height()));
    if (margins != viewportMargins())
        setViewportMargins(margins);
}

bool RichEdit::canUndo() const
{
    return !isReadOnly() && document()->isUndoAvailable();
}

bool RichEdit::canPasteFromClipboard() const
{
    const QMimeData *clipboard = QGuiApplication::clipboard()->mimeData();
    return clipboard && canInsertFromMimeData(clipboard);
}

void RichEdit::cutToClipboard()
{
    if (!isReadOnly())
        cut();
}

void RichEdit::pasteFromClipboard()
{
    if (!isReadOnly())
        paste();
}

QMenu *RichEdit::createEditMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent);
    const auto addCommand = [this, menu](const QString &caption, void (RichEdit::*command)(), bool enabled) {
        QAction *action = menu->addAction(caption);
        ErrorGuard::connect(action, &QAction::triggered, this, command);
        action->setEnabled(enabled);
    };
    const bool selected = textCursor().hasSelection();
    addCommand(QStringLiteral("&Défaire"), &RichEdit::undo, canUndo());
    menu->addSeparator();
    addCommand(QStringLiteral("&Couper"), &RichEdit::cutToClipboard, selected && takesEdits());
    addCommand(QStringLiteral("Copi&er"), &RichEdit::copy, selected);
    addCommand(QStringLiteral("C&oller"), &RichEdit::pasteFromClipboard, takesEdits() && canPasteFromClipboard());
    menu->addSeparator();
    addCommand(QStringLiteral("&Tout sélectionner"), &RichEdit::selectAll, textLength() > 0);
    return menu;
}

bool RichEdit::takesEdits() const
{
    return !isReadOnly();
}

bool RichEdit::isPlainTextMode() const
{
    return m_plainTextMode;
}

void RichEdit::setPlainTextMode(bool on)
{
    if (on == m_plainTextMode)
        return;
    m_plainTextMode = on;
    if (on) {
        QTextDocument plain;
        readPlainText(document()->toRawText(), plain);
        replaceContent(plain);
    }
}

int RichEdit::renderRange(QPainter &painter, const QRectF &pageRect, int firstCharacter) const
{
    return richtext::renderPageRange(*document(), painter, pageRect, firstCharacter).end;
}

richtext::PageRange RichEdit::measureRange(const QPaintDevice &device, const QRectF &pageRect, int firstCharacter) const
{
    return richtext::measurePageRange(*document(), device, pageRect, firstCharacter);
}

bool RichEdit::canInsertFromMimeData(const QMimeData *source) const
{
    // Files dropped on the control are for the window to load, not text to insert.
    if (holdsOnlyFiles(source))
        return false;
    return source->hasText() || (!m_plainTextMode && source->hasFormat(RtfMimeType));
}

QMimeData *RichEdit::createMimeDataFromSelection() const
{
    const QTextCursor selection = textCursor();
    QTextDocument copied;
    copied.setDefaultFont(document()->defaultFont());
    QTextCursor into(&copied);
    insertRange(into, *document(), selection.selectionStart(), selection.selectionEnd());
    auto *data = new QMimeData;
    data->setText(copied.toPlainText());
    if (!m_plainTextMode)
        data->setData(RtfMimeType, richtext::writeRtf(copied));
    return data;
}

void RichEdit::insertFromMimeData(const QMimeData *source)
{
    if (isReadOnly() || !source || !canInsertFromMimeData(source))
        return;
    QTextCursor cursor = textCursor();
    QTextDocument pasted;
    pasted.setDefaultFont(document()->defaultFont());
    if (!m_plainTextMode && source->hasFormat(RtfMimeType) && !richtext::readRtf(source->data(RtfMimeType), pasted)) {
        cursor.beginEditBlock(); // one step to undo
        cursor.removeSelectedText();
        insertRange(cursor, pasted, 0, pasted.characterCount() - 1);
        cursor.endEditBlock();
    } else if (source->hasText()) {
        cursor.insertText(richtext::withUnixLineEnds(source->text())); // in the typing attributes
    }
    setTextCursor(cursor);
}

void RichEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cut)) {
        cutToClipboard();
        event->accept();
    } else if (event->matches(QKeySequence::Paste)) {
        pasteFromClipboard();
        event->accept();
    } else if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
        if (!isReadOnly())
            QTextEdit::keyPressEvent(event);
        event->accept();
    } else {
        QTextEdit::keyPressEvent(event);
        // A read-only text still takes the characters typed into it, though they change
        // nothing: as in any text box, a letter typed there is no shortcut of its window.
        const QString text = event->text();
        const bool typed = !text.isEmpty() && text.front().isPrint()
            && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (isReadOnly() && typed)
            event->accept();
    }
}

void RichEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createEditMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void RichEdit::changeEvent(QEvent *event)
{
    // Read-only text stays selectable from the keyboard too, so that it can be copied.
    if (event->type() == QEvent::ReadOnlyChange && isReadOnly())
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QTextEdit::changeEvent(event);
}

// One edit block, so that textChanged comes once; and outside the undo history, which the load
// clears as well.
void RichEdit::replaceContent(const QTextDocument &content)
{
    document()->setUndoRedoEnabled(false);
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    // What the first paragraph had is not the new content's: its list, its formats.
    if (QTextList *list = cursor.block().textList())
        list->remove(cursor.block());
    const QTextBlock first = content.begin();
    QTextBlockFormat firstFormat = first.blockFormat();
    firstFormat.clearProperty(QTextFormat::ObjectIndex); // a list of the other document
    cursor.setBlockFormat(firstFormat);
    cursor.setBlockCharFormat(first.charFormat());
    cursor.insertFragment(QTextDocumentFragment(&content));
    if (content.isEmpty() && first.textList())
        cursor.createList(first.textList()->format());
    cursor.endEditBlock();
    document()->setUndoRedoEnabled(true);
    moveCursor(QTextCursor::Start);
}

void RichEdit::readPlainText(const QString &text, QTextDocument &into) const
{
    const QTextCharFormat typing = currentCharFormat();
    into.clear();
    QTextCursor cursor(&into);
    cursor.setBlockCharFormat(typing);
    cursor.insertText(text, typing);
}

} // namespace richedit
