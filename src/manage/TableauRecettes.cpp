#include "TableauRecettes.h"

#include "Deplacement.h"
#include "FicheFamille.h"
#include "SuppFamille.h"
#include "SuppRecette.h"

#include "controls/Anchors.h"
#include "controls/FormControls.h"
#include "controls/MyPanel.h"
#include "controls/WindowsFonts.h"
#include "editor/FicheRecettes.h"
#include "data/DataModule.h"
#include "dbwidgets/Beep.h"
#include "dbwidgets/DatasetNavigation.h"
#include "dbwidgets/DBGrid.h"
#include "dbwidgets/DBLookupComboBox.h"
#include "guard/ErrorGuard.h"
#include "reports/EditFamille.h"
#include "reports/EditFicheRecette.h"
#include "reports/EditRecette.h"

#include <QDateTime>
#include <QGroupBox>
#include <QScopeGuard>

namespace {

// The list's two record colours: a warm sand, and a pale yellow for every other record.
const QColor listBackground(0xf9, 0xd8, 0x99);
const QColor listAlternate(0xfb, 0xfd, 0xbb);

// A command that cannot run for lack of data beeps, and does nothing else.
bool refused(bool cannotRun)
{
    if (cannotRun)
        Beep::beep();
    return cannotRun;
}

// Modal dialogs are released once the command that showed them is over, whichever way it ended.
auto releaseLater(QWidget *window)
{
    return qScopeGuard([window] { window->deleteLater(); });
}

// A list report leaves its dataset on its last row: the row that was current is found again by
// its key once the report is over, whichever way it ended. Should that search fail as well, its
// own error is shown, and an error that stopped the report still goes on to the command.
auto locateAgainLater(Dataset &dataset, const QString &keyField)
{
    const double key = dataset.fieldByName(keyField).asFloat();
    return qScopeGuard([&dataset, keyField, key] { ErrorGuard::run([&] { dataset.locate(keyField, key); }); });
}

} // namespace

TFrmTableauRecettes::TFrmTableauRecettes(TDM &dm, QWidget *owner)
    : ModalForm(owner, QStringLiteral("Gestion des Recettes"), QSize(770, 495), Border::Sizeable)
    , m_dm(dm)
    , m_anchors(new Anchors(panel()))
{
    setObjectName(QStringLiteral("FrmTableauRecettes"));
    createFamilyRow();
    createFamilyGroup();
    createRecipeGroup();
    createRecipeList();
    createRecipeNavigation();
    // The drop-down, then the list: no other control takes the focus.
    setTabOrder(m_familyBox, m_recipeList);
    FormCreate();
}

template <class Button>
void TFrmTableauRecettes::addButton(QWidget *parent, const QString &name, const QString &caption,
    const QString &hint, const QRect &geometry, Handler handler, Qt::Edges anchors)
{
    auto *button = FormControls::button<Button>(parent, name, caption, hint, geometry, this, handler);
    if (anchors)
        m_anchors->anchor(button, anchors);
}

void TFrmTableauRecettes::createFamilyRow()
{
    FormControls::label(panel(), QStringLiteral("MyLabel3"), QStringLiteral("Famille de recettes :"),
        QPoint(22, 19), FormControls::titleFont(), FormControls::navy);

    m_familyBox = new DBLookupComboBox(panel());
    m_familyBox->setObjectName(QStringLiteral("DBLookupComboBox2"));
    m_familyBox->setGeometry(24, 49, 468, 21);
    m_familyBox->setDropDownRows(25);
    m_familyBox->setListSource(&m_dm.DSFAMILLE);
    m_familyBox->setKeyField(QStringLiteral("IDFAMILLE"));
    m_familyBox->setListField(QStringLiteral("FAMILLE"));
    m_familyBox->setDataField(QStringLiteral("IDFamille"));
    m_familyBox->setDataSource(&m_dm.DSMemData);

    QWidget *p = panel();
    addButton<TMyParcours1>(p, QStringLiteral("BtnFirstFamille"), QStringLiteral("<<"),
        QStringLiteral("Premier enregistrement de la table des familles"), QRect(503, 47, 20, 24),
        &TFrmTableauRecettes::BtnFirstFamilleClick);
    addButton<TMyParcours1>(p, QStringLiteral("BtnPriorFamille"), QStringLiteral("<"),
        QStringLiteral("Enregistrement précédent de la  table des familles"), QRect(526, 47, 20, 24),
        &TFrmTableauRecettes::BtnPriorFamilleClick);
    addButton<TMyParcours1>(p, QStringLiteral("BtnNextFamille"), QStringLiteral(">"),
        QStringLiteral("Enregistrement suivant de la table des familles"), QRect(549, 47, 20, 24),
        &TFrmTableauRecettes::BtnNextFamilleClick);
    addButton<TMyParcours1>(p, QStringLiteral("BtnLastFamille"), QStringLiteral(">>"),
        QStringLiteral("Dernier enregistrement de la table des familles"), QRect(571, 47, 20, 24),
        &TFrmTableauRecettes::BtnLastFamilleClick);
    addButton<TMyParcours1>(p, QStringLiteral("MyParcours11"), QStringLiteral("+"),
        QStringLiteral("Ajout d'une nouvelle famille de recettes"), QRect(594, 47, 20, 24),
        &TFrmTableauRecettes::BtnNouveauThemeClick);
}

void TFrmTableauRecettes::createFamilyGroup()
{
    QGroupBox *group = FormControls::groupBox(panel(), QStringLiteral("GroupBox2"), QStringLiteral("Famille"),
        QRect(648, 8, 113, 105));
    m_anchors->anchor(group, Qt::RightEdge | Qt::TopEdge);
    addButton<TMyButton>(group, QStringLiteral("BtnModiiferTheme"), QStringLiteral("&Modifier"),
        QStringLiteral("Modification de la famille affichée"), QRect(18, 18, 80, 26),
        &TFrmTableauRecettes::BtnModiiferThemeClick);
    addButton<TMyButton>(group, QStringLiteral("BtnSupprimerTheme"), QStringLiteral("&Supprimer"),
        QStringLiteral("Suppression de la famille affichée"), QRect(18, 45, 80, 26),
        &TFrmTableauRecettes::BtnSupprimerThemeClick);
    addButton<TMyButton>(group, QStringLiteral("BtnImprimerTheme"), QStringLiteral("&Liste"),
        QStringLiteral("Visulisation et Impression de toutes les familles enregistrées"), QRect(18, 72, 80, 26),
        &TFrmTableauRecettes::BtnImprimerThemeClick);
}

// The buttons are made in this order, which decides the two letters that two captions share:
// d is "Mo&difier"'s before "&Déplacer"'s, i is "L&iste"'s before "&Imprimer"'s.
void TFrmTableauRecettes::createRecipeGroup()
{
    QGroupBox *group = FormControls::groupBox(panel(), QStringLiteral("GroupBox1"), QStringLiteral("  Recettes "),
        QRect(648, 112, 113, 241));
    m_anchors->anchor(group, Qt::RightEdge | Qt::TopEdge);
    addButton<TMyButton>(group, QStringLiteral("BtnNouvelleRecette"), QStringLiteral("N&ouvelle"),
        QStringLiteral("Ajout d'une nouvelle recette dans la famille sélectionnée"), QRect(18, 25, 80, 24),
        &TFrmTableauRecettes::BtnNouvelleRecetteClick);
    addButton<TMyButton>(group, QStringLiteral("BtnModifierRecette"), QStringLiteral("Mo&difier"),
        QStringLiteral("Modification de la recette sélectionnée"), QRect(18, 59, 80, 24),
        &TFrmTableauRecettes::BtnModifierRecetteClick);
    addButton<TMyButton>(group, QStringLiteral("BtnSupprimerRecette"), QStringLiteral("Su&pprimer"),
        QStringLiteral("Suppression de la recette sélectionnée"), QRect(18, 93, 80, 24),
        &TFrmTableauRecettes::BtnSupprimerRecetteClick);
    addButton<TMyButton>(group, QStringLiteral("BtnImprimerRecette"), QStringLiteral("L&iste"),
        QStringLiteral("Visulisation et Impression de la liste des recettes pour la famille affichée"),
        QRect(18, 161, 80, 24), &TFrmTableauRecettes::BtnImprimerRecetteClick);
    addButton<TMyButton>(group, QStringLiteral("MyButton1"), QStringLiteral("&Imprimer"),
        QStringLiteral("Visulisation et Impression de la recette sélectionnée"), QRect(18, 196, 80, 24),
        &TFrmTableauRecettes::MyButton1Click);
    addButton<TMyButton>(group, QStringLiteral("MyButton2"), QStringLiteral("&Déplacer"),
        QStringLiteral("Déplacement de la recette sélectionnée "), QRect(18, 127, 80, 24),
        &TFrmTableauRecettes::MyButton2Click);
}

void TFrmTableauRecettes::createRecipeList()
{
    m_recipeList = new DBGrid(panel());
    m_recipeList->setObjectName(QStringLiteral("wwDBGrid1"));
    m_recipeList->setGeometry(16, 77, 626, 394);
    QFont titleFont = WindowsFonts::font(QStringLiteral("MS Sans Serif"), 11);
    titleFont.setBold(true);
    m_recipeList->setTitleFont(titleFont);
    m_recipeList->setTitleColour(FormControls::navy);
    m_recipeList->setRowColours(listBackground, listAlternate);
    m_recipeList->addColumn(QStringLiteral("DESCRIPTION"), QStringLiteral("Description"), 100);
    m_recipeList->setDataSource(&m_dm.DSRECETTES);
    ErrorGuard::connect(m_recipeList, &DBGrid::gridDoubleClicked, this, &TFrmTableauRecettes::BtnModifierRecetteClick);
    m_anchors->anchor(m_recipeList, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge);
}

void TFrmTableauRecettes::createRecipeNavigation()
{
    QWidget *p = panel();
    const Qt::Edges corner = Qt::RightEdge | Qt::BottomEdge;
    addButton<TMyButton>(p, QStringLiteral("BtnFermer"), QStringLiteral("&Fermer"),
        QStringLiteral("Fermer la fenêtre"), QRect(668, 411, 80, 24), &TFrmTableauRecettes::BtnFermerClick, corner);
    addButton<TMyParcours>(p, QStringLiteral("BtnFirstRecette"), QStringLiteral("<<"),
        QStringLiteral("Première recette de la famille sélectionnée"), QRect(664, 462, 20, 24),
        &TFrmTableauRecettes::BtnFirstRecetteClick, corner);
    addButton<TMyParcours>(p, QStringLiteral("BtnPriorRecette"), QStringLiteral("<"),
        QStringLiteral("Recette précédente de la famille sélectionnée"), QRect(687, 462, 20, 24),
        &TFrmTableauRecettes::BtnPriorRecetteClick, corner);
    addButton<TMyParcours>(p, QStringLiteral("BtnNextRecette"), QStringLiteral(">"),
        QStringLiteral("Recette suivante de la famille sélectionnée"), QRect(710, 462, 20, 24),
        &TFrmTableauRecettes::BtnNextRecetteClick, corner);
    addButton<TMyParcours>(p, QStringLiteral("BtnLastRecette"), QStringLiteral(">>"),
        QStringLiteral("Dernière recette de la famille sélectionnée"), QRect(733, 462, 20, 24),
        &TFrmTableauRecettes::BtnLastRecetteClick, corner);
}

void TFrmTableauRecettes::FormCreate()
{
    showCurrentFamily();
    setWindowState(Qt::WindowMaximized);
}

void TFrmTableauRecettes::showCurrentFamily()
{
    const double family = m_dm.IBFAMILLE.fieldByName(QStringLiteral("IDFAMILLE")).asFloat();
    m_dm.dxMemData.fieldByName(QStringLiteral("IDFamille")).setValue(family);
}

// Family navigation: the drop-down is told of every move, so that it names the family shown.

void TFrmTableauRecettes::BtnFirstFamilleClick()
{
    if (DatasetNavigation::first(m_dm.IBFAMILLE))
        showCurrentFamily();
}

void TFrmTableauRecettes::BtnPriorFamilleClick()
{
    if (DatasetNavigation::prior(m_dm.IBFAMILLE))
        showCurrentFamily();
}

void TFrmTableauRecettes::BtnNextFamilleClick()
{
    if (DatasetNavigation::next(m_dm.IBFAMILLE))
        showCurrentFamily();
}

void TFrmTableauRecettes::BtnLastFamilleClick()
{
    if (DatasetNavigation::last(m_dm.IBFAMILLE))
        showCurrentFamily();
}

void TFrmTableauRecettes::BtnFirstRecetteClick()
{
    DatasetNavigation::first(m_dm.IBRECETTES);
}

void TFrmTableauRecettes::BtnPriorRecetteClick()
{
    DatasetNavigation::prior(m_dm.IBRECETTES);
}

void TFrmTableauRecettes::BtnNextRecetteClick()
{
    DatasetNavigation::next(m_dm.IBRECETTES);
}

void TFrmTableauRecettes::BtnLastRecetteClick()
{
    DatasetNavigation::last(m_dm.IBRECETTES);
}

// A new family is appended before the card shows it; the card posts it, or its destruction
// cancels it.
void TFrmTableauRecettes::BtnNouveauThemeClick()
{
    auto *card = new TFrmFicheFamille(m_dm, this);
    const auto release = releaseLater(card);
    m_dm.IBFAMILLE.append();
    if (card->exec() == QDialog::Accepted)
        showCurrentFamily();
}

void TFrmTableauRecettes::BtnModiiferThemeClick()
{
    if (refused(m_dm.IBFAMILLE.isEmpty()))
        return;
    auto *card = new TFrmFicheFamille(m_dm, this);
    const auto release = releaseLater(card);
    m_dm.IBFAMILLE.edit();
    card->exec();
}

void TFrmTableauRecettes::BtnSupprimerThemeClick()
{
    if (refused(m_dm.IBFAMILLE.isEmpty()))
        return;
    auto *dialog = new TFrmSuppFamille(m_dm, this);
    const auto release = releaseLater(dialog);
    if (dialog->exec() == QDialog::Accepted)
        showCurrentFamily();
}

// The family dataset comes back to its family, and the recipe list is read again for it.
void TFrmTableauRecettes::BtnImprimerThemeClick()
{
    if (refused(m_dm.IBFAMILLE.isEmpty()))
        return;
    const auto locateAgain = locateAgainLater(m_dm.IBFAMILLE, QStringLiteral("IDFAMILLE"));
    TFrmEditFamille form(m_dm); // released before the family is found again
    form.QuickRep1.preview(this);
}

// The card is made before the new recipe exists, which gets its dates, its family and the first
// ratings; the card posts it, or its destruction cancels it.
void TFrmTableauRecettes::BtnNouvelleRecetteClick()
{
    if (refused(m_dm.IBFAMILLE.isEmpty()))
        return;
    auto *card = new TFrmFicheRecettes(m_dm, this);
    const auto release = releaseLater(card);
    QueryDataset &recipes = m_dm.IBRECETTES;
    recipes.append();
    recipes.fieldByName(QStringLiteral("DATE_CREATION")).setValue(QDateTime::currentDateTime());
    recipes.fieldByName(QStringLiteral("DATE_DERN_MODIF")).setValue(QDateTime::currentDateTime());
    recipes.fieldByName(QStringLiteral("IDFAMILLE")).setValue(m_dm.IBFAMILLE.fieldByName(QStringLiteral("IDFAMILLE")).asFloat());
    recipes.fieldByName(QStringLiteral("QUALITE")).setValue(1);
    recipes.fieldByName(QStringLiteral("DIFFICULTE")).setValue(1);
    card->exec();
}

void TFrmTableauRecettes::BtnModifierRecetteClick()
{
    if (refused(m_dm.IBFAMILLE.isEmpty() || m_dm.IBRECETTES.isEmpty()))
        return;
    auto *card = new TFrmFicheRecettes(m_dm, this);
    const auto release = releaseLater(card);
    m_dm.IBRECETTES.edit();
    card->exec();
}

void TFrmTableauRecettes::BtnSupprimerRecetteClick()
{
    if (refused(m_dm.IBFAMILLE.isEmpty() || m_dm.IBRECETTES.isEmpty()))
        return;
    auto *dialog = new TFrmSuppRecette(m_dm, this);
    const auto release = releaseLater(dialog);
    dialog->exec();
}

// The move dialog tests nothing: on an empty list its post is refused, and the re-read below
// drops what it left.
void TFrmTableauRecettes::MyButton2Click()
{
    auto *dialog = new TFrmDepacer(m_dm, this);
    const auto release = releaseLater(dialog);
    if (dialog->exec() == QDialog::Accepted) {
        m_dm.IBRECETTES.close();
        m_dm.IBRECETTES.open();
    }
}

void TFrmTableauRecettes::BtnImprimerRecetteClick()
{
    if (refused(m_dm.IBFAMILLE.isEmpty() || m_dm.IBRECETTES.isEmpty()))
        return;
    const auto locateAgain = locateAgainLater(m_dm.IBRECETTES, QStringLiteral("IDRECETTE"));
    TFrmEditRecette form(m_dm); // released before the recipe is found again
    form.QuickRep1.preview(this);
}

// The card prints the current recipe and moves neither the recipes nor the families: nothing
// is put back. The family is not tested: a recipe always has one.
void TFrmTableauRecettes::MyButton1Click()
{
    if (refused(m_dm.IBRECETTES.isEmpty()))
        return;
    TFrmEditFicheRecette form(m_dm);
    form.QuickRep1.preview(this);
}

void TFrmTableauRecettes::BtnFermerClick()
{
    close();
}
