#include <QTest>

class Testdbedit : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(Testdbedit)
#include "tst_dbedit.moc"
