#pragma once

#include "controls/ModalForm.h"

class DBEdit;
class FormattingToolBar;
class HintStatusBar;
class IndentRuler;
class QMenuBar;
class QTabWidget;
class RulerMarker;
class TDM;
class TMyDBImage;
class TMyRichEdit;
class TextCommands;

/// The recipe card: the window in which one recipe is written or changed. It edits the current
/// row of the recipe dataset, which its caller has put into insert or edit state, through
/// controls bound to it: the short fields and ratings at the top, the ingredients and the
/// preparation as formatted texts, each on its page with its menu, formatting toolbar, indent
/// ruler and status bar, and the illustration. "&Ok" posts the recipe and stands the list on
/// it; "&Annuler", the close box or Alt+X leave it, and the window's destruction drops what
/// was not posted.
///
/// Its handlers are spread over four files: the window and its pages (FicheRecettes.cpp), the
/// formatting toolbar and the ruler (FicheRecettesFormatting.cpp), the text's file and edit
/// commands (FicheRecettesCommands.cpp), and the illustration page
/// (FicheRecettesIllustration.cpp).
class TFrmFicheRecettes : public ModalForm
{
    Q_OBJECT

public:
    /// Nothing in the creation depends on the state of the recipe dataset: the caller appends
    /// or edits the recipe once the window exists.
    TFrmFicheRecettes(TDM &dm, QWidget *owner);
    ~TFrmFicheRecettes() override;

    /// Of the copies of a text page's controls, the one that a toolbar or ruler command reads.
    struct TextPage
    {
        QWidget *page = nullptr;
        QMenuBar *menu = nullptr;
        FormattingToolBar *toolBar = nullptr;
        IndentRuler *ruler = nullptr;
        TMyRichEdit *editor = nullptr;
        HintStatusBar *statusBar = nullptr;
    };

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The window and its pages.
    void createTopArea();
    void createPages();
    TextPage createTextPage(bool ingredients);
    void createButtons();
    void connectTextPage(const TextPage &page);
    /// The copy of the page in use: the preparation's when it is the active page, the
    /// ingredients' otherwise.
    const TextPage &pageInUse() const;
    bool textPageIsActive() const;
    void showPage(QWidget *page);
    void activePageChanged();

    void FormCreate();
    void FormShow();
    void FormDestroy();
    void PgeIngredientsShow();
    void PgePreparationShow();
    void PgeControlChange();
    void BtnIngredientsClick();
    void BtnPreparationClick();
    void BtnIllustrationClick();
    void FilePrint();
    void BtnOkClick();
    void BtnannulerClick();
    void ShowHint(const QString &hint);

    // The formatting toolbar and the ruler.
    void FillFontLists();
    void BuildRulerCaption();
    void ApplyDefaultTextFormat();
    void SetTextMargins();
    void ShowCaretPosition();
    void SelectionChange();
    void RichEditChange();
    void raiseChange();
    void FontNameChange();
    void FontSizeChange();
    void BoldButtonClick();
    void ItalicButtonClick();
    void UnderlineButtonClick();
    void AlignButtonClick(int tag);
    void BulletsButtonClick();
    void ColorButtonChange();
    void SelectFont();
    void RulerItemMouseDown(RulerMarker *marker, int x);
    void RulerItemMouseMove(RulerMarker *marker, int x);
    void FirstIndMouseUp();
    void LeftIndMouseUp();
    void RightIndMouseUp();

    // The file and edit commands.
    void createCommands();
    void bindToolBar(const FormattingToolBar &toolBar, bool ingredients);
    void FileNew();
    void FileOpen();
    void LoadTextFile(const QString &fileName);
    void FileSave();
    void FileSaveAs();
    void FileExit();
    void EditUndo();
    void EditCut();
    void EditCopy();
    void EditPaste();
    void ActionList2Update();
    void FilesDropped(const QList<QUrl> &urls);

    // The illustration page.
    QWidget *createIllustrationPage();
    void IllustrationNew();
    void IllustrationOpen();
    void IllustrationSaveAs();
    void IllustrationCopier();
    void IllustrationCouper();
    void IllustrationColler();

    TDM &m_dm;
    TMyRichEdit *CurrentEditor = nullptr;
    bool Updating = false;
    int DragOffset = 0;
    bool Dragging = false;

    DBEdit *DBDescription = nullptr;
    QTabWidget *PgeControl = nullptr;
    QWidget *PgeIngredients = nullptr;
    QWidget *PgePreparation = nullptr;
    QWidget *PgeIllustration = nullptr;
    TMyDBImage *MyDBImage = nullptr;
    TextPage m_ingredients;
    TextPage m_preparation;
    TextCommands *m_commands = nullptr;
    QString m_textFolder;
    bool m_changingPage = false;
};
