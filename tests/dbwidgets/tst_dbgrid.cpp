#include <QTest>

class Testdbgrid : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(Testdbgrid)
#include "tst_dbgrid.moc"
