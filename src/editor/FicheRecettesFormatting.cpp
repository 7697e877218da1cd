// The recipe card's formatting toolbar and indent ruler: they show the attributes of the
// current text's selection, and change them.

#include "FicheRecettes.h"

#include "ColourBox.h"
#include "FormattingToolBar.h"
#include "IndentRuler.h"
#include "UpDown.h"

#include "controls/FormControls.h"
#include "controls/HintStatusBar.h"
#include "controls/MyRichEdit.h"
#include "controls/WindowsFonts.h"
#include "guard/ErrorGuard.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QScopeGuard>
#include <QToolButton>

#include <stdexcept>

using richedit::CharacterFormat;
using richedit::Numbering;
using richedit::ParagraphAlignment;
using richedit::ParagraphFormat;

namespace {

// The ruler counts 4/3 pixels to the point, a 96 dots-per-inch screen, whatever the screen.
// Both ways the fraction is dropped, as whole numbers divide.
int pixelsFromPoints(int points)
{
    return points * 4 / 3;
}

int pointsFromPixels(int pixels)
{
    return pixels * 3 / 4;
}

// Between the ruler's or the text's left edge and the text, and the text's right edge.
constexpr int TextGutter = 6;

constexpr int twipsPerPoint = 20;

int points(std::optional<int> twips)
{
    return twips.value_or(0) / twipsPerPoint;
}

ParagraphAlignment alignmentOfTag(int tag)
{
    switch (tag) {
    case 1:
        return ParagraphAlignment::Right;
    case 2:
        return ParagraphAlignment::Center;
    default:
        return ParagraphAlignment::Left;
    }
}

} // namespace

void TFrmFicheRecettes::connectTextPage(const TextPage &page)
{
    const FormattingToolBar &bar = *page.toolBar;
    // A typeface is taken when an entry of the list is chosen, not at every letter typed.
    ErrorGuard::connect(bar.fontName(), &QComboBox::currentIndexChanged, this, &TFrmFicheRecettes::FontNameChange);
    ErrorGuard::connect(bar.fontName(), &QComboBox::activated, this, &TFrmFicheRecettes::FontNameChange);
    ErrorGuard::connect(bar.fontSize(), &QLineEdit::textChanged, this, &TFrmFicheRecettes::FontSizeChange);
    ErrorGuard::connect(bar.boldButton(), &QToolButton::clicked, this, &TFrmFicheRecettes::BoldButtonClick);
    ErrorGuard::connect(bar.italicButton(), &QToolButton::clicked, this, &TFrmFicheRecettes::ItalicButtonClick);
    ErrorGuard::connect(bar.underlineButton(), &QToolButton::clicked, this, &TFrmFicheRecettes::UnderlineButtonClick);
    ErrorGuard::connect(bar.alignment(), &QButtonGroup::idClicked, this, &TFrmFicheRecettes::AlignButtonClick);
    ErrorGuard::connect(bar.bulletsButton(), &QToolButton::clicked, this, &TFrmFicheRecettes::BulletsButtonClick);
    ErrorGuard::connect(bar.colorButton(), &QComboBox::currentIndexChanged, this, &TFrmFicheRecettes::ColorButtonChange);

    for (RulerMarker *marker : {page.ruler->firstIndent(), page.ruler->leftIndent(), page.ruler->rightIndent()}) {
        ErrorGuard::connect(marker, &RulerMarker::mouseDown, this, &TFrmFicheRecettes::RulerItemMouseDown);
        ErrorGuard::connect(marker, &RulerMarker::mouseMove, this, &TFrmFicheRecettes::RulerItemMouseMove);
    }
    ErrorGuard::connect(page.ruler->firstIndent(), &RulerMarker::mouseUp, this, &TFrmFicheRecettes::FirstIndMouseUp);
    ErrorGuard::connect(page.ruler->leftIndent(), &RulerMarker::mouseUp, this, &TFrmFicheRecettes::LeftIndMouseUp);
    ErrorGuard::connect(page.ruler->rightIndent(), &RulerMarker::mouseUp, this, &TFrmFicheRecettes::RightIndMouseUp);

    ErrorGuard::connect(page.editor, &QTextEdit::textChanged, this, &TFrmFicheRecettes::RichEditChange);
    ErrorGuard::connect(page.editor, &QTextEdit::cursorPositionChanged, this, &TFrmFicheRecettes::SelectionChange);
    ErrorGuard::connect(page.editor, &QTextEdit::selectionChanged, this, &TFrmFicheRecettes::SelectionChange);
}

// The program's own typefaces stand in the lists beside the installed ones, under the names the
// texts give them.
void TFrmFicheRecettes::FillFontLists()
{
    QStringList names = QFontDatabase::families();
    for (const QString &designed : WindowsFonts::designedFamilies()) {
        if (!names.contains(designed, Qt::CaseInsensitive))
            names.append(designed);
    }
    names.sort(Qt::CaseInsensitive);
    for (const TextPage *page : {&m_preparation, &m_ingredients})
        page->toolBar->fontName()->addItems(names);
}

void TFrmFicheRecettes::BuildRulerCaption()
{
    const QString caption = QStringLiteral("\t|").repeated(100);
    m_preparation.ruler->setCaption(caption);
    m_ingredients.ruler->setCaption(caption);
}

// MS Sans Serif, bold, navy, 11 pixels high in whole points of the screen.
void TFrmFicheRecettes::ApplyDefaultTextFormat()
{
    CharacterFormat format;
    format.typeface = QStringLiteral("MS Sans Serif");
    format.colour = FormControls::navy;
    format.pointSize = qRound(11 * 72.0 / CurrentEditor->logicalDpiY());
    format.bold = true;
    format.italic = false;
    format.underline = false;
    CurrentEditor->setCharacterFormat(format);
    SelectionChange();
}

void TFrmFicheRecettes::SetTextMargins()
{
    const QRect client = CurrentEditor->clientRectangle();
    CurrentEditor->setFormattingRectangle(QRect(TextGutter, 0, client.width() - 2 * TextGutter, client.height()));
}

void TFrmFicheRecettes::ShowCaretPosition()
{
    const int start = CurrentEditor->selStart();
    const int line = CurrentEditor->lineFromChar(start);
    const int column = start - CurrentEditor->lineIndex(line);
    const QString position = QString::asprintf("Ligne: %3d   Col: %3d", line + 1, column + 1);
    m_preparation.statusBar->setPanelText(0, position);
    m_ingredients.statusBar->setPanelText(0, position);
}

void TFrmFicheRecettes::RichEditChange()
{
    if (CurrentEditor)
        ShowCaretPosition();
}

// The toolbar and the ruler of the page in use are set from the selection; no handler may take
// their new values for the user's.
void TFrmFicheRecettes::SelectionChange()
{
    if (!CurrentEditor)
        return;
    Updating = true;
    const auto done = qScopeGuard([this] { Updating = false; });
    const TextPage &page = pageInUse();
    const FormattingToolBar &bar = *page.toolBar;
    const ParagraphFormat paragraph = CurrentEditor->paragraphFormat();
    const CharacterFormat character = CurrentEditor->characterFormat();

    const int firstLine = points(paragraph.firstLineIndent);
    const int left = points(paragraph.leftIndent);
    const int right = points(paragraph.rightIndent);
    IndentRuler &ruler = *page.ruler;
    ruler.firstIndent()->move(pixelsFromPoints(firstLine) - 4 + TextGutter, ruler.firstIndent()->y());
    ruler.leftIndent()->move(pixelsFromPoints(left + firstLine) - 4 + TextGutter, ruler.leftIndent()->y());
    ruler.rightIndent()->move(ruler.width() - TextGutter - pixelsFromPoints(right + TextGutter), ruler.rightIndent()->y());

    bar.boldButton()->setChecked(character.bold.value_or(false));
    bar.italicButton()->setChecked(character.italic.value_or(false));
    bar.underlineButton()->setChecked(character.underline.value_or(false));
    bar.bulletsButton()->setChecked(paragraph.numbering == Numbering::Bullets);
    bar.fontName()->setCurrentText(character.typeface.value_or(QString()));
    bar.colorButton()->setColour(character.colour.value_or(QColor()));
    bar.upDown()->setPosition(character.pointSize.value_or(0));
    switch (paragraph.alignment.value_or(ParagraphAlignment::Justify)) {
    case ParagraphAlignment::Left:
        bar.alignment()->button(0)->setChecked(true);
        break;
    case ParagraphAlignment::Right:
        bar.alignment()->button(1)->setChecked(true);
        break;
    case ParagraphAlignment::Center:
        bar.alignment()->button(2)->setChecked(true);
        break;
    case ParagraphAlignment::Justify:
        break;
    }
    ShowCaretPosition();
}

// Formatting changes the record's text as typing does.
void TFrmFicheRecettes::raiseChange()
{
    CurrentEditor->Change();
}

// A typeface is taken with the colour the list shows; a name typed that selects no entry of the
// list changes nothing.
void TFrmFicheRecettes::FontNameChange()
{
    if (Updating)
        return;
    const FormattingToolBar &bar = *pageInUse().toolBar;
    const int entry = bar.fontName()->currentIndex();
    if (entry >= 0 && bar.fontName()->itemText(entry) == bar.fontName()->currentText()) {
        CharacterFormat format;
        format.typeface = bar.fontName()->itemText(entry);
        const QColor colour = bar.colorButton()->colour();
        if (colour.isValid())
            format.colour = colour;
        CurrentEditor->setCharacterFormat(format);
    }
    raiseChange();
}

// Runs at every keystroke in the size box and every click on its arrows.
void TFrmFicheRecettes::FontSizeChange()
{
    if (Updating)
        return;
    const QString text = pageInUse().toolBar->fontSize()->text();
    if (text.isEmpty())
        return;
    bool isNumber = false;
    const int size = text.toInt(&isNumber);
    if (!isNumber)
        throw std::runtime_error(QStringLiteral("'%1' is not a valid integer value").arg(text).toStdString());
    if (CurrentEditor->characterFormat().pointSize != size) {
        CharacterFormat format;
        format.pointSize = size;
        CurrentEditor->setCharacterFormat(format);
    }
    raiseChange();
}

namespace {

// Sets a style to the toggle button's state, only where it differs.
void applyStyle(richedit::RichEdit &editor, bool down, std::optional<bool> CharacterFormat::*style)
{
    const bool set = (editor.characterFormat().*style).value_or(false);
    if (down == set)
        return;
    CharacterFormat format;
    format.*style = down;
    editor.setCharacterFormat(format);
}

} // namespace

void TFrmFicheRecettes::BoldButtonClick()
{
    if (Updating)
        return;
    applyStyle(*CurrentEditor, pageInUse().toolBar->boldButton()->isChecked(), &CharacterFormat::bold);
    raiseChange();
}

void TFrmFicheRecettes::ItalicButtonClick()
{
    if (Updating)
        return;
    applyStyle(*CurrentEditor, pageInUse().toolBar->italicButton()->isChecked(), &CharacterFormat::italic);
    raiseChange();
}

void TFrmFicheRecettes::UnderlineButtonClick()
{
    if (Updating)
        return;
    applyStyle(*CurrentEditor, pageInUse().toolBar->underlineButton()->isChecked(), &CharacterFormat::underline);
    raiseChange();
}

void TFrmFicheRecettes::AlignButtonClick(int tag)
{
    if (Updating)
        return;
    const ParagraphAlignment alignment = alignmentOfTag(tag);
    if (CurrentEditor->paragraphFormat().alignment != alignment) {
        ParagraphFormat format;
        format.alignment = alignment;
        CurrentEditor->setParagraphFormat(format);
    }
    raiseChange();
}

// Bullets come with room for them: a left indent of at least 10 points; without them the
// following lines go back to the first one.
void TFrmFicheRecettes::BulletsButtonClick()
{
    if (Updating)
        return;
    const Numbering wanted = pageInUse().toolBar->bulletsButton()->isChecked() ? Numbering::Bullets : Numbering::None;
    const ParagraphFormat paragraph = CurrentEditor->paragraphFormat();
    if (paragraph.numbering != wanted) {
        ParagraphFormat format;
        format.numbering = wanted;
        if (wanted == Numbering::None)
            format.leftIndent = 0;
        else if (points(paragraph.leftIndent) < 10)
            format.leftIndent = 10 * twipsPerPoint;
        CurrentEditor->setParagraphFormat(format);
    }
    raiseChange();
}

void TFrmFicheRecettes::ColorButtonChange()
{
    if (Updating)
        return;
    const QColor colour = pageInUse().toolBar->colorButton()->colour();
    if (colour.isValid() && CurrentEditor->characterFormat().colour != colour) {
        CharacterFormat format;
        format.colour = colour;
        CurrentEditor->setCharacterFormat(format);
    }
    raiseChange();
}

// Qt's font dialog has no colour, character set or pitch: the text keeps its own.
void TFrmFicheRecettes::SelectFont()
{
    const CharacterFormat current = CurrentEditor->characterFormat();
    QFont font(current.typeface.value_or(QStringLiteral("MS Sans Serif")));
    font.setPointSize(qMax(1, current.pointSize.value_or(8)));
    font.setBold(current.bold.value_or(false));
    font.setItalic(current.italic.value_or(false));
    font.setUnderline(current.underline.value_or(false));
    QFontDialog dialog(font, this);
    dialog.setObjectName(QStringLiteral("FontDialog1"));
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (dialog.exec() == QDialog::Accepted) {
        const QFont chosen = dialog.selectedFont();
        CharacterFormat format;
        format.typeface = chosen.family();
        format.pointSize = chosen.pointSize();
        format.bold = chosen.bold();
        format.italic = chosen.italic();
        format.underline = chosen.underline();
        CurrentEditor->setCharacterFormat(format);
    }
    SelectionChange();
    CurrentEditor->setFocus();
}

// The marker's centre jumps under the mouse, and follows it while the button is down.
void TFrmFicheRecettes::RulerItemMouseDown(RulerMarker *marker, int x)
{
    DragOffset = marker->width() / 2;
    marker->move(marker->x() + x - DragOffset, marker->y());
    Dragging = true;
}

void TFrmFicheRecettes::RulerItemMouseMove(RulerMarker *marker, int x)
{
    if (Dragging)
        marker->move(marker->x() + x - DragOffset, marker->y());
}

// The markers stay where they were dropped until the next selection change places them again.
void TFrmFicheRecettes::FirstIndMouseUp()
{
    Dragging = false;
    ParagraphFormat format;
    format.firstLineIndent =
        pointsFromPixels(pageInUse().ruler->firstIndent()->x() + DragOffset - TextGutter) * twipsPerPoint;
    CurrentEditor->setParagraphFormat(format);
    LeftIndMouseUp();
}

// Counted from the first line as it is now set, so that after a first-line drag the following
// lines stay where the left marker shows them.
void TFrmFicheRecettes::LeftIndMouseUp()
{
    Dragging = false;
    const int firstLine = points(CurrentEditor->paragraphFormat().firstLineIndent);
    ParagraphFormat format;
    format.leftIndent =
        (pointsFromPixels(pageInUse().ruler->leftIndent()->x() + DragOffset - TextGutter) - firstLine) * twipsPerPoint;
    CurrentEditor->setParagraphFormat(format);
}

void TFrmFicheRecettes::RightIndMouseUp()
{
    Dragging = false;
    const IndentRuler &ruler = *pageInUse().ruler;
    ParagraphFormat format;
    format.rightIndent =
        (pointsFromPixels(ruler.width() - ruler.rightIndent()->x() + DragOffset - 2) - 2 * TextGutter) * twipsPerPoint;
    CurrentEditor->setParagraphFormat(format);
}
