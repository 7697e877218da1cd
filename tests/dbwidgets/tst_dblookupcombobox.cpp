#include <QTest>

class Testdblookupcombobox : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(Testdblookupcombobox)
#include "tst_dblookupcombobox.moc"
