#pragma once

#include "controls/ModalForm.h"

class DBEdit;
class DBLookupComboBox;
class QTabWidget;
class TDM;
class TMyDBImage;
class TMyRichEdit;

/// The recipe viewer: the recipes read one at a time, with no way to change them. The family
/// drop-down and the family and recipe navigation buttons choose the recipe; its title, its
/// ingredients, its preparation and its illustration are shown read-only, one page at a time;
/// "&Imprimer" prints its card. It owns no data and writes nothing: it moves the data module's
/// shared datasets, and leaves them where the user left them.
class TFrmFicheVisualisation : public ModalForm
{
    Q_OBJECT

public:
    TFrmFicheVisualisation(TDM &dm, QWidget *owner);

protected:
    void showEvent(QShowEvent *event) override;

private:
    using Handler = void (TFrmFicheVisualisation::*)();

    void createFamilyRow();
    void createRecipeRow();
    void createPages();
    TMyRichEdit *createTextView(QWidget *parent, const QString &name, const QString &field);
    void createButtons();
    template <class Button>
    void addButton(const QString &name, const QString &caption, const QString &hint, const QRect &geometry,
        Handler handler);

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
    void BtnIngredientsClick();
    void BtnPreparationClick();
    void BtnIllustrationClick();
    void BtnImprimerClick();
    void BtnFermerClick();

    TDM &m_dm;
    DBLookupComboBox *DBLookupComboBox2 = nullptr;
    DBEdit *DBEdit2 = nullptr;
    QTabWidget *PgeControl = nullptr;
    QWidget *PgeIngredients = nullptr;
    QWidget *PgePreparation = nullptr;
    QWidget *PgeIllustration = nullptr;
    TMyRichEdit *EditIngredients = nullptr;
    TMyRichEdit *EditPreparation = nullptr;
    TMyDBImage *MyDBImage = nullptr;
};
