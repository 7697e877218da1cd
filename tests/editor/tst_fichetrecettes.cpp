#include "editor/FicheRecettes.h"

#include "Application.h"
#include "GuiTestMain.h"
#include "ModalAnswer.h"
#include "PreviewAnswer.h"
#include "OpenRecipeBook.h"

#include "controls/MyControl.h"
#include "controls/MyDBImage.h"
#include "controls/MyRichEdit.h"
#include "dbwidgets/DBEdit.h"
#include "dbwidgets/DBLookupComboBox.h"
#include "editor/ColourBox.h"
#include "controls/HintStatusBar.h"
#include "editor/IndentRuler.h"
#include "richtext/RtfReader.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMimeData>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>

#include <optional>

using namespace Qt::StringLiterals;
using richedit::CharacterFormat;
using richedit::Numbering;
using richedit::ParagraphAlignment;
using richedit::ParagraphFormat;

namespace {

const QDate callersDay(2020, 1, 2);

// The text of a field's content as the rich text layer reads it.
QString textOf(const QByteArray &content)
{
    QTextDocument document;
    if (richtext::readRtf(content, document))
        return QString::fromUtf8(content);
    return document.toPlainText();
}

/// The recipe card on a book of two recipes, "Clafoutis" and "Tarte", shown on an existing
/// recipe put into edit state or on a new one, as the management window hands them over.
struct Card
{
    enum class Recipe { Tarte, New };

    explicit Card(Recipe recipe = Recipe::Tarte, const QByteArray &ingredients = {})
        : book({{u"Desserts"_s, {u"Clafoutis"_s, u"Tarte"_s}}})
        , window(std::make_unique<TFrmFicheRecettes>(book.dm, nullptr))
    {
        QueryDataset &recipes = book.dm.IBRECETTES;
        if (recipe == Recipe::New) {
            recipes.append();
            recipes.fieldByName(u"DATE_CREATION"_s).setValue(callersDay);
            recipes.fieldByName(u"DATE_DERN_MODIF"_s).setValue(callersDay);
            recipes.fieldByName(u"IDFAMILLE"_s).setValue(1.0);
            recipes.fieldByName(u"QUALITE"_s).setValue(1);
            recipes.fieldByName(u"DIFFICULTE"_s).setValue(1);
        } else {
            recipes.locate(u"DESCRIPTION"_s, u"Tarte"_s);
            recipes.edit();
        }
        if (!ingredients.isEmpty())
            recipes.fieldByName(u"INGREDIENTS"_s).setValue(ingredients);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QApplication::setActiveWindow(window.get());
    }

    template <class Control>
    Control *find(const QString &name) const
    {
        auto *control = window->findChild<Control *>(name);
        if (!control)
            qFatal("no control %s", qPrintable(name));
        return control;
    }
    void click(const QString &button) { QTest::mouseClick(find<TMyControl>(button), Qt::LeftButton); }
    QAction *action(const QString &name) const { return find<QAction>(name); }
    TMyRichEdit *ingredients() const { return find<TMyRichEdit>(u"EditIngredients"_s); }
    TMyRichEdit *preparation() const { return find<TMyRichEdit>(u"EditPreparation"_s); }
    QueryDataset &recipes() { return book.dm.IBRECETTES; }
    Field &field(const QString &name) { return recipes().fieldByName(name); }

    // Typed as a keyboard does it, accents and all.
    static void type(QWidget *widget, const QString &text)
    {
        for (const QChar character : text)
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }

    /// Writes the text in the editor and puts the caret at its start.
    void write(TMyRichEdit *editor, const QString &text)
    {
        editor->setFocus();
        type(editor, text);
        editor->setSelection(0, 0);
    }

    OpenRecipeBook book;
    std::unique_ptr<TFrmFicheRecettes> window;
};

/// Answers the next file dialog with this file.
struct FileDialogAnswer : DialogAnswer<QFileDialog>
{
    explicit FileDialogAnswer(const QString &fileName)
        : DialogAnswer<QFileDialog>([fileName](QFileDialog &dialog) {
            dialog.selectFile(fileName);
            static_cast<QDialog &>(dialog).accept();
        })
    {
    }
};

/// Looks into a folder through the next file dialog, then closes it: the files the dialog
/// shows there under its first filter (sorted), its filters and its default extension.
struct DialogView : DialogAnswer<QFileDialog>
{
    DialogView(const QString &folder, int expectedFiles)
        : DialogAnswer<QFileDialog>([this, folder, expectedFiles](QFileDialog &dialog) {
            const auto close = qScopeGuard([&dialog] { dialog.reject(); });
            filters = dialog.nameFilters();
            suffix = dialog.defaultSuffix();
            dialog.setDirectory(folder);
            auto *model = dialog.findChild<QFileSystemModel *>();
            const QModelIndex root = model->index(folder);
            // What the filter hides is left out of the folder's rows.
            QTRY_COMPARE(model->rowCount(root), expectedFiles);
            for (int row = 0; row < model->rowCount(root); ++row)
                shown.append(model->fileName(model->index(row, 0, root)));
            shown.sort();
        })
    {
    }

    QStringList shown;
    QStringList filters;
    QString suffix;
};

void writeFile(const QString &fileName, const QByteArray &content)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// A picture file as a camera would leave it, written by Qt's own JPEG writer.
QByteArray jpegOf(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer device(&bytes);
    device.open(QIODevice::WriteOnly);
    image.save(&device, "jpeg");
    return bytes;
}

QByteArray fileContent(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestFicheRecettes : public QObject
{
    Q_OBJECT

private slots:
    void opensOnTheIngredientsWithTheFocusInTheDescription()
    {
        Card card;
        QCOMPARE(card.window->windowTitle(), u"Fiche Recettes"_s);
        QCOMPARE(card.window->size(), QSize(757, 566));
        QCOMPARE(card.find<QTabWidget>(u"PgeControl"_s)->currentWidget()->objectName(), u"PgeIngredients"_s);
        QTRY_COMPARE(QApplication::focusWidget(), card.find<DBEdit>(u"DBDescription"_s));
        QCOMPARE(card.find<DBEdit>(u"DBDescription"_s)->text(), u"Tarte"_s);
        QCOMPARE(card.find<HintStatusBar>(u"StatusBar1"_s)->panelText(0), u"Ligne:   1   Col:   1"_s);
    }

    // An existing recipe takes today as its last change, a new one keeps its caller's day; the
    // list is read again and stands on the recipe in its place by description.
    void okPostsTheRecipeAndTheListStandsOnIt_data()
    {
        QTest::addColumn<Card::Recipe>("recipe");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QDate>("lastChange");
        QTest::addColumn<int>("place");
        QTest::newRow("existing, unchanged") << Card::Recipe::Tarte << QString() << QDate::currentDate() << 1;
        QTest::newRow("new") << Card::Recipe::New << u"Brioche"_s << callersDay << 0;
    }
    void okPostsTheRecipeAndTheListStandsOnIt()
    {
        QFETCH(Card::Recipe, recipe);
        QFETCH(QString, description);
        QFETCH(QDate, lastChange);
        QFETCH(int, place);
        Card card(recipe);
        Card::type(card.find<DBEdit>(u"DBDescription"_s), description);
        card.click(u"BtnOk"_s);
        QCOMPARE(card.window->result(), int(QDialog::Accepted));
        QCOMPARE(card.recipes().state(), DatasetState::Browse);
        QCOMPARE(card.field(u"DESCRIPTION"_s).asString(), description.isEmpty() ? u"Tarte"_s : description);
        QCOMPARE(card.field(u"DATE_DERN_MODIF"_s).asDate(), lastChange);
        QCOMPARE(card.recipes().recordIndex(), place);
        QVERIFY(card.field(u"IDRECETTE"_s).asFloat() > 0);
        QCOMPARE(card.book.recipeTitles().size(), recipe == Card::Recipe::New ? 3 : 2);
    }

    void anEmptyDescriptionKeepsTheCardOpenWithWhatWasTyped()
    {
        Card card(Card::Recipe::New);
        Card::type(card.find<DBEdit>(u"DBEdit1"_s), u"300 kcal"_s);
        MessageBoxWatcher boxes;
        card.click(u"BtnOk"_s);
        QCOMPARE(boxes.texts(), QStringList{u"Field 'Description' must have a value"_s});
        QVERIFY(card.window->isVisible());
        QCOMPARE(card.recipes().state(), DatasetState::Insert);
        QCOMPARE(card.find<DBEdit>(u"DBEdit1"_s)->text(), u"300 kcal"_s);

        Card::type(card.find<DBEdit>(u"DBDescription"_s), u"Brioche"_s);
        card.click(u"BtnOk"_s);
        QCOMPARE(card.window->result(), int(QDialog::Accepted));
        QCOMPARE(card.field(u"CALORIES"_s).asString(), u"300 kcal"_s);
    }

    void cancelDropsEveryChange()
    {
        Card card;
        Card::type(card.find<DBEdit>(u"DBDescription"_s), u" fine"_s);
        card.write(card.ingredients(), u"Farine"_s);
        card.click(u"Btnannuler"_s);
        QCOMPARE(card.window->result(), int(QDialog::Rejected));
        card.window.reset();
        QCOMPARE(card.recipes().state(), DatasetState::Browse);
        QCOMPARE(card.field(u"DESCRIPTION"_s).asString(), u"Tarte"_s);
        QVERIFY(card.field(u"INGREDIENTS"_s).isNull());
    }

    // The card prints the recipe as the window shows it, texts and ratings not posted yet
    // included; the row stays in edit state, and the rating boxes still name the recipe's
    // ratings although the report searched their lookups.
    void printingShowsTheRecordAsTheWindowShowsIt()
    {
        Card card;
        card.field(u"QUALITE"_s).setValue(3);
        card.field(u"DIFFICULTE"_s).setValue(4);
        card.write(card.ingredients(), u"Sel"_s);
        PreviewAnswer preview;
        card.click(u"MyButton1"_s);
        QVERIFY(preview.answered());
        for (const QString &text : {u"Fiche Recette"_s, u"Tarte"_s, u"Sel"_s, u"Bonne"_s, u"Moyenne"_s})
            QVERIFY2(preview.texts().contains(text), qPrintable(text));
        QCOMPARE(textOf(card.field(u"INGREDIENTS"_s).asBytes()), u"Sel"_s);
        QCOMPARE(card.recipes().state(), DatasetState::Edit);
        QCOMPARE(card.find<DBLookupComboBox>(u"DBLookupComboBox1"_s)->text(), u"Bonne"_s);
        QCOMPARE(card.find<DBLookupComboBox>(u"DBLookupComboBox2"_s)->text(), u"Moyenne"_s);
        // The preview took the activation; this platform has no window manager to give it back.
        QApplication::setActiveWindow(card.window.get());
        QTRY_COMPARE(QApplication::focusWidget(), card.ingredients());
    }

    void theToolbarFollowsTheCaretAndChangesNothing()
    {
        Card card;
        TMyRichEdit *editor = card.ingredients();
        card.write(editor, u"Simple\rGras rouge"_s);
        editor->setSelection(7, 10);
        CharacterFormat character;
        character.bold = true;
        character.colour = QColor(Qt::red);
        character.pointSize = 12;
        editor->setCharacterFormat(character);
        ParagraphFormat paragraph;
        paragraph.alignment = ParagraphAlignment::Center;
        paragraph.numbering = Numbering::Bullets;
        editor->setParagraphFormat(paragraph);
        paragraph = {};
        paragraph.firstLineIndent = 200;
        paragraph.leftIndent = 200;
        editor->setParagraphFormat(paragraph);
        editor->setSelection(0, 0);

        const QByteArray before = editor->streamOut();
        QSignalSpy changes(editor, &QTextEdit::textChanged);
        editor->setSelection(9, 0);
        QVERIFY(card.find<QToolButton>(u"BoldButton1"_s)->isChecked());
        QVERIFY(!card.find<QToolButton>(u"ItalicButton1"_s)->isChecked());
        QVERIFY(!card.find<QToolButton>(u"UnderlineButton1"_s)->isChecked());
        QCOMPARE(card.find<ColourBox>(u"ColorButton1"_s)->currentText(), u"Red"_s);
        QCOMPARE(card.find<QLineEdit>(u"FontSize1"_s)->text(), u"12"_s);
        QVERIFY(card.find<QToolButton>(u"CenterAlign1"_s)->isChecked());
        QVERIFY(!card.find<QToolButton>(u"LeftAlign1"_s)->isChecked());
        QVERIFY(card.find<QToolButton>(u"BulletsButton1"_s)->isChecked());
        // 10 points from the left, the following lines 10 more: trunc(10 × 4 ÷ 3) − 4 + 6.
        QCOMPARE(card.find<RulerMarker>(u"FirstInd1"_s)->x(), 15);
        QCOMPARE(card.find<RulerMarker>(u"LeftInd1"_s)->x(), 28);
        QCOMPARE(card.find<RulerMarker>(u"RightInd1"_s)->x(), 705);
        QCOMPARE(changes.size(), 0);
        QCOMPARE(editor->streamOut(), before);
    }

    void theSizeBoxSizesTheSelectionAtEveryKeystroke()
    {
        Card card;
        TMyRichEdit *editor = card.ingredients();
        card.write(editor, u"Sucre"_s);
        editor->setSelection(0, 5);
        auto *size = card.find<QLineEdit>(u"FontSize1"_s);
        size->setFocus();
        size->selectAll();
        QTest::keyClick(size, Qt::Key_Backspace);
        QCOMPARE(editor->characterFormat().pointSize, 8);
        QTest::keyClick(size, Qt::Key_1);
        QCOMPARE(editor->characterFormat().pointSize, 1);
        QTest::keyClick(size, Qt::Key_4);
        QCOMPARE(editor->characterFormat().pointSize, 14);
        size->selectAll();
        QTest::keyClick(size, Qt::Key_Backspace);
        QCOMPARE(editor->characterFormat().pointSize, 14);

        MessageBoxWatcher boxes;
        QTest::keyClick(size, Qt::Key_A);
        QCOMPARE(boxes.texts(), QStringList{u"'a' is not a valid integer value"_s});
        QCOMPARE(editor->characterFormat().pointSize, 14);
    }

    // A typeface is taken with the colour the list shows.
    void aTypefaceComesWithTheColourShown()
    {
        Card card;
        TMyRichEdit *editor = card.ingredients();
        card.write(editor, u"Sucre"_s);
        editor->setSelection(0, 5);
        auto *colours = card.find<ColourBox>(u"ColorButton1"_s);
        {
            const QSignalBlocker quiet(colours);
            colours->setColour(QColor(0x00, 0x80, 0x00));
        }
        auto *names = card.find<QComboBox>(u"FontName1"_s);
        names->setCurrentIndex(names->findText(u"Comic Sans MS"_s));
        QCOMPARE(editor->characterFormat().typeface, u"Comic Sans MS"_s);
        QCOMPARE(editor->characterFormat().colour, QColor(0x00, 0x80, 0x00));
        names->setEditText(u"Pas une fonte"_s);
        QCOMPARE(editor->characterFormat().typeface, u"Comic Sans MS"_s);
    }

    void bulletsComeWithRoomAndGoWithIt()
    {
        Card card;
        TMyRichEdit *editor = card.ingredients();
        card.write(editor, u"Sucre"_s);
        auto *bullets = card.find<QToolButton>(u"BulletsButton1"_s);
        QTest::mouseClick(bullets, Qt::LeftButton);
        QCOMPARE(editor->paragraphFormat().numbering, Numbering::Bullets);
        QCOMPARE(editor->paragraphFormat().leftIndent, 200);
        QTest::mouseClick(bullets, Qt::LeftButton);
        QCOMPARE(editor->paragraphFormat().numbering, Numbering::None);
        QCOMPARE(editor->paragraphFormat().leftIndent, 0);
    }

    // The worked values: a marker dropped where it stands gives back its indent; the first-line
    // marker dragged 20 pixels from 0 makes 15 points, the following lines staying put.
    void theRulerSetsTheIndentsWhereTheMarkersAreDropped_data()
    {
        QTest::addColumn<QString>("marker");
        QTest::addColumn<int>("firstLine"); // points, before
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("drag"); // pixels
        QTest::addColumn<int>("shownAt");
        QTest::addColumn<QList<int>>("indents"); // first-line, left, right, in points, after
        QTest::newRow("first-line at 36 points") << "FirstInd1" << 36 << 0 << 0 << 50 << QList<int>{36, 0, 0};
        QTest::newRow("left with the first line at 36") << "LeftInd1" << 36 << 0 << 0 << 50 << QList<int>{36, 0, 0};
        QTest::newRow("right at 0") << "RightInd1" << 0 << 0 << 0 << 705 << QList<int>{0, 0, 0};
        QTest::newRow("first-line dragged 20 pixels") << "FirstInd1" << 0 << 0 << 20 << 2 << QList<int>{15, -15, 0};
    }
    void theRulerSetsTheIndentsWhereTheMarkersAreDropped()
    {
        QFETCH(QString, marker);
        QFETCH(int, firstLine);
        QFETCH(int, right);
        QFETCH(int, drag);
        QFETCH(int, shownAt);
        QFETCH(QList<int>, indents);
        Card card;
        TMyRichEdit *editor = card.ingredients();
        card.write(editor, u"Sucre"_s);
        ParagraphFormat paragraph;
        paragraph.firstLineIndent = firstLine * 20;
        paragraph.leftIndent = 0;
        paragraph.rightIndent = right * 20;
        editor->setParagraphFormat(paragraph);
        editor->setSelection(1, 0);

        auto *dragged = card.find<RulerMarker>(marker);
        QCOMPARE(dragged->x(), shownAt);
        const QPoint centre(dragged->width() / 2, 4);
        QTest::mousePress(dragged, Qt::LeftButton, {}, centre);
        QMouseEvent move(QEvent::MouseMove, centre + QPoint(drag, 0), dragged->mapToGlobal(centre + QPoint(drag, 0)),
            Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(dragged, &move);
        QCOMPARE(dragged->x(), shownAt + drag);
        QTest::mouseRelease(dragged, Qt::LeftButton, {}, centre);

        const ParagraphFormat after = editor->paragraphFormat();
        QCOMPARE((QList<int>{*after.firstLineIndent / 20, *after.leftIndent / 20, *after.rightIndent / 20}), indents);
    }

    void eachRulerSetsItsOwnPagesText()
    {
        Card card;
        card.write(card.ingredients(), u"Sucre"_s);
        card.click(u"BtnPreparation"_s);
        card.write(card.preparation(), u"Mélanger"_s);
        auto *marker = card.find<RulerMarker>(u"FirstInd"_s);
        QTest::mousePress(marker, Qt::LeftButton, {}, QPoint(5 + 40, 4));
        QTest::mouseRelease(marker, Qt::LeftButton, {}, QPoint(5, 4));
        QCOMPARE(card.preparation()->paragraphFormat().firstLineIndent, 30 * 20);
        QCOMPARE(card.ingredients()->paragraphFormat().firstLineIndent, 0);
    }

    // A text page picked by its tab after the illustration shows its own text's attributes.
    void aPageShowsItsOwnTextsAttributes()
    {
        Card card;
        TMyRichEdit *ingredients = card.ingredients();
        card.write(ingredients, u"Penché"_s);
        ingredients->setSelection(0, 6);
        CharacterFormat italic;
        italic.italic = true;
        ingredients->setCharacterFormat(italic);
        card.click(u"BtnPreparation"_s);
        card.click(u"BtnIllustration"_s);
        // The illustration page lends the ingredients' toolbar to the preparation, the text in use.
        ingredients->setSelection(1, 0);
        auto *italicButton = card.find<QToolButton>(u"ItalicButton1"_s);
        QVERIFY(!italicButton->isChecked());

        auto *tabs = card.find<QTabWidget>(u"PgeControl"_s)->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
        QCOMPARE(card.find<QTabWidget>(u"PgeControl"_s)->currentIndex(), 0);
        QVERIFY(italicButton->isChecked());
    }

    void theFirstCharactersTypedTakeTheDefaultFormat()
    {
        Card card(Card::Recipe::New);
        card.click(u"BtnPreparation"_s);
        card.write(card.preparation(), u"Bonjour"_s);
        card.preparation()->setSelection(0, 7);
        const CharacterFormat typed = card.preparation()->characterFormat();
        QCOMPARE(typed.typeface, u"MS Sans Serif"_s);
        QCOMPARE(typed.pointSize, 8);
        QCOMPARE(typed.bold, true);
        QCOMPARE(typed.italic, false);
        QCOMPARE(typed.colour, QColor(0x00, 0x00, 0x80));
    }

    // "&Nouveau" empties the text, and what is typed next takes the default format, whatever the
    // caret stood in.
    void fileNewStartsAgainInTheDefaultFormat()
    {
        Card card;
        TMyRichEdit *editor = card.ingredients();
        card.write(editor, u"Titre"_s);
        editor->setSelection(0, 5);
        CharacterFormat title;
        title.typeface = u"Comic Sans MS"_s;
        title.colour = QColor(Qt::red);
        title.bold = false;
        editor->setCharacterFormat(title);
        editor->setSelection(5, 0);
        card.action(u"FileNewCmd"_s)->trigger();
        QCOMPARE(editor->toPlainText(), QString());
        Card::type(editor, u"Sel"_s);
        editor->setSelection(0, 3);
        const CharacterFormat typed = editor->characterFormat();
        QCOMPARE(typed.typeface, u"MS Sans Serif"_s);
        QCOMPARE(typed.pointSize, 8);
        QCOMPARE(typed.bold, true);
        QCOMPARE(typed.colour, QColor(0x00, 0x00, 0x80));
    }

    // The long part of a hint goes to the status bar of the page in use, the short one is the
    // tooltip; leaving the control brings the panels back.
    void hintsShowInTheStatusBarOfThePageInUse_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("statusBar");
        QTest::addColumn<QString>("tooltip");
        QTest::addColumn<QString>("shown");
        QTest::newRow("font name") << "FontName1" << "StatusBar1" << "Nom de fonte" << "Sélectionner le nom de la fonte";
        QTest::newRow("bold") << "BoldButton" << "StatusBar" << "Gras" << "Gras";
        QTest::newRow("new, preparation") << "NewButton" << "StatusBar" << "Nouveau ou remise à blanc des notes existantes"
                                          << "Nouveau ou remise à blanc des notes existantes";
        QTest::newRow("page button") << "BtnIllustration" << "StatusBar1" << "Voir la page Illustration"
                                     << "Voir la page Illustration";
    }
    void hintsShowInTheStatusBarOfThePageInUse()
    {
        QFETCH(QString, control);
        QFETCH(QString, statusBar);
        QFETCH(QString, tooltip);
        QFETCH(QString, shown);
        Card card;
        if (statusBar == u"StatusBar")
            card.click(u"BtnPreparation"_s);
        auto *widget = card.find<QWidget>(control);
        auto *bar = card.find<HintStatusBar>(statusBar);
        QCOMPARE(widget->toolTip(), tooltip);
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(widget, &enter);
        QCOMPARE(bar->currentMessage(), shown);
        QVERIFY(bar->showsHint());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(widget, &leave);
        QVERIFY(!bar->showsHint());
    }

    void editCommandsAreGreyedWhenTheyCannotRun()
    {
        QGuiApplication::clipboard()->clear();
        Card card;
        TMyRichEdit *editor = card.ingredients();
        editor->setFocus();
        QVERIFY(!card.action(u"EditCutCmd"_s)->isEnabled());
        QVERIFY(!card.action(u"EditCopyCmd"_s)->isEnabled());
        QVERIFY(!card.action(u"EditPasteCmd"_s)->isEnabled());
        QVERIFY(!card.action(u"EditUndoCmd"_s)->isEnabled());
        Card::type(editor, u"Sel"_s);
        QVERIFY(card.action(u"EditUndoCmd"_s)->isEnabled());
        editor->setSelection(0, 3);
        QVERIFY(card.action(u"EditCutCmd"_s)->isEnabled());
        QVERIFY(card.action(u"EditCopyCmd"_s)->isEnabled());
        card.action(u"EditCopyCmd"_s)->trigger();
        QVERIFY(card.action(u"EditPasteCmd"_s)->isEnabled());
        QVERIFY(card.action(u"FileNewCmd"_s)->isEnabled());
    }

    // The actions have the first claim on their keys on every page; a disabled one leaves the
    // key to the focused control.
    void shortcutsGoToTheEnabledActionsFirst()
    {
        Card card;
        TMyRichEdit *editor = card.ingredients();
        card.write(editor, u"Beurre"_s);
        editor->setSelection(0, 6);
        QSignalSpy copies(card.action(u"EditCopyCmd"_s), &QAction::triggered);
        QSignalSpy pastes(card.action(u"EditPasteCmd"_s), &QAction::triggered);
        QSignalSpy undos(card.action(u"EditUndoCmd"_s), &QAction::triggered);
        QTest::keyClick(editor, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(copies.size(), 1);
        QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(pastes.size(), 1);
        QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(undos.size(), 1);

        card.click(u"BtnIllustration"_s);
        auto *description = card.find<DBEdit>(u"DBDescription"_s);
        description->setFocus();
        // Leaving the text wrote it into the record, which read it again, selection gone.
        editor->setSelection(0, 6);
        QTest::keyClick(description, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(copies.size(), 2);

        editor->setSelection(0, 0);
        description->selectAll();
        QTest::keyClick(description, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(copies.size(), 2);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"Tarte"_s);
    }

    void saveThenOpenGivesBackTheSameText()
    {
        QTemporaryDir folder;
        const QString fileName = folder.filePath(u"notes.txt"_s);
        Card card;
        TMyRichEdit *editor = card.ingredients();
        card.write(editor, u"Sucre glace"_s);
        editor->setSelection(0, 5);
        CharacterFormat format;
        format.typeface = u"Comic Sans MS"_s;
        format.colour = QColor(Qt::red);
        format.italic = true;
        editor->setCharacterFormat(format);
        const QByteArray saved = editor->streamOut();
        {
            FileDialogAnswer answer(fileName);
            card.action(u"FileSaveCmd"_s)->trigger();
            QVERIFY(answer.answered());
        }
        QVERIFY(fileContent(fileName).startsWith("{\\rtf"));
        card.action(u"FileNewCmd"_s)->trigger();
        QCOMPARE(editor->toPlainText(), QString());
        {
            FileDialogAnswer answer(fileName);
            card.action(u"FileOpenCmd"_s)->trigger();
            QVERIFY(answer.answered());
        }
        QCOMPARE(editor->streamOut(), saved);
        editor->setSelection(0, 5);
        QCOMPARE(editor->characterFormat().typeface, u"Comic Sans MS"_s);
        QCOMPARE(editor->characterFormat().italic, true);
    }

    // Read as plain text, written into the record at the next write; Annuler drops it.
    void aPlainTextFileLoadsAsText()
    {
        QTemporaryDir folder;
        const QString fileName = folder.filePath(u"courses.TXT"_s);
        writeFile(fileName, "Première ligne\r\nDeuxième ligne\r\n");
        Card card;
        {
            FileDialogAnswer answer(fileName);
            card.action(u"FileOpenCmd"_s)->trigger();
            QVERIFY(answer.answered());
        }
        QCOMPARE(card.ingredients()->toPlainText(), u"Première ligne\nDeuxième ligne\n"_s);
        // The dialog took the activation; this platform has no window manager to give it back.
        QApplication::setActiveWindow(card.window.get());
        QTRY_COMPARE(QApplication::focusWidget(), card.ingredients());
        {
            PreviewAnswer preview;
            card.click(u"MyButton1"_s);
            QVERIFY(preview.answered());
        }
        QCOMPARE(textOf(card.field(u"INGREDIENTS"_s).asBytes()), u"Première ligne\nDeuxième ligne\n"_s);
        card.click(u"Btnannuler"_s);
        card.window.reset();
        QVERIFY(card.field(u"INGREDIENTS"_s).isNull());
    }

    // A file that cannot be read leaves the text emptied; one too large for a recipe is refused
    // before anything changes; bytes that are no text load as the text they make.
    void filesThatAreNoRecipeText_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("text");
        QTest::newRow("absent") << "absent" << "Cannot open file \"%1\". " << "";
        QTest::newRow("too large") << "large" << "Le fichier « %1 » est trop grand" << "Sucre";
        QTest::newRow("binary") << "binary" << "" << "\x1\x2\x3";
    }
    void filesThatAreNoRecipeText()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QFETCH(QString, text);
        QTemporaryDir folder;
        const QString fileName = folder.filePath(kind + u".txt"_s);
        if (kind == u"large") {
            QFile file(fileName);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(33 * 1024 * 1024));
        } else if (kind == u"binary") {
            writeFile(fileName, QByteArray("\x01\x02\x03\x00\xff", 5));
        }
        Card card;
        card.write(card.ingredients(), u"Sucre"_s);
        MessageBoxWatcher boxes;
        FileDialogAnswer answer(fileName);
        card.action(u"FileOpenCmd"_s)->trigger();
        QVERIFY(answer.answered());
        if (message.isEmpty()) {
            QVERIFY(boxes.texts().isEmpty());
            QVERIFY2(card.ingredients()->toPlainText().startsWith(text), qPrintable(card.ingredients()->toPlainText()));
        } else {
            QCOMPARE(boxes.texts().size(), 1);
            QVERIFY2(boxes.texts().constFirst().startsWith(message.arg(fileName)), qPrintable(boxes.texts().constFirst()));
            QCOMPARE(card.ingredients()->toPlainText(), text);
        }
    }

    void theOverwriteQuestionDecides_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("yes") << "&Yes" << true;
        QTest::newRow("no") << "&No" << false;
        QTest::newRow("cancel") << "Cancel" << false;
    }
    void theOverwriteQuestionDecides()
    {
        QFETCH(QString, answer);
        QFETCH(bool, replaced);
        QTemporaryDir folder;
        const QString fileName = folder.filePath(u"notes.txt"_s);
        writeFile(fileName, "ancien");
        Card card;
        card.write(card.ingredients(), u"Nouveau"_s);
        QString question;
        QString caption;
        FileDialogAnswer dialog(fileName);
        DialogAnswer<QMessageBox> confirm([&](QMessageBox &box) {
            question = box.text();
            caption = box.windowTitle();
            for (QAbstractButton *button : box.buttons()) {
                if (button->text() == answer)
                    button->click();
            }
        });
        card.action(u"FileSaveAsCmd"_s)->trigger();
        QTRY_VERIFY(confirm.answered());
        QCOMPARE(caption, u"Confirm"_s);
        QCOMPARE(question, u"OK pour écraser %1"_s.arg(fileName));
        QCOMPARE(fileContent(fileName) != "ancien", replaced);
    }

    void theDialogsShowTextFilesInAnyLetterCase()
    {
        QTemporaryDir folder;
        for (const QString &name : {u"notes.txt"_s, u"RECETTE.TXT"_s, u"image.jpg"_s})
            writeFile(folder.filePath(name), "x");
        Card card;
        DialogView view(folder.path(), 2);
        card.action(u"FileOpenCmd"_s)->trigger();
        QVERIFY(view.answered());
        QCOMPARE(view.shown, (QStringList{u"RECETTE.TXT"_s, u"notes.txt"_s}));
        QCOMPARE(view.suffix, u"txt"_s);
    }

    void droppedFilesLoadTheFirstOnly()
    {
        QTemporaryDir folder;
        QList<QUrl> urls;
        for (const QString &name : {u"un.txt"_s, u"deux.txt"_s, u"trois.txt"_s}) {
            writeFile(folder.filePath(name), name.toUtf8());
            urls.append(QUrl::fromLocalFile(folder.filePath(name)));
        }
        Card card;
        QMimeData files;
        files.setUrls(urls);
        QWidget *target = card.ingredients()->viewport();
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QCOMPARE(card.ingredients()->toPlainText(), u"un.txt"_s);
    }

    // The buttons have the first claim on their letters: Alt+I prints, and never shows the
    // illustration page, whose tab carries the letter too.
    void altLettersGoToTheButtons_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("page");
        QTest::newRow("Alt+L") << int(Qt::Key_L) << "PgeIllustration";
        QTest::newRow("Alt+P") << int(Qt::Key_P) << "PgePreparation";
        QTest::newRow("Alt+I") << int(Qt::Key_I) << "PgeIngredients";
    }
    void altLettersGoToTheButtons()
    {
        QFETCH(int, key);
        QFETCH(QString, page);
        Card card;
        QSignalSpy prints(card.find<TMyControl>(u"MyButton1"_s), &TMyControl::clicked);
        std::optional<PreviewAnswer> preview;
        if (key == Qt::Key_I)
            preview.emplace();
        QTest::keyClick(card.find<DBEdit>(u"DBDescription"_s), Qt::Key(key), Qt::AltModifier);
        QCOMPARE(card.find<QTabWidget>(u"PgeControl"_s)->currentWidget()->objectName(), page);
        QCOMPARE(prints.size(), key == Qt::Key_I ? 1 : 0);
        QCOMPARE(preview && preview->answered(), key == Qt::Key_I);
    }

    // The illustration page.

    void anIllustrationOpenedAndSavedIsTheSameFile()
    {
        QTemporaryDir folder;
        const QByteArray jpeg = jpegOf(QSize(40, 30));
        writeFile(folder.filePath(u"photo.JPG"_s), jpeg);
        Card card;
        card.click(u"BtnIllustration"_s);
        {
            FileDialogAnswer answer(folder.filePath(u"photo.JPG"_s));
            card.find<QToolButton>(u"ToolButton4"_s)->click();
            QVERIFY(answer.answered());
        }
        QCOMPARE(card.field(u"IMAGE"_s).asBytes(), jpeg);
        {
            FileDialogAnswer answer(folder.filePath(u"copie"_s));
            card.action(u"MenuItem4"_s)->trigger();
            QVERIFY(answer.answered());
        }
        // The default extension is added to a name typed without one.
        QCOMPARE(fileContent(folder.filePath(u"copie.jpg"_s)), jpeg);
        QCOMPARE(card.find<TMyDBImage>(u"MyDBImage"_s)->picture().size(), QSize(40, 30));
    }

    void thePictureDialogsShowTheirFilesInAnyLetterCase()
    {
        QTemporaryDir folder;
        for (const QString &name : {u"a.jpg"_s, u"B.JPEG"_s, u"c.Bmp"_s, u"d.png"_s})
            writeFile(folder.filePath(name), "x");
        Card card;
        DialogView view(folder.path(), 2);
        card.action(u"FileOpenIllustration"_s)->trigger();
        QVERIFY(view.answered());
        QCOMPARE(view.shown, (QStringList{u"B.JPEG"_s, u"a.jpg"_s}));
        QCOMPARE(view.filters, (QStringList{u"Fichier JPEG (*.JPG *.JPEG)"_s, u"Fichiers BMP (*.BMP)"_s}));
        QCOMPARE(view.suffix, u"jpg"_s);
    }

    // The question is asked before anything is known of the picture; with none, nothing is
    // written whatever the answer.
    void savingWithoutAPictureLeavesTheFileAsItWas()
    {
        QTemporaryDir folder;
        const QString existing = folder.filePath(u"ancienne.jpeg"_s);
        writeFile(existing, "ancien");
        Card card;
        FileDialogAnswer dialog(existing);
        QString question;
        DialogAnswer<QMessageBox> confirm([&](QMessageBox &box) {
            question = box.text();
            for (QAbstractButton *button : box.buttons()) {
                if (button->text() == u"&Yes"_s)
                    button->click();
            }
        });
        card.find<QToolButton>(u"ToolButton6"_s)->click();
        QTRY_VERIFY(confirm.answered());
        QCOMPARE(question, u"OK pour écraser %1"_s.arg(existing));
        QCOMPARE(fileContent(existing), "ancien");

        FileDialogAnswer another(folder.filePath(u"nouvelle.jpg"_s));
        card.action(u"MenuItem4"_s)->trigger();
        QVERIFY(another.answered());
        QVERIFY(!QFile::exists(folder.filePath(u"nouvelle.jpg"_s)));
    }

    void nouveauEmptiesTheIllustrationOfTheRecipeBeingWritten_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("kept");
        QTest::newRow("Annuler") << "Btnannuler" << true;
        QTest::newRow("Ok") << "BtnOk" << false;
    }
    void nouveauEmptiesTheIllustrationOfTheRecipeBeingWritten()
    {
        QFETCH(QString, button);
        QFETCH(bool, kept);
        const QByteArray jpeg = jpegOf(QSize(8, 8));
        Card card;
        card.field(u"IMAGE"_s).setValue(jpeg);
        card.recipes().post();
        card.recipes().edit();
        card.action(u"MenuItem2"_s)->trigger();
        QVERIFY(card.field(u"IMAGE"_s).isNull());
        QVERIFY(card.find<TMyDBImage>(u"MyDBImage"_s)->picture().isEmpty());
        card.click(button);
        card.window.reset();
        QVERIFY(card.recipes().locate(u"DESCRIPTION"_s, u"Tarte"_s));
        QCOMPARE(card.field(u"IMAGE"_s).asBytes(), kept ? jpeg : QByteArray());
    }

    // Cut, copy and paste of the picture are in the menu only; the keys stay the text's.
    void theMenuExchangesTheIllustrationWithTheClipboard()
    {
        const QByteArray jpeg = jpegOf(QSize(20, 10));
        Card card;
        card.field(u"IMAGE"_s).setValue(jpeg);
        card.click(u"BtnIllustration"_s);
        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->setText(u"du texte"_s);
        card.action(u"MenuItem12"_s)->trigger();
        QCOMPARE(card.field(u"IMAGE"_s).asBytes(), jpeg);

        QTest::keyClick(card.window.get(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(card.field(u"IMAGE"_s).asBytes(), jpeg);
        card.action(u"MenuItem10"_s)->trigger();
        QVERIFY(card.field(u"IMAGE"_s).isNull());
        QCOMPARE(clipboard->image().size(), QSize(20, 10));
        card.action(u"MenuItem12"_s)->trigger();
        QVERIFY(card.field(u"IMAGE"_s).asBytes().startsWith("\xff\xd8"));
        QCOMPARE(card.action(u"MenuItem10"_s)->text(), u"&Couper\tCtrl+X"_s);
        QCOMPARE(card.action(u"MenuItem11"_s)->text(), u"Copi&er\tCtrl+C"_s);
    }

    void altXAndTheCloseBoxEndWithCancel()
    {
        Card card;
        card.find<DBEdit>(u"DBDescription"_s)->setFocus();
        QTest::keyClick(card.find<DBEdit>(u"DBDescription"_s), Qt::Key_X, Qt::AltModifier);
        QCOMPARE(card.window->result(), int(QDialog::Rejected));
        QVERIFY(!card.window->isVisible());
    }
};

CUISINOTTE_GUI_TEST_MAIN(Application, TestFicheRecettes)

#include "tst_fichetrecettes.moc"
