#include "EditFicheRecette.h"

#include "ReportLook.h"

#include "controls/MyQRDBImage.h"
#include "data/DataModule.h"
#include "report/Elements.h"

using namespace ReportLook;
using report::DataText;
using report::HorizontalLine;
using report::Label;
using report::RichText;

TFrmEditFicheRecette::TFrmEditFicheRecette(TDM &dm)
    : m_dm(dm)
    , m_qualities(dm.IBQUALITE)
{
    QuickRep1.setJobName(QStringLiteral("Cuisinotte – Fiche Recette"));
    // The qualities have no band of their own: running over them prints nothing.
    QuickRep1.setData(&m_qualities);
    createColumnHeader();
    createPageFooter();
}

// The elements from the top of the card down; positions in millimetres from the band's corner.
void TFrmEditFicheRecette::createColumnHeader()
{
    report::Band &band = QuickRep1.addBand(report::Band::Kind::ColumnHeader, 263.3);
    QueryDataset &recipe = m_dm.IBRECETTES;
    const auto field = [&recipe](const char16_t *name) -> const Field & {
        return recipe.fieldByName(QString::fromUtf16(name));
    };
    const report::TextStyle labelText = oneLine(arial(12), text);
    const report::TextStyle fieldText = oneLine(arial(12), navy);

    band.add<Label>(QRectF(59.3, 0.5, 63.8, 10.8), QStringLiteral("Fiche Recette"), fixedBox(arial(26, Bold | Italic), navy));
    addPrintingDay(band);
    band.add<Label>(QRectF(-0.5, 11.6, 22.8, 8.2), QStringLiteral("Thème :"), oneLine(comicSans(16, Bold), navy));
    band.add<Label>(QRectF(24.6, 11.6, 28.0, 8.2), QStringLiteral("QRLabel14"), oneLine(comicSans(16), navy),
        [this](QString &value) { QRLabel14Print(value); });
    band.add<Label>(QRectF(0.3, 20.9, 23.5, 5.0), QStringLiteral("Description :"), oneLine(arial(12), Qt::black));
    band.add<DataText>(QRectF(24.3, 20.9, 28.3, 5.0), ReportFields::displayTextOf(field(u"DESCRIPTION")), fieldText);
    band.add<Label>(QRectF(24.6, 26.7, 12.4, 5.0), QStringLiteral("qualite"), fieldText,
        [this](QString &value) { QRQualitePrint(value); });
    band.add<Label>(QRectF(0.0, 27.0, 15.3, 5.0), QStringLiteral("Qualité :"), labelText);
    band.add<Label>(QRectF(123.3, 30.2, 16.1, 5.0), QStringLiteral("Difficulte"), fieldText,
        [this](QString &value) { QRDifficultePrint(value); });
    band.add<Label>(QRectF(86.0, 30.7, 18.3, 5.0), QStringLiteral("Difficulté :"), labelText);
    // "Ingrédients :" introduces the number of people the ingredients serve.
    band.add<Label>(QRectF(0.0, 32.3, 22.5, 5.0), QStringLiteral("Ingrédients :"), labelText);
    band.add<DataText>(QRectF(24.6, 32.5, 26.7, 5.0), ReportFields::displayTextOf(field(u"PERSONNES")), fieldText);
    band.add<Label>(QRectF(86.0, 35.7, 24.1, 5.0), QStringLiteral("Préparation :"), labelText);
    band.add<DataText>(QRectF(123.3, 35.7, 40.0, 5.0), ReportFields::displayTextOf(field(u"TXT_PREPARATION")), fieldText);
    band.add<Label>(QRectF(0.0, 37.3, 18.0, 5.3), QStringLiteral("Calories :"), labelText);
    band.add<DataText>(QRectF(24.6, 37.6, 21.4, 5.0), ReportFields::displayTextOf(field(u"CALORIES")), fieldText);
    band.add<Label>(QRectF(86.0, 40.2, 17.5, 5.0), QStringLiteral("Cuisson :"), labelText);
    band.add<DataText>(QRectF(123.3, 40.2, 29.1, 5.0), ReportFields::displayTextOf(field(u"TXT_CUISSON")), fieldText);
    band.add<Label>(QRectF(0.0, 42.9, 32.0, 5.3), QStringLiteral("Date de création:"), labelText);
    band.add<DataText>(QRectF(33.1, 42.9, 35.2, 5.3), ReportFields::displayTextOf(field(u"DATE_CREATION")), fieldText);
    band.add<Label>(QRectF(86.0, 44.7, 36.0, 5.0), QStringLiteral("Accompagnement :"), labelText);
    band.add<DataText>(QRectF(123.3, 44.7, 52.7, 5.0), ReportFields::displayTextOf(field(u"TXT_ACCOMPAGNEMENT")), fieldText);
    band.add<Label>(QRectF(0.5, 49.2, 31.0, 8.2), QStringLiteral("Ingrédients"), oneLine(comicSans(16, Bold | Italic), text));

    // Connecting the picture reads the current recipe's illustration, once.
    auto *picture = band.add<TMyQRDBImage>(QRectF(97.4, 55.0, 80.7, 70.1));
    picture->setDataField(QStringLiteral("IMAGE"));
    picture->setDataSource(&m_dm.DSRECETTES);

    band.add<HorizontalLine>(QRectF(0.0, 55.6, 78.1, 2.4));
    band.add<RichText>(QRectF(0.0, 59.3, 78.6, 76.5), ReportFields::contentOf(field(u"INGREDIENTS")), arial(8));
    band.add<Label>(QRectF(0.5, 140.2, 21.4, 8.2), QStringLiteral("Recette"), oneLine(comicSans(16, Bold | Italic), text));
    band.add<HorizontalLine>(QRectF(0.0, 146.3, 190.8, 2.4));
    band.add<RichText>(QRectF(0.0, 150.3, 188.6, 99.7), ReportFields::contentOf(field(u"PREPARATION")), arial(8));
}

void TFrmEditFicheRecette::createPageFooter()
{
    report::Band &band = QuickRep1.addBand(report::Band::Kind::PageFooter, 11.1);
    band.setTopLine(true);
    addPageNumber(band);
}

void TFrmEditFicheRecette::QRLabel14Print(QString &value)
{
    value = m_dm.IBFAMILLE.fieldByName(QStringLiteral("FAMILLE")).asString();
}

// The search's result is not looked at: the recipes' ratings always come from the lookups, and
// a failed search leaves the lookup on the row it stood on.
void TFrmEditFicheRecette::QRQualitePrint(QString &value)
{
    const int quality = m_dm.IBRECETTES.fieldByName(QStringLiteral("QUALITE")).asInteger();
    m_dm.IBQUALITE.locate(QStringLiteral("NUMERO"), quality);
    value = m_dm.IBQUALITE.fieldByName(QStringLiteral("CRITERE")).asString();
}

void TFrmEditFicheRecette::QRDifficultePrint(QString &value)
{
    const int difficulty = m_dm.IBRECETTES.fieldByName(QStringLiteral("DIFFICULTE")).asInteger();
    m_dm.IBDIFFICULTE.locate(QStringLiteral("NUMERO"), difficulty);
    value = m_dm.IBDIFFICULTE.fieldByName(QStringLiteral("VALEUR")).asString();
}
