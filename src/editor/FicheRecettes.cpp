#include "FicheRecettes.h"

#include "FormattingToolBar.h"
#include "IndentRuler.h"
#include "TextCommands.h"

#include "controls/FormControls.h"
#include "controls/HintStatusBar.h"
#include "controls/MyPanel.h"
#include "controls/MyRichEdit.h"
#include "data/DataModule.h"
#include "dbwidgets/DBEdit.h"
#include "dbwidgets/DBLookupComboBox.h"
#include "guard/ErrorGuard.h"
#include "reports/EditFicheRecette.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QDateTime>
#include <QMenuBar>
#include <QScopeGuard>
#include <QStatusTipEvent>
#include <QTabWidget>

namespace {

// What lies on a text page, top to bottom, at the page's full width.
constexpr int pageWidth = 719;
constexpr QRect menuPlace(1, 1, pageWidth, 29);
constexpr QPoint toolBarPlace(1, 30);
constexpr QPoint rulerPlace(1, 62);

} // namespace

TFrmFicheRecettes::TFrmFicheRecettes(TDM &dm, QWidget *owner)
    : ModalForm(owner, QStringLiteral("Fiche Recettes"), QSize(757, 566), Border::Dialog)
    , m_dm(dm)
{
    setObjectName(QStringLiteral("FrmFicheRecettes"));
    createTopArea();
    createPages();
    createButtons();
    createCommands();
    FormCreate();
}

TFrmFicheRecettes::~TFrmFicheRecettes()
{
    FormDestroy();
    // The controls are destroyed after this window's own part, and some signal as they go (a
    // page control losing its pages changes its current page): nothing may reach a handler of
    // a window that is gone.
    const QList<QObject *> controls = findChildren<QObject *>();
    for (QObject *control : controls)
        control->disconnect(this);
    QGuiApplication::clipboard()->disconnect(this);
}

void TFrmFicheRecettes::createTopArea()
{
    QWidget *p = panel();
    const auto label = [p](const QString &name, const QString &caption, QPoint topLeft) {
        FormControls::label(p, name, caption, topLeft, p->font(), FormControls::navy);
    };
    const auto edit = [this, p](const QString &name, const QString &field, const QRect &geometry) {
        auto *box = new DBEdit(p);
        box->setObjectName(name);
        box->setGeometry(geometry);
        box->setDataField(field);
        box->setDataSource(&m_dm.DSRECETTES);
        return box;
    };
    const auto lookup = [this, p](const QString &name, const QString &field, DataSource *list,
                            const QString &listField, const QRect &geometry) {
        auto *box = new DBLookupComboBox(p);
        box->setObjectName(name);
        box->setGeometry(geometry);
        box->setDropDownRows(7);
        box->setListSource(list);
        box->setKeyField(QStringLiteral("NUMERO"));
        box->setListField(listField);
        box->setDataField(field);
        box->setDataSource(&m_dm.DSRECETTES);
        return box;
    };

    label(QStringLiteral("MyLabel1"), QStringLiteral("Description :"), {31, 12});
    DBDescription = edit(QStringLiteral("DBDescription"), QStringLiteral("DESCRIPTION"), {114, 8, 623, 21});
    label(QStringLiteral("MyLabel5"), QStringLiteral("Qualité :"), {31, 37});
    auto *quality = lookup(QStringLiteral("DBLookupComboBox1"), QStringLiteral("QUALITE"), &m_dm.DSQualite,
        QStringLiteral("CRITERE"), {114, 33, 145, 21});
    label(QStringLiteral("MyLabel10"), QStringLiteral("Difficulté :"), {280, 37});
    auto *difficulty = lookup(QStringLiteral("DBLookupComboBox2"), QStringLiteral("DIFFICULTE"), &m_dm.DSDifficulte,
        QStringLiteral("VALEUR"), {344, 33, 145, 21});
    label(QStringLiteral("MyLabel6"), QStringLiteral("Date de création :"), {535, 37});
    auto *created = edit(QStringLiteral("DBEdit2"), QStringLiteral("DATE_CREATION"), {647, 33, 89, 21});
    created->setFieldReadOnly(true);
    // Beside the number of people, which the ingredients are counted for.
    label(QStringLiteral("MyLabel3"), QStringLiteral("Ingrédients :"), {32, 64});
    auto *people = edit(QStringLiteral("DBEdit4"), QStringLiteral("PERSONNES"), {115, 57, 265, 21});
    label(QStringLiteral("MyLabel2"), QStringLiteral("Date dernière modification :"), {479, 60});
    auto *modified = edit(QStringLiteral("DBEdit3"), QStringLiteral("DATE_DERN_MODIF"), {647, 57, 89, 21});
    modified->setFieldReadOnly(true);
    label(QStringLiteral("MyLabel7"), QStringLiteral("Calories :"), {32, 87});
    auto *calories = edit(QStringLiteral("DBEdit1"), QStringLiteral("CALORIES"), {114, 82, 153, 21});
    label(QStringLiteral("MyLabel4"), QStringLiteral("Temps de préparation :"), {432, 85});
    auto *preparationTime = edit(QStringLiteral("DBEdit5"), QStringLiteral("TXT_PREPARATION"), {568, 81, 169, 21});
    label(QStringLiteral("MyLabel9"), QStringLiteral("Accompagnement :"), {32, 109});
    auto *accompaniment = edit(QStringLiteral("DBEdit7"), QStringLiteral("TXT_ACCOMPAGNEMENT"), {144, 104, 273, 21});
    label(QStringLiteral("MyLabel8"), QStringLiteral("Temps de cuisson :"), {455, 106});
    auto *cookingTime = edit(QStringLiteral("DBEdit6"), QStringLiteral("TXT_CUISSON"), {568, 105, 169, 21});

    PgeControl = new QTabWidget(p);
    PgeControl->setObjectName(QStringLiteral("PgeControl"));
    PgeControl->setGeometry(18, 136, 729, 366);

    QWidget *order[] = {DBDescription, quality, difficulty, created, PgeControl, modified, people, calories,
        preparationTime, accompaniment, cookingTime};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TFrmFicheRecettes::createPages()
{
    m_ingredients = createTextPage(true);
    PgeIngredients = m_ingredients.page;
    m_preparation = createTextPage(false);
    PgePreparation = m_preparation.page;
    PgeIllustration = createIllustrationPage();
    PgeControl->addTab(PgeIngredients, QStringLiteral("I&ngredients"));
    PgeControl->addTab(PgePreparation, QStringLiteral("&Préparation"));
    PgeControl->addTab(PgeIllustration, QStringLiteral("&Illustration"));
    ErrorGuard::connect(PgeControl, &QTabWidget::currentChanged, this, &TFrmFicheRecettes::activePageChanged);
    connectTextPage(m_ingredients);
    connectTextPage(m_preparation);
}

TFrmFicheRecettes::TextPage TFrmFicheRecettes::createTextPage(bool ingredients)
{
    TextPage made;
    made.page = new QWidget;
    made.page->setObjectName(ingredients ? QStringLiteral("PgeIngredients") : QStringLiteral("PgePreparation"));
    auto *plain = new QWidget(made.page);
    plain->setObjectName(ingredients ? QStringLiteral("Panel2") : QStringLiteral("Panel1"));
    plain->setGeometry(0, 0, pageWidth + 2, 336);

    made.menu = new QMenuBar(plain);
    made.menu->setObjectName(ingredients ? QStringLiteral("ToolBar4") : QStringLiteral("ToolBar1"));
    made.menu->setNativeMenuBar(false);
    made.menu->setGeometry(menuPlace);

    made.toolBar = new FormattingToolBar(
        ingredients ? FormattingToolBar::Page::Ingredients : FormattingToolBar::Page::Preparation, plain);
    made.toolBar->move(toolBarPlace);

    made.ruler = new IndentRuler(ingredients ? IndentRuler::ingredientsNames : IndentRuler::preparationNames, plain);
    made.ruler->move(rulerPlace);

    made.editor = new TMyRichEdit(plain);
    made.editor->setObjectName(ingredients ? QStringLiteral("EditIngredients") : QStringLiteral("EditPreparation"));
    made.editor->setGeometry(1, 88, pageWidth, ingredients ? 224 : 227);
    FormControls::setBoldNavyText(made.editor, QStringLiteral("MS Sans Serif"), 11);
    made.editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    made.editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    made.editor->setDataField(ingredients ? QStringLiteral("INGREDIENTS") : QStringLiteral("PREPARATION"));
    made.editor->setDataSource(&m_dm.DSRECETTES);
    // A file dropped on the text is the window's, as one dropped anywhere else on it.
    made.editor->viewport()->installEventFilter(this);

    made.statusBar = new HintStatusBar(plain);
    made.statusBar->setObjectName(ingredients ? QStringLiteral("StatusBar1") : QStringLiteral("StatusBar"));
    made.statusBar->setGeometry(ingredients ? QRect(1, 312, pageWidth, 22) : QRect(1, 315, pageWidth, 19));
    return made;
}

void TFrmFicheRecettes::createButtons()
{
    QWidget *p = panel();
    FormControls::button<TMyButton>(p, QStringLiteral("BtnIngredients"), QStringLiteral("I&ngrédients"),
        QStringLiteral("Voir la page Ingrédients"), QRect(24, 518, 80, 24), this, &TFrmFicheRecettes::BtnIngredientsClick);
    FormControls::button<TMyButton>(p, QStringLiteral("BtnPreparation"), QStringLiteral("&Préparation"),
        QStringLiteral("Voir la page Préparation"), QRect(113, 518, 80, 24), this, &TFrmFicheRecettes::BtnPreparationClick);
    FormControls::button<TMyButton>(p, QStringLiteral("BtnIllustration"), QStringLiteral("I&llustration"),
        QStringLiteral("Voir la page Illustration"), QRect(203, 518, 80, 24), this, &TFrmFicheRecettes::BtnIllustrationClick);
    FormControls::button<TMyButton>(p, QStringLiteral("MyButton1"), QStringLiteral("&Imprimer"),
        QStringLiteral("Visulisation et Impression de cette recette"), QRect(294, 518, 80, 24), this,
        &TFrmFicheRecettes::FilePrint);
    FormControls::button<TMyButton>(p, QStringLiteral("BtnOk"), QStringLiteral("&Ok"), QString(), QRect(450, 518, 80, 24),
        this, &TFrmFicheRecettes::BtnOkClick);
    FormControls::button<TMyButton>(p, QStringLiteral("Btnannuler"), QStringLiteral("&Annuler"), QString(),
        QRect(544, 518, 80, 24), this, &TFrmFicheRecettes::BtnannulerClick);
}

const TFrmFicheRecettes::TextPage &TFrmFicheRecettes::pageInUse() const
{
    return PgeControl->currentWidget() == PgePreparation ? m_preparation : m_ingredients;
}

bool TFrmFicheRecettes::textPageIsActive() const
{
    return PgeControl->currentWidget() == PgeIngredients || PgeControl->currentWidget() == PgePreparation;
}

// A page made active by the program is not one the user picked.
void TFrmFicheRecettes::showPage(QWidget *page)
{
    m_changingPage = true;
    const auto done = qScopeGuard([this] { m_changingPage = false; });
    PgeControl->setCurrentWidget(page);
}

// The page's own show handler runs first, whichever way it was chosen; until the window is
// shown, FormShow runs it.
void TFrmFicheRecettes::activePageChanged()
{
    if (!isVisible())
        return;
    if (PgeControl->currentWidget() == PgeIngredients)
        PgeIngredientsShow();
    else if (PgeControl->currentWidget() == PgePreparation)
        PgePreparationShow();
    if (!m_changingPage)
        PgeControlChange();
}

// While the recipe dataset is still browsed: the caller edits or appends the recipe later.
void TFrmFicheRecettes::FormCreate()
{
    m_textFolder = QCoreApplication::applicationDirPath();
    CurrentEditor = m_preparation.editor;
    FillFontLists();
    BuildRulerCaption();
    ApplyDefaultTextFormat();
    showPage(PgeIngredients);
}

void TFrmFicheRecettes::showEvent(QShowEvent *event)
{
    ModalForm::showEvent(event);
    if (event->spontaneous())
        return;
    ErrorGuard::run([this] {
        if (PgeControl->currentWidget() == PgeIngredients)
            PgeIngredientsShow();
        else if (PgeControl->currentWidget() == PgePreparation)
            PgePreparationShow();
        FormShow();
    });
}

void TFrmFicheRecettes::FormShow()
{
    ShowCaretPosition();
    setAcceptDrops(true);
    RichEditChange();
    DBDescription->setFocus();
}

// What was not posted goes: a new recipe leaves no row, a changed one is read again as it is in
// the database. Nothing may leave a destructor, so a failure is shown here.
void TFrmFicheRecettes::FormDestroy()
{
    if (m_dm.IBRECETTES.isEditing()) {
        ErrorGuard::run([this] {
            m_dm.IBRECETTES.cancel();
            m_dm.IBRECETTES.refresh();
        });
    }
}

// The formatting rectangle is kept at its distances to the text's edges, so that setting it
// whenever a text becomes the current one does what setting it at every paint would.
void TFrmFicheRecettes::PgeIngredientsShow()
{
    CurrentEditor = m_ingredients.editor;
    SetTextMargins();
}

void TFrmFicheRecettes::PgePreparationShow()
{
    CurrentEditor = m_preparation.editor;
    SetTextMargins();
}

void TFrmFicheRecettes::PgeControlChange()
{
    SelectionChange();
}

void TFrmFicheRecettes::BtnIngredientsClick()
{
    showPage(PgeIngredients);
    SelectionChange();
}

void TFrmFicheRecettes::BtnPreparationClick()
{
    showPage(PgePreparation);
    SelectionChange();
}

void TFrmFicheRecettes::BtnIllustrationClick()
{
    showPage(PgeIllustration);
}

// Leaving a text writes what it shows into the record, so that the report shows the recipe as
// the window does; the record is not posted.
void TFrmFicheRecettes::FilePrint()
{
    DBDescription->setFocus();
    const auto giveFocusBack = qScopeGuard([this] {
        if (textPageIsActive())
            CurrentEditor->setFocus();
    });
    TFrmEditFicheRecette form(m_dm); // released before the focus goes back
    form.QuickRep1.preview(this);
}

// The recipes are read again so that the recipe takes its place by description; its key is
// the only way to find it again after that. A refused post stops here, the window open.
void TFrmFicheRecettes::BtnOkClick()
{
    QueryDataset &recipes = m_dm.IBRECETTES;
    if (recipes.isEditing()) {
        if (recipes.state() == DatasetState::Edit)
            recipes.fieldByName(QStringLiteral("DATE_DERN_MODIF")).setValue(QDateTime::currentDateTime());
        recipes.post();
        const double key = recipes.fieldByName(QStringLiteral("IDRECETTE")).asFloat();
        recipes.close();
        recipes.open();
        recipes.locate(QStringLiteral("IDRECETTE"), key, LocateOption::CaseInsensitive);
    }
    accept();
}

void TFrmFicheRecettes::BtnannulerClick()
{
    reject();
}

// The long part of the hint of the control under the mouse, in the status bar of the page in
// use; the illustration page lends the ingredients' one, out of sight.
void TFrmFicheRecettes::ShowHint(const QString &hint)
{
    pageInUse().statusBar->showHint(hint);
}

bool TFrmFicheRecettes::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        ShowHint(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return ModalForm::event(event);
}
