#include "controls/MyRichEdit.h"

#include "GuiTestMain.h"
#include "ModalAnswer.h"
#include "guard/GuardedApplication.h"
#include "dataset/MemoryDataset.h"
#include "dbwidgets/Beep.h"
#include "richtext/RtfReader.h"

#include <QClipboard>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>

using namespace Qt::Literals::StringLiterals;

namespace {

const QByteArray bonjourRtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Bonjour\\par}"_ba;

// The plain text of an RTF document as our reader sees it.
QString textOf(const QByteArray &rtf)
{
    QTextDocument document;
    if (richtext::readRtf(rtf, document))
        return u"<not RTF>"_s;
    return document.toPlainText();
}

/// One recipe row holding a memo and a short text, and an editor bound to one of them, shown
/// and focused.
struct BoundEditor
{
    explicit BoundEditor(const QVariant &memo, const QString &field = u"INGREDIENTS"_s, bool autoDisplay = true)
    {
        dataset.addField(u"INGREDIENTS"_s, FieldKind::Memo);
        dataset.addField(u"NOM"_s, FieldKind::Text, 5);
        source.setDataset(&dataset);
        dataset.open();
        dataset.append();
        dataset.fieldByName(u"INGREDIENTS"_s).setValue(memo);
        dataset.fieldByName(u"NOM"_s).setValue(u"Tarte"_s);
        dataset.post();

        window.resize(300, 200);
        editor = new TMyRichEdit(&window);
        editor->resize(200, 100);
        other = new QWidget(&window);
        other->setFocusPolicy(Qt::StrongFocus);
        other->move(0, 150);
        spy = std::make_unique<QSignalSpy>(editor, &TMyRichEdit::myDataChange);
        editor->setAutoDisplay(autoDisplay);
        editor->setDataField(field);
        editor->setDataSource(&source);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QApplication::setActiveWindow(&window);
        editor->setFocus();
        QTRY_VERIFY(editor->QWidget::hasFocus());
    }

    Field &field(const QString &name = u"INGREDIENTS"_s) { return dataset.fieldByName(name); }

    // Typed as a keyboard does it, accents and all.
    void type(const QString &text)
    {
        for (const QChar character : text)
            QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }

    MemoryDataset dataset;
    DataSource source;
    QWidget window;
    TMyRichEdit *editor = nullptr;
    QWidget *other = nullptr;
    std::unique_ptr<QSignalSpy> spy;
};

} // namespace

class TestMyRichEdit : public QObject
{
    Q_OBJECT

private slots:
    void showsTheFieldReadOnlyUntilEditing()
    {
        BoundEditor bound(bonjourRtf);
        QCOMPARE(bound.editor->toPlainText(), u"Bonjour"_s);
        QVERIFY(bound.editor->isContentLoaded());
        QVERIFY(bound.editor->isReadOnly());

        bound.dataset.edit();
        QVERIFY(!bound.editor->isReadOnly());
        bound.dataset.cancel();
        QVERIFY(bound.editor->isReadOnly());
    }

    // The first key puts the row into edit state without reloading: the character lands where
    // the caret was.
    void firstCharacterTypedInBrowseStateStartsEditing()
    {
        BoundEditor bound(bonjourRtf);
        bound.editor->moveCursor(QTextCursor::End);
        bound.type(u"!"_s);

        QCOMPARE(bound.dataset.state(), DatasetState::Edit);
        QCOMPARE(bound.editor->toPlainText(), u"Bonjour!"_s);
        QCOMPARE(bound.spy->count(), 1);
        bound.dataset.post();
        QCOMPARE(textOf(bound.field().asBytes()), u"Bonjour!"_s);
    }

    void plainTextFieldIsShownAsTextAndStoredAsRtf()
    {
        BoundEditor bound(u"Farine, sucre"_s);
        QCOMPARE(bound.editor->toPlainText(), u"Farine, sucre"_s);
        QVERIFY(bound.editor->isContentLoaded());

        bound.editor->moveCursor(QTextCursor::End);
        bound.type(u" et beurre"_s);
        bound.dataset.post();
        QVERIFY(bound.field().asBytes().startsWith("{\\rtf1"));
        QCOMPARE(textOf(bound.field().asBytes()), u"Farine, sucre et beurre"_s);
    }

    void emptyFieldGivesAnEmptyEditorAndStoresAnEmptyDocument()
    {
        BoundEditor bound(QVariant{});
        QCOMPARE(bound.editor->toPlainText(), QString());
        QVERIFY(bound.editor->isContentLoaded());

        bound.type(u"a"_s);
        QTest::keyClick(bound.editor, Qt::Key_Backspace);
        bound.dataset.post();
        QVERIFY(bound.field().asBytes().startsWith("{\\rtf1"));
        QCOMPARE(textOf(bound.field().asBytes()), QString());
    }

    // Escape brings back what the row holds and forgets the change.
    void escapeReturnsToTheRowsContent()
    {
        BoundEditor bound(bonjourRtf);
        bound.type(u"xyz"_s);
        QCOMPARE(bound.dataset.state(), DatasetState::Edit);
        QTest::keyClick(bound.editor, Qt::Key_Escape);

        QCOMPARE(bound.editor->toPlainText(), u"Bonjour"_s);
        QVERIFY(!bound.dataset.isModified());
        bound.dataset.post();
        QCOMPARE(bound.field().asBytes(), bonjourRtf);
    }

    void leavingTheEditorWritesTheChange()
    {
        BoundEditor bound(bonjourRtf);
        bound.editor->moveCursor(QTextCursor::End);
        bound.type(u" à tous"_s);
        QCOMPARE(bound.field().asBytes(), bonjourRtf);

        bound.other->setFocus();
        QTRY_VERIFY(bound.other->hasFocus());
        QCOMPARE(textOf(bound.field().asBytes()), u"Bonjour à tous"_s);
    }

    // Another record's text is typed in the editor's own font and colour, whatever the caret
    // stood in before.
    void anotherRecordStartsInTheEditorsOwnFormat()
    {
        const QByteArray comicRed =
            "{\\rtf1\\ansi{\\fonttbl{\\f0 Comic Sans MS;}}{\\colortbl;\\red255\\green0\\blue0;}\\f0\\cf1\\fs28 Titre\\par}"_ba;
        BoundEditor bound(comicRed);
        QPalette colours = bound.editor->palette();
        colours.setColor(QPalette::Text, QColor(0x00, 0x00, 0x80));
        bound.editor->setPalette(colours);
        bound.editor->setSelection(2, 0);
        QCOMPARE(bound.editor->characterFormat().typeface, u"Comic Sans MS"_s);

        bound.dataset.append();
        bound.type(u"Sel"_s);
        bound.editor->setSelection(0, 3);
        QCOMPARE(bound.editor->toPlainText(), u"Sel"_s);
        QCOMPARE(bound.editor->characterFormat().typeface, bound.editor->font().family());
        QCOMPARE(bound.editor->characterFormat().colour, QColor(0x00, 0x00, 0x80));
    }

    // A text the row refuses keeps the focus in the editor; its error is shown once, when the
    // focus change is over.
    void refusedTextKeepsTheFocus()
    {
        BoundEditor bound(bonjourRtf, u"NOM"_s);
        QCOMPARE(bound.editor->toPlainText(), u"Tarte"_s);
        bound.editor->moveCursor(QTextCursor::End);
        bound.type(u"s"_s);

        MessageBoxWatcher boxes;
        bound.other->setFocus();
        QVERIFY(boxes.texts().isEmpty());
        QTRY_COMPARE(boxes.texts().size(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(boxes.texts(), QStringList{u"Le champ 'NOM' ne peut contenir que 5 caractères."_s});
        QTRY_COMPARE(bound.window.focusWidget(), bound.editor);
        // The box took the activation; this platform has no window manager to give it back.
        QApplication::setActiveWindow(&bound.window);
        QTRY_VERIFY(bound.editor->QWidget::hasFocus());
        QCOMPARE(bound.field(u"NOM"_s).asString(), u"Tarte"_s);

        // Cancelling the row brings its text back, which the editor can then leave.
        bound.dataset.cancel();
        QCOMPARE(bound.editor->toPlainText(), u"Tarte"_s);
        bound.other->setFocus();
        QTRY_VERIFY(bound.other->hasFocus());
        QCOMPARE(boxes.texts().size(), 1);
    }

    // A message box or a menu taking the focus for a while is no exit from the editor: the
    // failing write is not tried again behind the box that shows its error, nor when the window
    // closes with the text still refused.
    void losingTheWindowOrOpeningAMenuIsNoExit()
    {
        BoundEditor bound(bonjourRtf, u"NOM"_s);
        bound.editor->moveCursor(QTextCursor::End);
        bound.type(u"s"_s);

        MessageBoxWatcher boxes;
        for (const Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
            QFocusEvent away(QEvent::FocusOut, reason);
            QCoreApplication::sendEvent(bound.editor, &away);
            QCoreApplication::processEvents();
            QCOMPARE(bound.field(u"NOM"_s).asString(), u"Tarte"_s);
            QVERIFY(boxes.texts().isEmpty());
        }
        QFocusEvent leaving(QEvent::FocusOut, Qt::MouseFocusReason);
        QCoreApplication::sendEvent(bound.editor, &leaving);
        QTRY_COMPARE(boxes.texts().size(), 1);
    }

    // The edit menu offers what the keys do: cutting while the row is browsed starts editing.
    void editMenuCutsAndPastesFromBrowseState()
    {
        QGuiApplication::clipboard()->setText(u"Salut"_s);
        BoundEditor bound(bonjourRtf);
        bound.editor->setSelection(0, 3);
        std::unique_ptr<QMenu> menu(bound.editor->createEditMenu(nullptr));
        QAction *cut = menu->actions().at(2);
        QAction *paste = menu->actions().at(4);
        QCOMPARE(cut->text(), u"&Couper"_s);
        QCOMPARE(paste->text(), u"C&oller"_s);
        QVERIFY(cut->isEnabled());
        QVERIFY(paste->isEnabled());

        cut->trigger();
        QCOMPARE(bound.dataset.state(), DatasetState::Edit);
        QCOMPARE(bound.editor->toPlainText(), u"jour"_s);

        // Nothing is offered over a placeholder, nor for a field the editor may not change.
        BoundEditor placeholder(bonjourRtf, u"INGREDIENTS"_s, false);
        placeholder.editor->selectAll();
        menu.reset(placeholder.editor->createEditMenu(nullptr));
        QVERIFY(!menu->actions().at(2)->isEnabled());
        QVERIFY(!menu->actions().at(4)->isEnabled());
        bound.dataset.cancel();
        bound.editor->setFieldReadOnly(true);
        bound.editor->selectAll();
        menu.reset(bound.editor->createEditMenu(nullptr));
        QVERIFY(!menu->actions().at(2)->isEnabled());
        QVERIFY(!menu->actions().at(4)->isEnabled());
    }

    void characterTheFieldCannotHoldBeepsAndIsDropped()
    {
        BoundEditor bound(bonjourRtf, u"NOM"_s);
        const int beeps = Beep::count();
        bound.editor->moveCursor(QTextCursor::End);
        bound.type(u"Ω"_s);

        QCOMPARE(Beep::count(), beeps + 1);
        QCOMPARE(bound.editor->toPlainText(), u"Tarte"_s);
        QCOMPARE(bound.dataset.state(), DatasetState::Browse);
    }

    void withoutAutoDisplayAMemoWaitsForEnterOrDoubleClick_data()
    {
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("Enter") << false;
        QTest::newRow("double click") << true;
    }

    void withoutAutoDisplayAMemoWaitsForEnterOrDoubleClick()
    {
        QFETCH(bool, doubleClick);

        BoundEditor bound(bonjourRtf, u"INGREDIENTS"_s, false);
        QCOMPARE(bound.editor->toPlainText(), u"(INGREDIENTS)"_s);
        QVERIFY(!bound.editor->isContentLoaded());
        bound.type(u"abc"_s);
        QCOMPARE(bound.editor->toPlainText(), u"(INGREDIENTS)"_s);
        QCOMPARE(bound.dataset.state(), DatasetState::Browse);

        if (doubleClick)
            QTest::mouseDClick(bound.editor->viewport(), Qt::LeftButton);
        else
            QTest::keyClick(bound.editor, Qt::Key_Return);
        QCOMPARE(bound.editor->toPlainText(), u"Bonjour"_s);
        QVERIFY(bound.editor->isContentLoaded());
        QCOMPARE(bound.dataset.state(), DatasetState::Browse);
    }

    void fieldReadOnlyThroughTheEditorIgnoresTyping()
    {
        BoundEditor bound(bonjourRtf);
        bound.editor->setFieldReadOnly(true);
        bound.type(u"abc"_s);
        QCOMPARE(bound.editor->toPlainText(), u"Bonjour"_s);
        QCOMPARE(bound.dataset.state(), DatasetState::Browse);
        QVERIFY(bound.editor->isReadOnly());
    }

    // Raised after each display of the field, never when nothing is bound or nothing reloaded.
    void myDataChangeFollowsEachDisplay()
    {
        BoundEditor bound(bonjourRtf);
        QCOMPARE(bound.spy->count(), 1);
        bound.dataset.edit(); // reloads: the editor did not ask for it
        QCOMPARE(bound.spy->count(), 2);
        bound.dataset.cancel();
        QCOMPARE(bound.spy->count(), 3);

        bound.editor->setAutoDisplay(false);
        QCOMPARE(bound.spy->count(), 3);
        bound.dataset.edit(); // loaded and editing: the content is shown
        QCOMPARE(bound.spy->count(), 4);
        bound.dataset.cancel();
        QCOMPARE(bound.editor->toPlainText(), u"(INGREDIENTS)"_s);
        QCOMPARE(bound.spy->count(), 5);

        bound.editor->setDataField(u"NOM"_s);
        QCOMPARE(bound.editor->toPlainText(), u"Tarte"_s);
        QCOMPARE(bound.spy->count(), 6);

        bound.editor->setDataField(u"ABSENT"_s);
        QCOMPARE(bound.editor->toPlainText(), QString());
        QCOMPARE(bound.spy->count(), 6);
    }
};

CUISINOTTE_GUI_TEST_MAIN(GuardedApplication, TestMyRichEdit)
#include "tst_myrichedit.moc"
