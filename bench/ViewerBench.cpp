#include "ViewerBench.h"

#include "Scoreboard.h"
#include "StagedRecipes.h"
#include "WindowInput.h"

#include "controls/MyControl.h"
#include "controls/MyDBImage.h"
#include "data/DataModule.h"
#include "viewer/FicheVisualisation.h"

#include <QApplication>

namespace {

constexpr int kRecipes = 21;
constexpr int kFamilySteps = 20;
constexpr QSize kPhotoSize(640, 480);
const QString kMilliseconds = QStringLiteral("ms");

// An RTF document of about 2 KB: a list of quantities in bold, one a paragraph.
QByteArray twoKilobytesOfRtf(const QByteArray &line)
{
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs20 ";
    for (int number = 1; rtf.size() < 2048; ++number)
        rtf += "{\\b " + QByteArray::number(number * 25) + " g} " + line + "\\par\r\n";
    return rtf + '}';
}

double recipeKey(const TDM &dm)
{
    return dm.IBRECETTES.fieldByName(QStringLiteral("IDRECETTE")).asFloat();
}

QString familyName(const TDM &dm)
{
    return dm.IBFAMILLE.fieldByName(QStringLiteral("FAMILLE")).asString();
}

} // namespace

ViewerBench::ViewerBench(const QString &databasePath, Scoreboard &scoreboard)
    : m_databasePath(databasePath)
    , m_scoreboard(scoreboard)
{
}

void ViewerBench::run()
{
    TDM dm;
    dm.openRecipeBook(m_databasePath);
    const StagedRecipes illustrated(dm, kRecipes, [](int index) {
        return QHash<QString, QVariant>{
            {QStringLiteral("INGREDIENTS"), twoKilobytesOfRtf("de farine de bl\\'e9 et de sucre roux")},
            {QStringLiteral("PREPARATION"), twoKilobytesOfRtf("\\'e0 incorporer peu \\'e0 peu en fouettant")},
            {QStringLiteral("IMAGE"), cameraPhoto(quint32(index + 1))},
        };
    });

    TFrmFicheVisualisation window(dm, nullptr);
    window.show();
    QApplication::processEvents();
    const auto *picture = window.findChild<TMyDBImage *>(QStringLiteral("MyDBImage"));
    check(picture->picture().size() == kPhotoSize, "the photograph shown");

    const auto stepThroughRecipes = [&](const QString &pageButton) {
        WindowInput::click(window.findChild<TMyControl *>(pageButton));
        WindowInput::click(window.findChild<TMyControl *>(QStringLiteral("MyParcours11")));
        QApplication::processEvents();
        QWidget *next = window.findChild<TMyControl *>(QStringLiteral("MyParcours13"));
        QList<double> steps;
        for (int recipe = 1; recipe < kRecipes; ++recipe) {
            const double before = recipeKey(dm);
            steps.append(millisecondsOf([&] {
                WindowInput::click(next);
                window.repaint();
            }));
            check(recipeKey(dm) != before, "\">\" moved to the next recipe");
            check(picture->picture().size() == kPhotoSize, "the next recipe's photograph shown");
        }
        return median(steps);
    };
    m_scoreboard.report(QStringLiteral("viewer, \">\" to the next recipe, 2 KB texts and a photograph"),
        stepThroughRecipes(QStringLiteral("BtnIngredients")), kMilliseconds, Target::below(10, kMilliseconds));
    m_scoreboard.report(QStringLiteral("viewer, \">\" to the next recipe, on the illustration page"),
        stepThroughRecipes(QStringLiteral("BtnIllustration")), kMilliseconds, Target::below(10, kMilliseconds));

    WindowInput::click(window.findChild<TMyControl *>(QStringLiteral("BtnIngredients")));
    QWidget *nextFamily = window.findChild<TMyControl *>(QStringLiteral("BtnNextFamille"));
    QList<double> steps;
    for (int step = 0; step < kFamilySteps; ++step) {
        const QString before = familyName(dm);
        steps.append(millisecondsOf([&] {
            WindowInput::click(nextFamily);
            window.repaint();
        }));
        check(familyName(dm) != before && dm.IBRECETTES.bof(), "\">\" moved to the next family's first recipe");
    }
    m_scoreboard.report(QStringLiteral("viewer, \">\" to the next family, first recipe shown"), median(steps),
        kMilliseconds, Target::below(10, kMilliseconds));
}
