#pragma once

#include "controls/ModalForm.h"

class Anchors;
class DBGrid;
class DBLookupComboBox;
class TDM;

/// The recipe management window: the family drop-down and the family and recipe navigation
/// buttons, the list of the chosen family's recipes, and every family and recipe command. It
/// owns no data and commits nothing; it works on the data module's shared datasets and keeps
/// the drop-down's family (the selection record's IDFamille) on the family row that is current.
class TFrmTableauRecettes : public ModalForm
{
    Q_OBJECT

public:
    TFrmTableauRecettes(TDM &dm, QWidget *owner);

private:
    using Handler = void (TFrmTableauRecettes::*)();

    void createFamilyRow();
    void createFamilyGroup();
    void createRecipeGroup();
    void createRecipeList();
    void createRecipeNavigation();
    template <class Button>
    void addButton(QWidget *parent, const QString &name, const QString &caption, const QString &hint,
        const QRect &geometry, Handler handler, Qt::Edges anchors = {});

    void FormCreate();
    /// The drop-down names the family on which the family dataset stands.
    void showCurrentFamily();

    void BtnFirstFamilleClick();
    void BtnPriorFamilleClick();
    void BtnNextFamilleClick();
    void BtnLastFamilleClick();
    void BtnFirstRecetteClick();
    void BtnPriorRecetteClick();
    void BtnNextRecetteClick();
    void BtnLastRecetteClick();

    void BtnNouveauThemeClick();
    void BtnModiiferThemeClick();
    void BtnSupprimerThemeClick();
    void BtnImprimerThemeClick();

    void BtnNouvelleRecetteClick();
    void BtnModifierRecetteClick();
    void BtnSupprimerRecetteClick();
    void MyButton2Click();
    void BtnImprimerRecetteClick();
    void MyButton1Click();

    void BtnFermerClick();

    TDM &m_dm;
    Anchors *m_anchors;
    DBLookupComboBox *m_familyBox = nullptr;
    DBGrid *m_recipeList = nullptr;
};
