// reportpdf: builds one of Cuisinotte's reports from a recipe book, as the print preview builds
// it, and writes its pages as a PDF file.
//   reportpdf DATABASE families OUT.pdf             the list of every family
//   reportpdf DATABASE recipes FAMILYKEY OUT.pdf    the list of that family's recipes
//   reportpdf DATABASE card RECIPEKEY OUT.pdf       the card of that recipe
// The keys are the IDFAMILLE and IDRECETTE of the database. Nothing in the book is changed.
// Exits 1 with the error when the book cannot be read or the file written, 2 on a usage error.

#include "controls/WindowsFonts.h"
#include "data/DataModule.h"
#include "firebird/Client.h"
#include "report/PdfExport.h"
#include "reports/EditFamille.h"
#include "reports/EditFicheRecette.h"
#include "reports/EditRecette.h"

#include <QGuiApplication>

#include <cstdio>
#include <optional>
#include <stdexcept>

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "reportpdf: %s\n", qPrintable(message));
    return 1;
}

int usage()
{
    std::fprintf(stderr, "Usage: reportpdf DATABASE families OUT.pdf\n"
                         "       reportpdf DATABASE recipes FAMILYKEY OUT.pdf\n"
                         "       reportpdf DATABASE card RECIPEKEY OUT.pdf\n");
    return 2;
}

[[noreturn]] void refuse(const QString &message)
{
    throw std::runtime_error(message.toStdString());
}

void standOnFamily(TDM &dm, double key)
{
    if (!dm.IBFAMILLE.locate(QStringLiteral("IDFAMILLE"), key))
        refuse(QStringLiteral("no family has the key %1").arg(key));
}

// The recipes dataset holds one family's recipes at a time: the recipe is looked for in each.
void standOnRecipe(TDM &dm, double key)
{
    for (dm.IBFAMILLE.first(); !dm.IBFAMILLE.eof(); dm.IBFAMILLE.next()) {
        if (dm.IBRECETTES.locate(QStringLiteral("IDRECETTE"), key))
            return;
    }
    refuse(QStringLiteral("no recipe has the key %1").arg(key));
}

template <class Form>
std::optional<QString> writeReport(TDM &dm, const QString &fileName)
{
    Form form(dm);
    return report::writePdf(fileName, form.QuickRep1.build(), form.QuickRep1.jobName());
}

} // namespace

int main(int argc, char *argv[])
{
    // A tool for the command line: no display is needed, but text layout needs Qt Gui.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() < 3)
        return usage();
    const QString &database = arguments.at(0);
    const QString &kind = arguments.at(1);
    const bool families = kind == u"families";
    if (families ? arguments.size() != 3 : (arguments.size() != 4 || (kind != u"recipes" && kind != u"card")))
        return usage();
    bool keyIsNumber = true;
    const double key = families ? 0 : arguments.at(2).toDouble(&keyIsNumber);
    if (!keyIsNumber)
        return usage();
    const QString &output = arguments.back();

    // The engine configuration the program uses, beside it, unless one is named already.
    if (qEnvironmentVariableIsEmpty("FIREBIRD"))
        fb::Client::useConfigurationRoot(QCoreApplication::applicationDirPath() + QStringLiteral("/firebird"));
    WindowsFonts::substitute();
    try {
        TDM dm;
        dm.openRecipeBook(database);
        std::optional<QString> error;
        if (families) {
            error = writeReport<TFrmEditFamille>(dm, output);
        } else if (kind == u"recipes") {
            standOnFamily(dm, key);
            error = writeReport<TFrmEditRecette>(dm, output);
        } else {
            standOnRecipe(dm, key);
            error = writeReport<TFrmEditFicheRecette>(dm, output);
        }
        if (error)
            return fail(*error);
    } catch (const std::exception &error) {
        return fail(QString::fromUtf8(error.what()));
    }
    return 0;
}
