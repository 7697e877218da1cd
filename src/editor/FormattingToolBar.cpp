#include "FormattingToolBar.h"

#include "ColourBox.h"
#include "UpDown.h"

#include "controls/FormControls.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

namespace {

constexpr int barWidth = 719;
// The items stand inside a border of two pixels.
constexpr int border = 2;
constexpr int buttonWidth = 23;
constexpr int buttonHeight = 22;
constexpr int gapWidth = 8;

// The names of an item in the ingredients copy and in the preparation copy.
struct Name
{
    const char16_t *ingredients;
    const char16_t *preparation;
};

} // namespace

FormattingToolBar::FormattingToolBar(Page page, QWidget *parent)
    : QFrame(parent)
{
    const auto name = [page](Name both) {
        return QString::fromUtf16(page == Page::Ingredients ? both.ingredients : both.preparation);
    };
    setObjectName(name({u"ToolBar5", u"StandardToolBar"}));
    setFrameStyle(QFrame::NoFrame);
    resize(barWidth, buttonHeight + 2 * border);

    m_newButton = button(name({u"ToolButton9", u"NewButton"}), 4, false);
    m_openButton = button(name({u"ToolButton12", u"OpenButton"}), 27, false);
    m_saveButton = button(name({u"ToolButton13", u"SaveButton"}), 50, false);
    m_printButton = button(name({u"ToolButton14", u"PrintButton"}), 73, false);
    gap(name({u"ToolButton15", u"ToolButton5"}), 96, true);
    m_cutButton = button(name({u"ToolButton17", u"CutButton"}), 104, false);
    m_copyButton = button(name({u"ToolButton18", u"CopyButton"}), 127, false);
    m_pasteButton = button(name({u"ToolButton19", u"PasteButton"}), 150, false);
    m_undoButton = button(name({u"ToolButton21", u"UndoButton"}), 173, false);
    gap(name({u"ToolButton22", u"ToolButton10"}), 196, false);

    m_fontName = new QComboBox(this);
    m_fontName->setObjectName(name({u"FontName1", u"FontName"}));
    m_fontName->setEditable(true);
    // A name typed by hand changes the text only once it is a whole typeface name.
    m_fontName->setCompleter(nullptr);
    m_fontName->setInsertPolicy(QComboBox::NoInsert);
    m_fontName->setMaxVisibleItems(10);
    m_fontName->setGeometry(204, border, 173, 21);
    FormControls::setHint(m_fontName, QStringLiteral("Nom de fonte|Sélectionner le nom de la fonte"));
    gap(name({u"ToolButton23", u"ToolButton11"}), 377, false);

    m_fontSize = new QLineEdit(QStringLiteral("0"), this);
    m_fontSize->setObjectName(name({u"FontSize1", u"FontSize"}));
    m_fontSize->setGeometry(385, border, 26, buttonHeight);
    FormControls::setHint(m_fontSize, QStringLiteral("Taille de fonte|Sélectionner la taille de fonte"));
    m_upDown = new UpDown(m_fontSize, this);
    m_upDown->setObjectName(name({u"UpDown1", u"UpDown"}));
    m_upDown->setGeometry(411, border, 16, buttonHeight);
    m_upDown->setRange(0, 100);
    gap(name({u"ToolButton24", u"ToolButton2"}), 427, false);

    m_boldButton = button(name({u"BoldButton1", u"BoldButton"}), 435, true);
    m_italicButton = button(name({u"ItalicButton1", u"ItalicButton"}), 458, true);
    m_underlineButton = button(name({u"UnderlineButton1", u"UnderlineButton"}), 481, true);
    gap(name({u"ToolButton28", u"ToolButton16"}), 504, true);

    // The ids are the alignments' tags: 0 left, 1 right, 2 centre.
    m_alignment = new QButtonGroup(this);
    m_alignment->addButton(button(name({u"LeftAlign1", u"LeftAlign"}), 512, true), 0);
    m_alignment->addButton(button(name({u"CenterAlign1", u"CenterAlign"}), 535, true), 2);
    m_alignment->addButton(button(name({u"RightAlign1", u"RightAlign"}), 558, true), 1);
    gap(name({u"ToolButton32", u"ToolButton20"}), 581, true);

    m_bulletsButton = button(name({u"BulletsButton1", u"BulletsButton"}), 589, true);
    FormControls::setHint(m_bulletsButton, QStringLiteral("Marques|Passer en mode marques"));
    m_colorButton = new ColourBox(this);
    m_colorButton->setObjectName(name({u"ColorButton1", u"ColorButton"}));
    m_colorButton->setGeometry(612, border, 86, buttonHeight);

    const struct
    {
        QToolButton *button;
        const char16_t *image;
        const char16_t *hint;
    } formatting[] = {
        {m_boldButton, u"bold", u"Gras"},
        {m_italicButton, u"italic", u"Italique"},
        {m_underlineButton, u"underline", u"Souligné"},
        {qobject_cast<QToolButton *>(m_alignment->button(0)), u"alignleft", u"Aligner à gauche"},
        {qobject_cast<QToolButton *>(m_alignment->button(2)), u"center", u"Centré"},
        {qobject_cast<QToolButton *>(m_alignment->button(1)), u"alignright", u"Aligner à droite"},
        {m_bulletsButton, u"bullets", nullptr},
    };
    for (const auto &item : formatting) {
        item.button->setIcon(QIcon(QStringLiteral(":/toolbar/%1.png").arg(QString::fromUtf16(item.image))));
        if (item.hint)
            FormControls::setHint(item.button, QString::fromUtf16(item.hint));
    }
}

QToolButton *FormattingToolBar::button(const QString &name, int left, bool toggle)
{
    auto *made = new QToolButton(this);
    made->setObjectName(name);
    made->setAutoRaise(true);
    made->setCheckable(toggle);
    made->setFocusPolicy(Qt::NoFocus);
    made->setIconSize(QSize(16, 16));
    made->setToolButtonStyle(Qt::ToolButtonIconOnly);
    made->setGeometry(left, border, buttonWidth, buttonHeight);
    return made;
}

// A divider shows a line between its neighbours; a separator is only room.
void FormattingToolBar::gap(const QString &name, int left, bool divider)
{
    auto *made = new QFrame(this);
    made->setObjectName(name);
    made->setFrameStyle(divider ? QFrame::VLine | QFrame::Sunken : QFrame::NoFrame);
    made->setGeometry(left, border, gapWidth, buttonHeight);
}
