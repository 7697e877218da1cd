#pragma once

#include "richtext/PageRange.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QColor>
#include <QString>
#include <QTextEdit>

#include <optional>

class QMenu;

namespace richedit {

enum class StreamFormat { Rtf, PlainText };

enum class ParagraphAlignment { Left, Right, Center, Justify };

enum class Numbering { None, Bullets };

// Character attributes. Read from a selection, a member is empty when the selection mixes
// several values of it; given to be set, only the members present change.
struct CharacterFormat
{
    std::optional<QString> typeface = std::nullopt;
    std::optional<int> pointSize = std::nullopt;  // whole points
    std::optional<QColor> colour = std::nullopt;  // an invalid colour is the automatic colour
    std::optional<bool> bold = std::nullopt;
    std::optional<bool> italic = std::nullopt;
    std::optional<bool> underline = std::nullopt;
    std::optional<int> charset = std::nullopt;    // as RTF's \fcharset
    std::optional<int> pitch = std::nullopt;      // as RTF's \fprq: 0 default, 1 fixed, 2 variable

    friend bool operator==(const CharacterFormat &, const CharacterFormat &) = default;
};

// Paragraph attributes, read and set as CharacterFormat. Indents are in twips and measured as
// rich edit controls measure them.
struct ParagraphFormat
{
    std::optional<ParagraphAlignment> alignment = std::nullopt;
    std::optional<Numbering> numbering = std::nullopt;
    std::optional<int> firstLineIndent = std::nullopt; // of the first line, from the left edge of the text
    std::optional<int> leftIndent = std::nullopt;      // of the following lines, from the first line
    std::optional<int> rightIndent = std::nullopt;     // from the right edge of the text

    friend bool operator==(const ParagraphFormat &, const ParagraphFormat &) = default;
};

// The rich edit control: formatted text streamed in and out as RTF or plain text, the
// attributes of the selection, laid-out lines, the clipboard as RTF and plain text, and the
// rendering of a range on a page.
//
// Every change of the text, a load included, emits textChanged; a load emits it once and
// cannot be undone. Cut and paste, from the keyboard and the context menu too, go through
// cutToClipboard() and pasteFromClipboard(), which a subclass can precede with its own work.
// Read-only allows selecting and copying, and refuses typing, cut, paste and undo.
// In plain-text mode, content comes in and goes to the clipboard as plain text only.
class RichEdit : public QTextEdit
{
    Q_OBJECT

public:
    explicit RichEdit(QWidget *parent = nullptr);

    // Replaces the whole content. Bytes that are not RTF give an error as value, and the content
    // stays as it was: the caller may read them again as plain text. Plain text never fails and
    // takes the typing attributes.
    std::optional<QString> streamIn(QByteArrayView bytes, StreamFormat format);
    // The whole content, as RTF or as UTF-8 plain text.
    QByteArray streamOut(StreamFormat format = StreamFormat::Rtf) const;

    // Positions count characters, each paragraph end as one.
    int textLength() const;
    int selStart() const;
    int selLength() const;
    void setSelection(int start, int length);

    // Lines as laid out in the control, zero-based, across paragraphs.
    int lineFromChar(int position) const;
    // The first character of a line, or -1 for a line the text does not have.
    int lineIndex(int line) const;

    // The selection's attributes; with nothing selected, the typing attributes at the caret.
    CharacterFormat characterFormat() const;
    void setCharacterFormat(const CharacterFormat &format);
    // The attributes of the paragraphs the selection touches.
    ParagraphFormat paragraphFormat() const;
    void setParagraphFormat(const ParagraphFormat &format);

    // The client area: the control inside its frame and scroll bars, at (0, 0).
    QRect clientRectangle() const;
    // Where the text is laid out, in client coordinates. It is kept as its distances to the
    // client area's edges.
    QRect formattingRectangle() const;
    void setFormattingRectangle(const QRect &rectangle);

    bool canUndo() const;
    // Whether the clipboard holds something the control can paste, read-only or not.
    bool canPasteFromClipboard() const;
    virtual void cutToClipboard();
    virtual void pasteFromClipboard();
    // Undo, cut, copy, paste and select all, as the context menu shows them.
    QMenu *createEditMenu(QWidget *parent);

    bool isPlainTextMode() const;
    // Turning it on drops the formatting of the content, as a load does.
    void setPlainTextMode(bool on);

    // Draws from firstCharacter the whole lines that fit pageRect, given in the pixels of the
    // painter's device, and returns the first character left for the next page. A first line
    // taller than the page is drawn cut, so that the next page always starts further on.
    int renderRange(QPainter &painter, const QRectF &pageRect, int firstCharacter) const;
    richtext::PageRange measureRange(const QPaintDevice &device, const QRectF &pageRect, int firstCharacter) const;

protected:
    // Whether cut and paste may change the text now, as the edit menu shows them: when the
    // control is not read-only. A subclass that makes itself writable at the first change
    // takes them earlier.
    virtual bool takesEdits() const;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    QMimeData *createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData *source) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void replaceContent(const QTextDocument &content);
    void readPlainText(const QString &text, QTextDocument &into) const;

    bool m_plainTextMode = false;
};

} // namespace richedit
