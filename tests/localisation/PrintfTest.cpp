#include "localisation/InternationalStrings.h"
#include "state/ProgramError.h"

#include <QDate>
#include <QTest>

using namespace velmora;
using InternationalStrings::printf;

Q_DECLARE_METATYPE(QVariantList)

class PrintfTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void formats_data();
    void formats();
    void errors_data();
    void errors();
    void numberPatterns_data();
    void numberPatterns();
    void veryLongFormatsEndWithOverflow();
};

void PrintfTest::formats_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QVariantList>("arguments");
    QTest::addColumn<QString>("result");

    QTest::newRow("time over en") << "Time of player [*] is over." << QVariantList{2}
                                  << "Time of player 2 is over.";
    QTest::newRow("time over de") << "Die Zeit von Spieler [*] ist abgelaufen." << QVariantList{1}
                                  << "Die Zeit von Spieler 1 ist abgelaufen.";
    QTest::newRow("plain") << "no placeholders here" << QVariantList{} << "no placeholders here";
    QTest::newRow("empty") << "" << QVariantList{} << "";
    QTest::newRow("tab") << "a\\tb" << QVariantList{} << "a\tb";
    QTest::newRow("new line") << "a\\nb" << QVariantList{} << "a\r\nb";
    QTest::newRow("doubled backslash first") << "\\\\n" << QVariantList{} << "\\n";
    QTest::newRow("escaped bracket") << "x\\[y]" << QVariantList{} << "x[y]";
    QTest::newRow("bracket placeholder") << "[(]*]" << QVariantList{} << "[*]";
    QTest::newRow("backslash placeholder") << "a[\\]b" << QVariantList{} << "a\\b";
    QTest::newRow("lone closing bracket") << "a]b [*]" << QVariantList{7} << "a]b 7";
    QTest::newRow("two in order") << "[*] [*]" << QVariantList{1, 2} << "1 2";
    QTest::newRow("empty skips one") << "[] [*]" << QVariantList{1, 2} << " 2";
    QTest::newRow("empty needs no argument") << "[]x" << QVariantList{} << "x";
    QTest::newRow("numbered keeps the sequence")
        << "[2:*] and [*]" << QVariantList{1, 2} << "2 and 1";
    QTest::newRow("numbered lowered to last") << "[9:*]" << QVariantList{1, 2} << "2";
    QTest::newRow("zero does not number") << "[0:*]" << QVariantList{5} << "5:*";
    QTest::newRow("escapes only in the format")
        << "[*]" << QVariantList{QStringLiteral("a\\tb")} << "a\\tb";
    QTest::newRow("date pattern") << "[yyyy-MM-dd]" << QVariantList{QDate(2026, 12, 6)}
                                  << "2026-12-06";
    QTest::newRow("literal brackets use no argument")
        << "[(][*][\\][*]" << QVariantList{1, 2} << "[1\\2";
    QTest::newRow("inserted text not rescanned")
        << "[*]" << QVariantList{QStringLiteral("[*]")} << "[*]";
    QTest::newRow("open bracket inside body") << "[[*]" << QVariantList{3} << "[*";
    QTest::newRow("boolean argument") << "[*]/[*]" << QVariantList{true, false} << "True/False";
    QTest::newRow("decimal argument") << "[*]" << QVariantList{2.5} << "2.5";
    QTest::newRow("numbered after unnumbered") << "[*][1:*][*]" << QVariantList{1, 2} << "112";
}

void PrintfTest::formats() {
    QFETCH(QString, format);
    QFETCH(QVariantList, arguments);
    QFETCH(QString, result);
    QCOMPARE(printf(format, arguments), result);
}

void PrintfTest::errors_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QVariantList>("arguments");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");

    QTest::newRow("no closing bracket")
        << "ab[c" << QVariantList{} << int(0x80040001) << "Missing ']' after '[' at position 3!";
    QTest::newRow("position after escapes")
        << "\\t\\t[" << QVariantList{} << int(0x80040001) << "Missing ']' after '[' at position 3!";
    QTest::newRow("position after replacements")
        << "[*]xx[" << QVariantList{12345} << int(0x80040001)
        << "Missing ']' after '[' at position 8!";
    QTest::newRow("missing value") << "[*] [*]" << QVariantList{1} << int(0x80040002)
                                   << "Missing value in printf-call for format string '[*]'!";
    QTest::newRow("missing value for pattern")
        << "[0.00]" << QVariantList{} << int(0x80040002)
        << "Missing value in printf-call for format string '[0.00]'!";
    QTest::newRow("numbered without arguments")
        << "[1:*]" << QVariantList{} << 9 << "Subscript out of range";
}

void PrintfTest::errors() {
    QFETCH(QString, format);
    QFETCH(QVariantList, arguments);
    QFETCH(int, number);
    QFETCH(QString, description);
    try {
        printf(format, arguments);
        QFAIL("no error raised");
    } catch (const ProgramError& error) {
        QCOMPARE(error.Number(), number);
        QCOMPARE(error.Source(), QStringLiteral("printf"));
        QCOMPARE(error.Description(), description);
    }
}

void PrintfTest::numberPatterns_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("result");

    QTest::newRow("two decimals") << QVariant(3.14159) << "0.00"
                                  << "3.14";
    QTest::newRow("rounds half away from zero") << QVariant(2.5) << "0"
                                                << "3";
    QTest::newRow("leading zeros") << QVariant(7) << "000"
                                   << "007";
    QTest::newRow("thousands") << QVariant(1234567) << "#,##0"
                               << "1,234,567";
    QTest::newRow("optional decimals") << QVariant(1.5) << "0.##"
                                       << "1.5";
    QTest::newRow("optional whole digit") << QVariant(0.5) << "#.##"
                                          << ".5";
    QTest::newRow("literal suffix") << QVariant(42) << "0 s"
                                    << "42 s";
    QTest::newRow("negative zero shows no sign") << QVariant(-0.001) << "0.00"
                                                 << "0.00";
    QTest::newRow("no placeholders") << QVariant(5) << "abc"
                                     << "abc";
    QTest::newRow("many decimals") << QVariant(0.1) << "0.00000000000000000000"
                                   << "0.10000000000000000000";
}

void PrintfTest::numberPatterns() {
    QFETCH(QVariant, value);
    QFETCH(QString, pattern);
    QFETCH(QString, result);
    QCOMPARE(printf(u'[' + pattern + u']', {value}), result);
}

void PrintfTest::veryLongFormatsEndWithOverflow() {
    // Positions are 16-bit: a placeholder beyond 32,767 characters cannot be reached.
    const QString format = QString(40000, u'x') + QStringLiteral("[*]");
    try {
        printf(format, {1});
        QFAIL("no error raised");
    } catch (const ProgramError& error) {
        QCOMPARE(error.Number(), ProgramError::Overflow);
    }
    // A long text without placeholders is fine.
    QCOMPARE(printf(QString(40000, u'y')).size(), 40000);
}

QTEST_APPLESS_MAIN(PrintfTest)
#include "PrintfTest.moc"
