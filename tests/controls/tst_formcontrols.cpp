#include "controls/FormControls.h"

#include "GuiTestMain.h"
#include "ModalAnswer.h"
#include "controls/ModalForm.h"
#include "controls/MyPanel.h"
#include "dataset/DataSource.h"
#include "dataset/MemoryDataset.h"
#include "guard/GuardedApplication.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

/// A window whose "&Ok" posts a row that needs its name: refused until the name is there.
class NameCard : public ModalForm
{
public:
    NameCard()
        : ModalForm(nullptr, u"Fiche"_s, QSize(300, 100), Border::Dialog)
    {
        dataset.addField(u"NOM"_s, FieldKind::Text, 20).setRequired(true);
        dataset.open();
        dataset.append();
        ok = FormControls::button<TMyButton>(panel(), u"BtnOk"_s, u"&Ok"_s, QString(), QRect(10, 10, 80, 24), this,
            &NameCard::BtnOkClick);
    }

    void BtnOkClick()
    {
        dataset.post();
        ++posts;
    }

    MemoryDataset dataset;
    TMyButton *ok = nullptr;
    int posts = 0;
};

} // namespace

class TestFormControls : public QObject
{
    Q_OBJECT

private slots:
    // The refused post stops the command: its message is shown, and the window goes on as after
    // any command. Under the sanitizers, LeakSanitizer checks at the end of the run that the
    // refused clicks left nothing behind, as they did when the error unwound through Qt.
    void aFailingCommandShowsItsErrorAndTheWindowGoesOn()
    {
        NameCard card;
        card.show();
        QVERIFY(QTest::qWaitForWindowExposed(&card));
        QApplication::setActiveWindow(&card);

        MessageBoxWatcher boxes;
        for (int click = 0; click < 10; ++click)
            QTest::mouseClick(card.ok, Qt::LeftButton);
        QTest::keyClick(&card, Qt::Key_O, Qt::AltModifier);
        QCOMPARE(boxes.texts().size(), 11);
        QCOMPARE(boxes.texts().constFirst(), u"Field 'NOM' must have a value"_s);
        QCOMPARE(card.posts, 0);
        QCOMPARE(card.ok->state(), TMyControl::Normal);
        QVERIFY(card.isVisible());

        card.dataset.fieldByName(u"NOM"_s).setValue(u"Tartes"_s);
        QTest::mouseClick(card.ok, Qt::LeftButton);
        QCOMPARE(card.posts, 1);
        QCOMPARE(card.dataset.state(), DatasetState::Browse);
        QCOMPARE(boxes.texts().size(), 11);
    }
};

CUISINOTTE_GUI_TEST_MAIN(GuardedApplication, TestFormControls)

#include "tst_formcontrols.moc"
