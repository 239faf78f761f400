#include "clock/TimeText.h"

#include "Printers.h"

#include <QTest>

#include <limits>

using namespace velmora;

class TestTimeText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void formats_data() {
        QTest::addColumn<TimeAccount>("account");
        QTest::addColumn<QString>("text");
        QTest::newRow("1 h 30 min") << TimeAccount{1, 30, 0, 0} << "01:30:00";
        QTest::newRow("100 h") << TimeAccount{100, 0, 0, 0} << "100:00:00";
        QTest::newRow("seconds truncated") << TimeAccount{0, 9, 5, 900} << "00:09:05";
        QTest::newRow("zero") << TimeAccount{0, 0, 0, 100} << "00:00:00";
        QTest::newRow("minutes above 59") << TimeAccount{0, 90, 0, 0} << "00:90:00";
        QTest::newRow("negative") << TimeAccount{-5, 0, -1, 0} << "-05:00:-01";
        QTest::newRow("most negative")
            << TimeAccount{std::numeric_limits<std::int32_t>::min(), 0, 0, 0} << "-2147483648:00:00";
    }
    void formats() {
        QFETCH(TimeAccount, account);
        QFETCH(QString, text);
        QCOMPARE(TimeText(account), text);
    }
};

QTEST_APPLESS_MAIN(TestTimeText)
#include "tst_timetext.moc"
