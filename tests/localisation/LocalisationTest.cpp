#include "localisation/InternationalStrings.h"
#include "localisation/ProgramError.h"
#include "localisation/UIStrings.h"

#include <QTest>

using namespace velmora;
using InternationalStrings::printf;

class LocalisationTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void languagesSwitchTheActiveRow() {
        UIStrings strings;
        strings.SetLanguage(LanguageGerman);
        QCOMPARE(strings(TxtMenuAbout), QString::fromUtf8("&Über Velmora..."));
        for (int entry : {TxtAssignedKey, TxtUserDefined, TxtTimeWhite, TxtCancel}) // range ends
            QCOMPARE(strings(entry), strings(entry, UIStrings::LangGerman));
        strings.SetLanguage(LanguageEnglish);
        QCOMPARE(strings(TxtMenuNewGame), QStringLiteral("&New Game"));
        QCOMPARE(strings(TxtPreset1H30), QStringLiteral("1 h 30 min"));
        QVERIFY(strings(TxtPreset1H30, UIStrings::LangGerman).isEmpty());
        QVERIFY(strings(TxtPreset6H + 1).isEmpty()); // past the presets nothing is written
        QVERIFY_THROWS_EXCEPTION(ProgramError, strings.SetLanguage(3));
        QCOMPARE(strings.GetLanguage(), 1); // a bad code keeps the active row
    }

    // The result, or the error raised as "error <number> in <source>: <description>".
    void printfFormats_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QVariantList>("arguments");
        QTest::addColumn<QString>("result");
        // clang-format off
        QTest::newRow("time over") << "Time of player [*] is over." << QVariantList{2} << "Time of player 2 is over.";
        QTest::newRow("escapes") << "a\\tb\\nc\\\\n\\[y]" << QVariantList{} << "a\tb\r\nc\\n[y]";
        QTest::newRow("empty skips one") << "[] [*]" << QVariantList{1, 2} << " 2";
        QTest::newRow("numbered keeps the sequence") << "[2:*] and [*]" << QVariantList{1, 2} << "2 and 1";
        QTest::newRow("numbered lowered to last") << "[9:*]" << QVariantList{1, 2} << "2";
        QTest::newRow("numbered 1") << "[1:*] [*]" << QVariantList{1, 2} << "1 1";
        QTest::newRow("inserted text not rescanned") << "[*]" << QVariantList{"[*]"} << "[*]";
        QTest::newRow("the last position a placeholder may take") << QString(32766, u'x') + "[]" << QVariantList{} << QString(32766, u'x');
        QTest::newRow("number pattern") << "[#,##0.00]" << QVariantList{1234.567} << "1,234.57";
        QTest::newRow("optional fraction digit") << "[0.0#]" << QVariantList{1.5} << "1.5";
        QTest::newRow("no minus before zero") << "[0.00]" << QVariantList{-0.001} << "0.00";
        QTest::newRow("15 significant digits") << "[0.0000000000000000]" << QVariantList{1 / 3.0} << "0.3333333333333330";
        QTest::newRow("no closing bracket") << "ab[c" << QVariantList{1} << "error 80040001 in printf: Missing ']' after '[' at position 3!";
        QTest::newRow("missing value") << "[*] [*]" << QVariantList{1} << "error 80040002 in printf: Missing value in printf-call for format string '[*]'!";
        // clang-format on
    }
    void printfFormats() {
        QFETCH(QString, format);
        QFETCH(QVariantList, arguments);
        QString result;
        try {
            result = printf(format, arguments);
        } catch (const ProgramError& error) {
            result = QStringLiteral("error %1 in %2: %3")
                         .arg(QString::number(quint32(error.Number()), 16), error.Source(),
                              error.Description());
        }
        QTEST(result, "result");
    }
};

QTEST_APPLESS_MAIN(LocalisationTest)
#include "LocalisationTest.moc"
