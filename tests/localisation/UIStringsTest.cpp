#include "localisation/UIStrings.h"
#include "state/ProgramError.h"

#include <QTest>

using namespace velmora;

class UIStringsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void activeRowFollowsTheLanguage() {
        UIStrings strings;
        strings.SetLanguage(LanguageGerman);
        QCOMPARE(strings.GetLanguage(), 2);
        QCOMPARE(strings(TxtContinueRunning),
                 QStringLiteral("Nach Ende die Zeit des anderen Spielers weiterlaufen lassen"));
        QCOMPARE(strings(TxtMenuNewGame), QStringLiteral("&Neues Spiel"));
        QCOMPARE(strings(TxtMenuAbout), QString::fromUtf8("&Über Velmora..."));
        strings.SetLanguage(LanguageEnglish);
        QCOMPARE(strings(TxtContinueRunning),
                 QStringLiteral("Continue running after the end of one player"));
        QCOMPARE(strings(TxtMenuAbout), QStringLiteral("&About Velmora..."));

        // Switching back and forth ends exactly as one call with the last code.
        UIStrings once;
        once.SetLanguage(LanguageEnglish);
        for (int entry = 0; entry < UIStrings::EntryCount; ++entry)
            QCOMPARE(strings(entry), once(entry));
    }

    void rowsHoldWhatBelongsThere() {
        UIStrings strings;
        strings.SetLanguage(LanguageGerman);
        for (int entry = 0; entry < UIStrings::EntryCount; ++entry) {
            const bool preset = entry >= TxtPreset5Min && entry <= TxtPreset6H;
            const bool unused = entry >= 20 && entry <= 25;
            QCOMPARE(strings(entry).isEmpty(), unused);
            QCOMPARE(strings(entry, UIStrings::LangEnglish).isEmpty(), preset || unused);
            QCOMPARE(strings(entry, UIStrings::LangGerman).isEmpty(), preset || unused);
        }
        QCOMPARE(strings(TxtPreset1H30), QStringLiteral("1 h 30 min"));
        QCOMPARE(strings(TxtSponsor).section(QStringLiteral("\r\n"), 0, 0),
                 QStringLiteral("Talvista"));
    }

    void codeOutOfRangeKeepsTheActiveRow() {
        UIStrings strings;
        strings.SetLanguage(LanguageGerman);
        for (int code : {3, -1}) {
            try {
                strings.SetLanguage(code);
                QFAIL("no error raised");
            } catch (const ProgramError& error) {
                QCOMPARE(error.Number(), ProgramError::SubscriptOutOfRange);
            }
        }
        QCOMPARE(strings.GetLanguage(), 2);
        QCOMPARE(strings(TxtMenuFile), QStringLiteral("&Datei"));

        // Code 0 copies the active row onto itself and only adds the presets.
        strings.SetLanguage(0);
        QCOMPARE(strings.GetLanguage(), 0);
        QCOMPARE(strings(TxtMenuFile), QStringLiteral("&Datei"));
        UIStrings fresh;
        fresh.SetLanguage(0);
        QVERIFY(fresh(TxtMenuFile).isEmpty());
        QCOMPARE(fresh(TxtPreset1H), QStringLiteral("1 h"));
    }
};

QTEST_APPLESS_MAIN(UIStringsTest)
#include "UIStringsTest.moc"
