#include "RecipeCardBench.h"

#include "BenchRecipeBook.h"
#include "RichTextBench.h"
#include "Scoreboard.h"
#include "WindowInput.h"

#include "controls/MyControl.h"
#include "controls/MyRichEdit.h"
#include "data/DataModule.h"
#include "editor/FicheRecettes.h"

#include <QApplication>
#include <QScopeGuard>

#include <cstdio>
#include <memory>

namespace {

constexpr int kOpenings = 11;
constexpr int kCaretMoves = 100;
constexpr int kKeystrokes = 50;
constexpr int kPosts = 11;
// About 200 KB of RTF.
constexpr int kLargeTextParagraphs = 930;
const QString kMilliseconds = QStringLiteral("ms");
const QString kLocateBaseline = QStringLiteral("open + Locate of the last key, 20,000 recipes");

/// The recipe's two texts, put back as they were once the measurements are done.
class SavedTexts
{
public:
    explicit SavedTexts(QueryDataset &recipes)
        : m_recipes(recipes)
        , m_key(recipes.fieldByName(QStringLiteral("IDRECETTE")).asFloat())
        , m_ingredients(recipes.fieldByName(QStringLiteral("INGREDIENTS")).asBytes())
        , m_preparation(recipes.fieldByName(QStringLiteral("PREPARATION")).asBytes())
    {
    }

    void write(const QByteArray &ingredients, const QByteArray &preparation)
    {
        check(m_recipes.locate(QStringLiteral("IDRECETTE"), m_key), "the recipe found again");
        m_recipes.edit();
        m_recipes.fieldByName(QStringLiteral("INGREDIENTS")).setValue(ingredients);
        m_recipes.fieldByName(QStringLiteral("PREPARATION")).setValue(preparation);
        m_recipes.post();
    }
    void restore() { write(m_ingredients, m_preparation); }

private:
    QueryDataset &m_recipes;
    double m_key;
    QByteArray m_ingredients;
    QByteArray m_preparation;
};

} // namespace

RecipeCardBench::RecipeCardBench(const QString &databasePath, Scoreboard &scoreboard)
    : m_databasePath(databasePath)
    , m_scoreboard(scoreboard)
{
}

void RecipeCardBench::run()
{
    TDM dm;
    dm.openRecipeBook(m_databasePath);
    QueryDataset &recipes = dm.IBRECETTES;
    check(dm.IBFAMILLE.fieldByName(QStringLiteral("IDFAMILLE")).asFloat() == BenchRecipeBook::kLargeFamilyKey,
        "the large family first");

    // Each time a new card, as the management window makes one, until its first paint; the
    // previous card's destruction, which drops the edit, is not part of it.
    std::unique_ptr<TFrmFicheRecettes> card;
    const auto open = [&] {
        card = std::make_unique<TFrmFicheRecettes>(dm, nullptr);
        recipes.edit();
        card->show();
        QApplication::processEvents();
    };
    const auto close = [&] { card.reset(); };
    const double ordinary = medianMilliseconds(kOpenings, open, close);
    check(!card->findChild<TMyRichEdit *>(QStringLiteral("EditIngredients"))->toPlainText().isEmpty(), "the texts shown");
    m_scoreboard.report(QStringLiteral("recipe card opened, ordinary recipe"), ordinary, kMilliseconds,
        Target::below(50, kMilliseconds));
    card.reset();

    // The book is the benchmark's own, committed at the end like any work: what is changed here
    // is put back whatever happens, so that the next run measures the same book.
    SavedTexts saved(recipes);
    auto putBack = qScopeGuard([&] {
        card.reset();
        try {
            saved.restore();
        } catch (const std::exception &error) {
            std::fprintf(stderr, "cuisinotte-bench: the texts of a recipe could not be put back: %s\n", error.what());
        }
    });
    const QByteArray large = RichTextBench::recipeLikeRtf(kLargeTextParagraphs);
    saved.write(large, large);
    const double largeOpening = medianMilliseconds(kOpenings, open, close);
    auto *ingredients = card->findChild<TMyRichEdit *>(QStringLiteral("EditIngredients"));
    check(ingredients->document()->blockCount() == kLargeTextParagraphs, "the large text shown");
    m_scoreboard.report(QStringLiteral("recipe card opened, 200 KB of RTF in each text"), largeOpening, kMilliseconds,
        Target::below(150, kMilliseconds));

    ingredients->setFocus();
    ingredients->setSelection(ingredients->textLength() / 2, 0);
    QApplication::processEvents();
    QList<double> moves;
    for (int move = 0; move < kCaretMoves; ++move) {
        moves.append(millisecondsOf([&] {
            WindowInput::pressKey(ingredients, move % 2 == 0 ? Qt::Key_Down : Qt::Key_Up);
            QApplication::processEvents();
        }));
    }
    m_scoreboard.report(QStringLiteral("recipe card, caret move in 200 KB of RTF"), median(moves), kMilliseconds,
        Target::below(5, kMilliseconds));

    QList<double> keystrokes;
    for (int keystroke = 0; keystroke < kKeystrokes; ++keystroke) {
        keystrokes.append(millisecondsOf([&] {
            WindowInput::pressKey(ingredients, Qt::Key_A, QStringLiteral("a"));
            QApplication::processEvents();
        }));
    }
    check(ingredients->toPlainText().contains(QString(kKeystrokes, u'a')), "the characters typed");
    m_scoreboard.report(QStringLiteral("recipe card, a character typed in 200 KB of RTF"), median(keystrokes), kMilliseconds,
        Target::below(5, kMilliseconds));
    card.reset();
    saved.restore();
    putBack.dismiss();

    // "&Ok" on a recipe in the middle of the large family: post, read the family again, Locate.
    check(recipes.fetchUpTo(BenchRecipeBook::kLargeFamilySize / 2), "the middle of the family read");
    recipes.moveToRecord(BenchRecipeBook::kLargeFamilySize / 2);
    const double middleKey = recipes.fieldByName(QStringLiteral("IDRECETTE")).asFloat();
    const QVariant lastChange = recipes.fieldByName(QStringLiteral("DATE_DERN_MODIF")).value();
    const auto putBackTheDate = qScopeGuard([&] {
        card.reset();
        try {
            check(recipes.locate(QStringLiteral("IDRECETTE"), middleKey), "the middle recipe found");
            recipes.edit();
            recipes.fieldByName(QStringLiteral("DATE_DERN_MODIF")).setValue(lastChange);
            recipes.post();
        } catch (const std::exception &error) {
            std::fprintf(stderr, "cuisinotte-bench: the date of a recipe could not be put back: %s\n", error.what());
        }
    });
    const double posting = medianMilliseconds(kPosts,
        [&] { WindowInput::click(card->findChild<TMyControl *>(QStringLiteral("BtnOk"))); },
        [&] {
            card.reset();
            check(recipes.locate(QStringLiteral("IDRECETTE"), middleKey), "the middle recipe found");
            open();
        });
    check(recipes.fieldByName(QStringLiteral("IDRECETTE")).asFloat() == middleKey, "the list stands on the recipe");

    const std::optional<double> locating = m_scoreboard.figure(kLocateBaseline);
    check(locating.has_value(), "the data layer measured first");
    m_scoreboard.report(QStringLiteral("recipe card, \"&Ok\" in the middle of 20,000 recipes"), posting, kMilliseconds,
        Target::atMost(1.5 * *locating, QStringLiteral("<= 1.5 x open + Locate (%1 ms)").arg(1.5 * *locating, 0, 'f', 2)));
}
