#pragma once

#include <QFrame>

class ColourBox;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class QToolButton;
class UpDown;

/// The formatting toolbar of a text page: the file and edit buttons, then the font name, size,
/// style, alignment, bullets and colour of the text. Made once per text page with that page's
/// control names, each item at its place; it only holds the controls, and the recipe card
/// handles what they do.
class FormattingToolBar : public QFrame
{
    Q_OBJECT

public:
    enum class Page { Ingredients, Preparation };

    FormattingToolBar(Page page, QWidget *parent);

    // Bound to the file and edit commands.
    QToolButton *newButton() const { return m_newButton; }
    QToolButton *openButton() const { return m_openButton; }
    QToolButton *saveButton() const { return m_saveButton; }
    QToolButton *printButton() const { return m_printButton; }
    QToolButton *cutButton() const { return m_cutButton; }
    QToolButton *copyButton() const { return m_copyButton; }
    QToolButton *pasteButton() const { return m_pasteButton; }
    QToolButton *undoButton() const { return m_undoButton; }

    QComboBox *fontName() const { return m_fontName; }
    QLineEdit *fontSize() const { return m_fontSize; }
    UpDown *upDown() const { return m_upDown; }
    QToolButton *boldButton() const { return m_boldButton; }
    QToolButton *italicButton() const { return m_italicButton; }
    QToolButton *underlineButton() const { return m_underlineButton; }
    /// The three alignment buttons, at most one of them down; each one's id is its alignment.
    QButtonGroup *alignment() const { return m_alignment; }
    QToolButton *bulletsButton() const { return m_bulletsButton; }
    ColourBox *colorButton() const { return m_colorButton; }

private:
    QToolButton *button(const QString &name, int left, bool toggle);
    void gap(const QString &name, int left, bool divider);

    QToolButton *m_newButton;
    QToolButton *m_openButton;
    QToolButton *m_saveButton;
    QToolButton *m_printButton;
    QToolButton *m_cutButton;
    QToolButton *m_copyButton;
    QToolButton *m_pasteButton;
    QToolButton *m_undoButton;
    QComboBox *m_fontName;
    QLineEdit *m_fontSize;
    UpDown *m_upDown;
    QToolButton *m_boldButton;
    QToolButton *m_italicButton;
    QToolButton *m_underlineButton;
    QButtonGroup *m_alignment;
    QToolButton *m_bulletsButton;
    ColourBox *m_colorButton;
};
