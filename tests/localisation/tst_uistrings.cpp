#include "localisation/UIStrings.h"
#include "state/ProgramError.h"

#include <QTest>

using namespace velmora;

class TestUIStrings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void activeRowFollowsTheLanguage_data();
    void activeRowFollowsTheLanguage();
    void presetNamesAreInTheActiveRowOnly();
    void unusedEntriesStayEmpty();
    void lastCallDecidesTheActiveRow();
    void codeOutOfRangeKeepsActiveRow_data();
    void codeOutOfRangeKeepsActiveRow();
    void codeZeroCopiesTheActiveRowOntoItself();
    void sponsorEntryHasNameAndDescription();
    void everyLanguageDependentEntryIsFilled();
};

void TestUIStrings::activeRowFollowsTheLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("text");

    QTest::newRow("en continue") << 1 << int(TxtContinueRunning)
                                 << "Continue running after the end of one player";
    QTest::newRow("de continue") << 2 << int(TxtContinueRunning)
                                 << "Nach Ende die Zeit des anderen Spielers weiterlaufen lassen";
    QTest::newRow("en new game") << 1 << int(TxtMenuNewGame) << "&New Game";
    QTest::newRow("de new game") << 2 << int(TxtMenuNewGame) << "&Neues Spiel";
    QTest::newRow("en about menu") << 1 << int(TxtMenuAbout) << "&About Velmora...";
    QTest::newRow("de about menu") << 2 << int(TxtMenuAbout) << QString::fromUtf8("&Über Velmora...");
    QTest::newRow("de about caption") << 2 << int(TxtAboutCaption) << QString::fromUtf8("Über Velmora...");
    QTest::newRow("de white") << 2 << int(TxtWhitesTurn) << QString::fromUtf8("Weiß ist am Zug");
    QTest::newRow("de ready") << 2 << int(TxtBlackStarts) << QString::fromUtf8("Schwarz betätigt als erstes die Uhr");
    QTest::newRow("en time over") << 1 << int(TxtPlayerTimeOver) << "Time of player [*] is over.";
    QTest::newRow("de cancel") << 2 << int(TxtCancel) << "&Abbruch";
    QTest::newRow("de okay") << 2 << int(TxtOkay) << "&Okay";
    QTest::newRow("de sound") << 2 << int(TxtSound) << "Sound";
}

void TestUIStrings::activeRowFollowsTheLanguage() {
    QFETCH(int, language);
    QFETCH(int, entry);
    QFETCH(QString, text);
    UIStrings strings;
    strings.SetLanguage(language);
    QCOMPARE(strings.GetLanguage(), language);
    QCOMPARE(strings(entry), text);
    QCOMPARE(strings(entry, language), text);
}

void TestUIStrings::presetNamesAreInTheActiveRowOnly() {
    for (int language : {1, 2}) {
        UIStrings strings;
        strings.SetLanguage(language);
        QCOMPARE(strings(TxtPreset5Min), QStringLiteral("5 min"));
        QCOMPARE(strings(TxtPreset1H30), QStringLiteral("1 h 30 min"));
        QCOMPARE(strings(TxtPreset6H), QStringLiteral("6 h"));
        for (int entry = TxtPreset5Min; entry <= TxtPreset6H; ++entry) {
            QVERIFY(!strings(entry).isEmpty());
            QVERIFY(strings(entry, UIStrings::LangEnglish).isEmpty());
            QVERIFY(strings(entry, UIStrings::LangGerman).isEmpty());
        }
    }
}

void TestUIStrings::unusedEntriesStayEmpty() {
    UIStrings strings;
    strings.SetLanguage(2);
    for (int entry = 20; entry <= 25; ++entry) {
        for (int row = 0; row < UIStrings::RowCount; ++row)
            QVERIFY2(strings(entry, row).isEmpty(), qPrintable(QString::number(entry)));
    }
}

void TestUIStrings::lastCallDecidesTheActiveRow() {
    UIStrings once;
    once.SetLanguage(1);
    UIStrings switched;
    switched.SetLanguage(1);
    switched.SetLanguage(2);
    switched.SetLanguage(1);
    for (int entry = 0; entry < UIStrings::EntryCount; ++entry)
        QCOMPARE(switched(entry), once(entry));
}

void TestUIStrings::codeOutOfRangeKeepsActiveRow_data() {
    QTest::addColumn<int>("code");
    QTest::newRow("3") << 3;
    QTest::newRow("-1") << -1;
    QTest::newRow("huge") << 2147483647;
}

void TestUIStrings::codeOutOfRangeKeepsActiveRow() {
    QFETCH(int, code);
    UIStrings strings;
    strings.SetLanguage(2);
    try {
        strings.SetLanguage(code);
        QFAIL("no error raised");
    } catch (const ProgramError& error) {
        QCOMPARE(error.Number(), ProgramError::SubscriptOutOfRange);
    }
    QCOMPARE(strings.GetLanguage(), 2);
    QCOMPARE(strings(TxtMenuFile), QStringLiteral("&Datei"));
}

void TestUIStrings::codeZeroCopiesTheActiveRowOntoItself() {
    UIStrings fresh;
    fresh.SetLanguage(0);
    QCOMPARE(fresh.GetLanguage(), 0);
    QVERIFY(fresh(TxtMenuFile).isEmpty());
    QCOMPARE(fresh(TxtPreset1H), QStringLiteral("1 h"));

    UIStrings german;
    german.SetLanguage(2);
    german.SetLanguage(0);
    QCOMPARE(german(TxtMenuFile), QStringLiteral("&Datei"));
}

void TestUIStrings::sponsorEntryHasNameAndDescription() {
    for (int language : {1, 2}) {
        UIStrings strings;
        strings.SetLanguage(language);
        const QStringList lines = strings(TxtSponsor).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QStringLiteral("Talvista"));
        QVERIFY(!lines[1].isEmpty());
    }
}

void TestUIStrings::everyLanguageDependentEntryIsFilled() {
    UIStrings strings;
    strings.SetLanguage(1);
    for (int entry = 0; entry < UIStrings::EntryCount; ++entry) {
        const bool dependent = entry <= 5 || entry >= 26;
        QCOMPARE(strings(entry, UIStrings::LangEnglish).isEmpty(), !dependent);
        QCOMPARE(strings(entry, UIStrings::LangGerman).isEmpty(), !dependent);
    }
}

QTEST_APPLESS_MAIN(TestUIStrings)
#include "tst_uistrings.moc"
