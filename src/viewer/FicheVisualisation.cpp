#include "FicheVisualisation.h"

#include "controls/FormControls.h"
#include "controls/HintStatusBar.h"
#include "controls/MyDBImage.h"
#include "controls/MyPanel.h"
#include "controls/MyRichEdit.h"
#include "data/DataModule.h"
#include "dbwidgets/DBEdit.h"
#include "dbwidgets/DBLookupComboBox.h"
#include "dbwidgets/DatasetNavigation.h"
#include "guard/ErrorGuard.h"
#include "reports/EditFicheRecette.h"

#include <QFrame>
#include <QShowEvent>
#include <QTabWidget>

namespace {

// The page control shows its tabs as a row of buttons over pages without a frame.
const QString buttonTabs = QStringLiteral(
    "QTabWidget::pane { border: none; }"
    "QTabBar::tab { background: #d4d0c8; color: black; border: 2px outset #f0ece4;"
    " padding: 2px 10px; margin: 2px 3px 3px 0px; min-width: 60px; }"
    "QTabBar::tab:selected { background: #e8e4dc; border-style: inset; }");

constexpr QSize pageSize(760, 370);

} // namespace

TFrmFicheVisualisation::TFrmFicheVisualisation(TDM &dm, QWidget *owner)
    : ModalForm(owner, QStringLiteral("Visualisation"), QSize(800, 558), Border::Dialog)
    , m_dm(dm)
{
    setObjectName(QStringLiteral("FrmFicheVisualisation"));
    createFamilyRow();
    createRecipeRow();
    createPages();
    createButtons();
    // The panel has the focus when the window opens, so that the buttons' letters work alone;
    // it can be clicked back into focus, but Tab passes it by.
    panel()->setFocusPolicy(Qt::ClickFocus);
    setTabOrder(PgeControl, EditIngredients);
    setTabOrder(EditIngredients, EditPreparation);
    setTabOrder(EditPreparation, DBEdit2);
    setTabOrder(DBEdit2, DBLookupComboBox2);
    FormCreate();
}

template <class Button>
void TFrmFicheVisualisation::addButton(const QString &name, const QString &caption, const QString &hint,
    const QRect &geometry, Handler handler)
{
    FormControls::button<Button>(panel(), name, caption, hint, geometry, this, handler);
}

void TFrmFicheVisualisation::createFamilyRow()
{
    QWidget *p = panel();
    auto *title = FormControls::label(p, QStringLiteral("MyLabel1"), QStringLiteral("Famille  :"), QPoint(29, 29),
        FormControls::titleFont(), FormControls::navy);
    title->setAutoSize(false);
    title->setGeometry(29, 29, 98, 24);

    DBLookupComboBox2 = new DBLookupComboBox(p);
    DBLookupComboBox2->setObjectName(QStringLiteral("DBLookupComboBox2"));
    DBLookupComboBox2->setGeometry(145, 29, 520, 21);
    DBLookupComboBox2->setDropDownRows(20);
    DBLookupComboBox2->setListSource(&m_dm.DSFAMILLE);
    DBLookupComboBox2->setKeyField(QStringLiteral("IDFAMILLE"));
    DBLookupComboBox2->setListField(QStringLiteral("FAMILLE"));
    DBLookupComboBox2->setDataField(QStringLiteral("IDFamille"));
    DBLookupComboBox2->setDataSource(&m_dm.DSMemData);

    addButton<TMyParcours1>(QStringLiteral("BtnFirstFamille"), QStringLiteral("<<"),
        QStringLiteral("Premier enregistrement de la table des familles"), QRect(685, 29, 20, 24),
        &TFrmFicheVisualisation::BtnFirstFamilleClick);
    addButton<TMyParcours1>(QStringLiteral("BtnPriorFamille"), QStringLiteral("<"),
        QStringLiteral("Enregistrement précédent de la  table des familles"), QRect(708, 29, 20, 24),
        &TFrmFicheVisualisation::BtnPriorFamilleClick);
    addButton<TMyParcours1>(QStringLiteral("BtnNextFamille"), QStringLiteral(">"),
        QStringLiteral("Enregistrement suivant de la table des familles"), QRect(731, 29, 20, 24),
        &TFrmFicheVisualisation::BtnNextFamilleClick);
    addButton<TMyParcours1>(QStringLiteral("BtnLastFamille"), QStringLiteral(">>"),
        QStringLiteral("Dernier enregistrement de la table des familles"), QRect(754, 29, 20, 24),
        &TFrmFicheVisualisation::BtnLastFamilleClick);
}

void TFrmFicheVisualisation::createRecipeRow()
{
    QWidget *p = panel();
    auto *title = FormControls::label(p, QStringLiteral("MyLabel2"), QStringLiteral("Recettes :"), QPoint(27, 54),
        FormControls::titleFont(), FormControls::navy);
    title->setAutoSize(false);
    title->setGeometry(27, 54, 105, 24);

    DBEdit2 = new DBEdit(p);
    DBEdit2->setObjectName(QStringLiteral("DBEdit2"));
    DBEdit2->setGeometry(144, 56, 521, 21);
    DBEdit2->setFieldReadOnly(true);
    DBEdit2->setDataField(QStringLiteral("DESCRIPTION"));
    DBEdit2->setDataSource(&m_dm.DSRECETTES);

    addButton<TMyParcours1>(QStringLiteral("MyParcours11"), QStringLiteral("<<"),
        QStringLiteral("Première recette de la famille sélectionnée"), QRect(685, 55, 20, 24),
        &TFrmFicheVisualisation::BtnFirstRecetteClick);
    addButton<TMyParcours1>(QStringLiteral("MyParcours12"), QStringLiteral("<"),
        QStringLiteral("Recette précédente de la famille sélectionnée"), QRect(708, 55, 20, 24),
        &TFrmFicheVisualisation::BtnPriorRecetteClick);
    addButton<TMyParcours1>(QStringLiteral("MyParcours13"), QStringLiteral(">"),
        QStringLiteral("Recette suivante de la famille sélectionnée"), QRect(731, 55, 20, 24),
        &TFrmFicheVisualisation::BtnNextRecetteClick);
    addButton<TMyParcours1>(QStringLiteral("MyParcours14"), QStringLiteral(">>"),
        QStringLiteral("Dernière recette de la famille sélectionnée"), QRect(755, 55, 20, 24),
        &TFrmFicheVisualisation::BtnLastRecetteClick);
}

void TFrmFicheVisualisation::createPages()
{
    PgeControl = new QTabWidget(panel());
    PgeControl->setObjectName(QStringLiteral("PgeControl"));
    PgeControl->setGeometry(20, 104, 768, 401);
    PgeControl->setStyleSheet(buttonTabs);

    PgeIngredients = new QWidget;
    PgeIngredients->setObjectName(QStringLiteral("PgeIngredients"));
    EditIngredients = createTextView(PgeIngredients, QStringLiteral("EditIngredients"), QStringLiteral("INGREDIENTS"));
    EditIngredients->setGeometry(0, 0, 760, 351);
    auto *ingredientsStatus = new HintStatusBar(PgeIngredients);
    ingredientsStatus->setObjectName(QStringLiteral("StatusBar1"));
    ingredientsStatus->setGeometry(0, 351, 760, 19);

    // The preparation stands in a framed panel that fills its page.
    PgePreparation = new QWidget;
    PgePreparation->setObjectName(QStringLiteral("PgePreparation"));
    auto *frame = new QFrame(PgePreparation);
    frame->setObjectName(QStringLiteral("Panel1"));
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setGeometry(QRect(QPoint(0, 0), pageSize));
    EditPreparation = createTextView(frame, QStringLiteral("EditPreparation"), QStringLiteral("PREPARATION"));
    EditPreparation->setGeometry(1, 1, 758, 349);
    auto *preparationStatus = new HintStatusBar(frame);
    preparationStatus->setObjectName(QStringLiteral("StatusBar"));
    preparationStatus->setGeometry(1, 350, 758, 19);

    PgeIllustration = new QWidget;
    PgeIllustration->setObjectName(QStringLiteral("PgeIllustration"));
    MyDBImage = new TMyDBImage(PgeIllustration);
    MyDBImage->setObjectName(QStringLiteral("MyDBImage"));
    MyDBImage->setGeometry(QRect(QPoint(0, 0), pageSize));
    MyDBImage->setReadOnly(true);
    MyDBImage->setDataField(QStringLiteral("IMAGE"));
    MyDBImage->setDataSource(&m_dm.DSRECETTES);

    PgeControl->addTab(PgeIngredients, QStringLiteral("&Ingredients"));
    PgeControl->addTab(PgePreparation, QStringLiteral("&Préparation"));
    PgeControl->addTab(PgeIllustration, QStringLiteral("&Illustration"));
}

// Text that carries no formatting of its own is shown in the window's bold navy.
TMyRichEdit *TFrmFicheVisualisation::createTextView(QWidget *parent, const QString &name, const QString &field)
{
    auto *view = new TMyRichEdit(parent);
    view->setObjectName(name);
    FormControls::setBoldNavyText(view, QStringLiteral("MS Sans Serif"), 11);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setFieldReadOnly(true);
    view->setDataField(field);
    view->setDataSource(&m_dm.DSRECETTES);
    return view;
}

void TFrmFicheVisualisation::createButtons()
{
    addButton<TMyButton>(QStringLiteral("BtnIngredients"), QStringLiteral("I&ngrédients"),
        QStringLiteral("Voir la page Ingrédients"), QRect(111, 510, 80, 24), &TFrmFicheVisualisation::BtnIngredientsClick);
    addButton<TMyButton>(QStringLiteral("BtnPreparation"), QStringLiteral("&Préparation"),
        QStringLiteral("Voir la page Préparation"), QRect(216, 510, 80, 24), &TFrmFicheVisualisation::BtnPreparationClick);
    addButton<TMyButton>(QStringLiteral("BtnIllustration"), QStringLiteral("I&llustration"),
        QStringLiteral("Voir la page Illustration"), QRect(322, 510, 80, 24),
        &TFrmFicheVisualisation::BtnIllustrationClick);
    addButton<TMyButton>(QStringLiteral("BtnImprimer"), QStringLiteral("&Imprimer"),
        QStringLiteral("Visulisation et Impression de cette recette"), QRect(422, 510, 80, 24),
        &TFrmFicheVisualisation::BtnImprimerClick);
    addButton<TMyButton>(QStringLiteral("BtnFermer"), QStringLiteral("&Fermer"), QStringLiteral("Fermer la fenêtre"),
        QRect(522, 511, 80, 24), &TFrmFicheVisualisation::BtnFermerClick);
}

// The window opens on the family and recipe that were current, on the ingredients: the
// datasets do not move.
void TFrmFicheVisualisation::FormCreate()
{
    PgeControl->setCurrentWidget(PgeIngredients);
    showCurrentFamily();
}

void TFrmFicheVisualisation::showEvent(QShowEvent *event)
{
    ModalForm::showEvent(event);
    if (!event->spontaneous())
        panel()->setFocus();
}

void TFrmFicheVisualisation::showCurrentFamily()
{
    const double family = m_dm.IBFAMILLE.fieldByName(QStringLiteral("IDFAMILLE")).asFloat();
    m_dm.dxMemData.fieldByName(QStringLiteral("IDFamille")).setValue(family);
}

// Every family move is told to the drop-down, even one that stays on the same family: the
// drop-down then positions the families again, and the recipes are read anew.

void TFrmFicheVisualisation::BtnFirstFamilleClick()
{
    if (DatasetNavigation::first(m_dm.IBFAMILLE))
        showCurrentFamily();
}

void TFrmFicheVisualisation::BtnPriorFamilleClick()
{
    if (DatasetNavigation::prior(m_dm.IBFAMILLE))
        showCurrentFamily();
}

void TFrmFicheVisualisation::BtnNextFamilleClick()
{
    if (DatasetNavigation::next(m_dm.IBFAMILLE))
        showCurrentFamily();
}

void TFrmFicheVisualisation::BtnLastFamilleClick()
{
    if (DatasetNavigation::last(m_dm.IBFAMILLE))
        showCurrentFamily();
}

void TFrmFicheVisualisation::BtnFirstRecetteClick()
{
    DatasetNavigation::first(m_dm.IBRECETTES);
}

void TFrmFicheVisualisation::BtnPriorRecetteClick()
{
    DatasetNavigation::prior(m_dm.IBRECETTES);
}

void TFrmFicheVisualisation::BtnNextRecetteClick()
{
    DatasetNavigation::next(m_dm.IBRECETTES);
}

void TFrmFicheVisualisation::BtnLastRecetteClick()
{
    DatasetNavigation::last(m_dm.IBRECETTES);
}

void TFrmFicheVisualisation::BtnIngredientsClick()
{
    PgeControl->setCurrentWidget(PgeIngredients);
}

void TFrmFicheVisualisation::BtnPreparationClick()
{
    PgeControl->setCurrentWidget(PgePreparation);
}

void TFrmFicheVisualisation::BtnIllustrationClick()
{
    PgeControl->setCurrentWidget(PgeIllustration);
}

// No emptiness test: with no recipe the card still shows its fixed texts. The card moves
// neither the families nor the recipes, so nothing is put back.
void TFrmFicheVisualisation::BtnImprimerClick()
{
    TFrmEditFicheRecette form(m_dm);
    form.QuickRep1.preview(this);
}

void TFrmFicheVisualisation::BtnFermerClick()
{
    close();
}
