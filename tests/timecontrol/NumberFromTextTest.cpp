#include "timecontrol/NumberFromText.h"

#include <QTest>

using namespace velmora;

class NumberFromTextTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void reads_the_leading_number_data();
    void reads_the_leading_number();
};

void NumberFromTextTest::reads_the_leading_number_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    // Plain numbers and what stops the reading.
    QTest::newRow("30") << "30" << 30;
    QTest::newRow("30abc") << "30abc" << 30;
    QTest::newRow("abc") << "abc" << 0;
    QTest::newRow("7x") << "7x" << 7;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("second point stops") << "1.2.3" << 1;
    QTest::newRow("trailing point") << "5." << 5;
    QTest::newRow("carriage return stops") << "1\r2" << 1;
    QTest::newRow("non-ASCII digit stops") << QString::fromUtf16(u"4\u0665") << 4;

    // Signs.
    QTest::newRow("-4") << "-4" << -4;
    QTest::newRow("-5") << "-5" << -5;
    QTest::newRow("lone minus") << "-" << 0;
    QTest::newRow("sign after digits stops") << "5-3" << 5;

    // Blanks, tabs and line feeds count nowhere.
    QTest::newRow("blank before 7") << " 7" << 7;
    QTest::newRow("blank inside") << "1 2" << 12;
    QTest::newRow("tab and line feed inside") << "1\t2\n3" << 123;
    QTest::newRow("blank after sign") << "- 5" << -5;
    QTest::newRow("blank in exponent") << "1 e 2" << 100;

    // Fractions round to the nearest whole number, halves to the even one.
    QTest::newRow("2.5") << "2.5" << 2;
    QTest::newRow("3.5") << "3.5" << 4;
    QTest::newRow(".5") << ".5" << 0;
    QTest::newRow(".6") << ".6" << 1;
    QTest::newRow("2.51") << "2.51" << 3;
    QTest::newRow("-2.5") << "-2.5" << -2;

    // Exponents with E or D, in either case.
    QTest::newRow("1e2") << "1e2" << 100;
    QTest::newRow("1D2") << "1D2" << 100;
    QTest::newRow("negative exponent") << "25e-1" << 2;
    QTest::newRow("negative exponent half up") << "35E-1" << 4;
    QTest::newRow("exponent without digits") << "3e" << 3;
    QTest::newRow("fraction and exponent") << ".25e1" << 2;
    QTest::newRow("tiny") << "1e-400" << 0;

    // Hexadecimal and octal whole numbers.
    QTest::newRow("&H1F") << "&H1F" << 31;
    QTest::newRow("&hff lower case") << "&hff" << 255;
    QTest::newRow("&HFFFF is not -1") << "&HFFFF" << 65535;
    QTest::newRow("&H7FFFFFFF") << "&H7FFFFFFF" << 2147483647;
    QTest::newRow("&H without digits") << "&H" << 0;
    QTest::newRow("negative &H") << "-&H10" << -16;
    QTest::newRow("&O17") << "&O17" << 15;
    QTest::newRow("&O stops at 8") << "&O78" << 7;
    QTest::newRow("blank inside &H") << "& H 1 0" << 16;
    QTest::newRow("unknown prefix") << "&B101" << 0;

    // The signed 32-bit range; anything outside counts as missing.
    QTest::newRow("largest") << "2147483647" << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << -2147483647 - 1;
    QTest::newRow("one above") << "2147483648" << 0;
    QTest::newRow("half above rounds out") << "2147483647.5" << 0;
    QTest::newRow("half below rounds in") << "2147483646.5" << 2147483646;
    QTest::newRow("huge") << "99999999999999999999" << 0;
    QTest::newRow("huge negative exponent") << "-1e99999999999999999999" << 0;
    QTest::newRow("&H above") << "&H80000000" << 0;
    QTest::newRow("&HFFFFFFFF is not -1") << "&HFFFFFFFF" << 0;
    QTest::newRow("very long &H") << "&H" + QString(400, u'F') << 0;
    QTest::newRow("long zeros then digit") << QString(400, u'0') + u'5' << 5;
}

void NumberFromTextTest::reads_the_leading_number() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(NumberFromText(text), expected);
}

QTEST_APPLESS_MAIN(NumberFromTextTest)
#include "NumberFromTextTest.moc"
