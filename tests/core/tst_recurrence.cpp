#include "Recurrence.h"
#include <QTest>
class TestRecurrence : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void placeholder() {}
};
QTEST_GUILESS_MAIN(TestRecurrence)
#include "tst_recurrence.moc"
