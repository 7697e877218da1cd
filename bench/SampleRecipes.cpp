#include "SampleRecipes.h"

#include "codepage/Cp1252.h"

#include <array>

namespace {

constexpr std::array kDishes = {
    u"Tarte", u"Gratin", u"Velouté", u"Salade", u"Quiche", u"Clafoutis", u"Terrine", u"Tajine",
    u"Risotto", u"Crumble", u"Fricassée", u"Soufflé", u"Blanquette", u"Poêlée", u"Cake",
    u"Flan", u"Tian", u"Parmentier", u"Feuilleté", u"Mousse", u"Curry", u"Papillote",
};

constexpr std::array kMainIngredients = {
    u"aux poireaux", u"aux pommes", u"au potiron", u"aux courgettes", u"au saumon",
    u"aux champignons", u"au poulet", u"aux épinards", u"aux cerises", u"au chocolat",
    u"aux lentilles", u"au cabillaud", u"aux carottes", u"à l'agneau", u"aux poires",
    u"aux tomates", u"au jambon", u"aux noix", u"à la rhubarbe", u"aux crevettes",
    u"aux figues", u"au veau", u"aux abricots", u"aux pois chiches", u"à l'aubergine",
    u"au canard", u"aux framboises", u"au brocoli", u"aux noix de Saint-Jacques",
};

constexpr std::array kFinishes = {
    u"et chèvre frais", u"au cumin", u"à la crème", u"et noisettes", u"au miel",
    u"de grand-mère", u"au citron vert", u"et lardons", u"à la cannelle", u"au gingembre",
    u"et parmesan", u"à l'estragon", u"aux herbes de Provence", u"façon bistrot",
    u"et comté", u"au lait de coco", u"à la moutarde", u"et amandes effilées",
    u"au thym", u"du dimanche", u"express", u"léger",
};

constexpr std::array kIngredientLines = {
    u"250 g de farine", u"3 œufs", u"20 cl de crème fraîche", u"1 oignon émincé",
    u"2 gousses d'ail", u"50 g de beurre demi-sel", u"1 pincée de sel", u"poivre du moulin",
    u"1 cuillerée à soupe d'huile d'olive", u"100 g de sucre roux", u"1 bouquet garni",
    u"25 cl de lait entier", u"150 g de gruyère râpé", u"1 citron non traité",
    u"1 sachet de levure chimique", u"500 g de pommes de terre", u"1 échalote",
    u"10 cl de vin blanc sec", u"1 cuillerée à café de cumin", u"quelques brins de persil plat",
    u"200 g de lardons fumés", u"1 pâte brisée", u"40 g de noisettes concassées",
    u"1 litre de bouillon de légumes", u"3 carottes en rondelles",
};

constexpr std::array kSteps = {
    u"Préchauffer le four à 180 °C (thermostat 6) et beurrer un moule à bords hauts.",
    u"Éplucher les légumes, les laver puis les détailler en petits dés réguliers.",
    u"Faire revenir l'oignon et l'ail dans l'huile d'olive sans les laisser colorer.",
    u"Dans un saladier, fouetter les œufs avec la crème, saler, poivrer et ajouter la muscade.",
    u"Verser la préparation dans le moule et lisser la surface avec le dos d'une cuillère.",
    u"Enfourner pour 35 minutes environ : la lame d'un couteau doit ressortir sèche.",
    u"Laisser mijoter à feu doux et à couvert pendant 20 minutes en remuant de temps en temps.",
    u"Mixer finement, rectifier l'assaisonnement et détendre avec un peu de bouillon si besoin.",
    u"Faire fondre le beurre dans une casserole, ajouter la farine et cuire une minute en remuant.",
    u"Incorporer le lait froid petit à petit pour obtenir une sauce lisse et sans grumeaux.",
    u"Disposer les fruits en rosace sur la pâte et saupoudrer de sucre roux et de cannelle.",
    u"Réserver au frais au moins deux heures avant de servir, le temps que tout prenne bien.",
    u"Parsemer de fromage râpé et passer sous le gril quelques minutes pour faire gratiner.",
    u"Servir bien chaud, parsemé de persil ciselé, avec une salade verte à part.",
};

constexpr std::array kAccompaniments = {
    u"Salade verte", u"Riz basmati", u"Pommes de terre sautées", u"Haricots verts",
    u"Pain de campagne", u"Coulis de fruits rouges", u"Semoule", u"Purée maison",
};

QByteArray cp1252(const char16_t *text)
{
    return Cp1252::encode(QString::fromUtf16(text)).value_or(QByteArray());
}

// Plain text as a rich edit control streams it out: characters outside ASCII as \'hh escapes.
QByteArray rtfText(const char16_t *text)
{
    QByteArray rtf;
    for (const char byte : cp1252(text)) {
        const auto value = static_cast<unsigned char>(byte);
        if (value >= 0x80) {
            rtf += "\\'" + QByteArray::number(value, 16);
        } else {
            if (byte == '\\' || byte == '{' || byte == '}')
                rtf += '\\';
            rtf += byte;
        }
    }
    return rtf;
}

QByteArray rtfDocument(const char16_t *heading, const QByteArray &body)
{
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
           "{\\f1\\fnil\\fcharset2 Symbol;}}\r\n{\\colortbl ;\\red0\\green0\\blue128;}\r\n"
           "\\viewkind4\\uc1\\pard\\cf1\\b\\f0\\fs24 "
        + rtfText(heading) + "\\cf0\\b0\\fs20\\par\r\n" + body + "\\pard\\par\r\n}\r\n";
}

} // namespace

SampleRecipes::SampleRecipes()
    : m_random(20261209)
{
}

int SampleRecipes::between(int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(m_random);
}

template<typename List>
const auto &SampleRecipes::pick(const List &list)
{
    return list[std::size_t(between(0, int(list.size()) - 1))];
}

SampleRecipe SampleRecipes::next()
{
    SampleRecipe recipe;
    recipe.title = title();
    recipe.created = QDate(2005, 1, 1).addDays(between(0, 7000));
    recipe.lastModified = recipe.created.addDays(between(0, 900));
    recipe.calories = QStringLiteral("%1 kcal par personne").arg(between(12, 90) * 10);
    recipe.preparationTime = QStringLiteral("%1 min").arg(between(1, 12) * 5);
    recipe.cookingTime = QStringLiteral("%1 min").arg(between(0, 24) * 5);
    recipe.accompaniment = QString::fromUtf16(pick(kAccompaniments));
    recipe.servings = QStringLiteral("%1 personnes").arg(between(2, 8));
    recipe.ingredientsRtf = ingredientsRtf();
    recipe.preparationRtf = preparationRtf();
    recipe.quality = between(1, 5);
    recipe.difficulty = between(1, 6);
    return recipe;
}

QString SampleRecipes::title()
{
    return QString::fromUtf16(pick(kDishes)) + u' ' + QString::fromUtf16(pick(kMainIngredients)) + u' '
        + QString::fromUtf16(pick(kFinishes));
}

QByteArray SampleRecipes::ingredientsRtf()
{
    QByteArray body = "{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'b7}}"
                      "\\fi-200\\li200 ";
    const int lines = between(12, 16);
    for (int line = 0; line < lines; ++line) {
        if (line > 0)
            body += "{\\pntext\\f1\\'b7\\tab}";
        body += rtfText(pick(kIngredientLines)) + "\\par\r\n";
    }
    return rtfDocument(u"Ingrédients", body);
}

QByteArray SampleRecipes::preparationRtf()
{
    QByteArray body = "\\pard\\sa120 ";
    const int steps = between(7, 10);
    for (int step = 1; step <= steps; ++step)
        body += QByteArray::number(step) + ". " + rtfText(pick(kSteps)) + "\\par\r\n";
    return rtfDocument(u"Préparation", body);
}
