#include "options/GeneralSettings.h"

#include "TestProgram.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace velmora;
using velmora::test::ScriptedModalRunner;
using velmora::test::TestProgram;

namespace {

// What a run of the program holds after loading the general settings.
struct Loaded {
    int language;
    int keyWhite;
    int keyBlack;
    bool soundPlayerChange;
    bool soundGameOver;
};

Loaded LoadedFrom(const Variables& vars) {
    return {vars.Strings.GetLanguage(), vars.KeyWhite, vars.KeyBlack, vars.SoundPlayerChange,
            vars.SoundGameOver};
}

const QString kMissing = QStringLiteral("<missing>");

QString Stored(const TestProgram& tp, const char* section, const char* key) {
    return tp.ReopenStore()->ReadText(QString::fromLatin1(section), QString::fromLatin1(key),
                                      kMissing);
}

} // namespace

class GeneralSettingsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstStartShowsTheOptionsDialogFirst();
    void firstStartOkWithoutChanges();
    void firstStartCancelled_data();
    void firstStartCancelled();
    void storedValues_data();
    void storedValues();
};

void GeneralSettingsTest::firstStartShowsTheOptionsDialogFirst() {
    TestProgram tp;
    bool checked = false;
    tp.modal.Expect([&](QDialog& dialog) {
        // Nothing but the language is known yet.
        QCOMPARE(dialog.objectName(), QStringLiteral("Options"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Options"));
        QCOMPARE(dialog.findChild<QComboBox*>("SelectionLanguageCombo")->currentText(),
                 QStringLiteral("English"));
        QVERIFY(!dialog.findChild<QCheckBox*>("CheckPlayerChange")->isChecked());
        QVERIFY(!dialog.findChild<QCheckBox*>("CheckGameOver")->isChecked());
        for (const char* box : {"TextKeyPlayer(1)", "TextKeyPlayer(2)"}) {
            const QString shown = dialog.findChild<QLineEdit*>(box)->text();
            QVERIFY2(shown.trimmed().isEmpty() || shown == QString(QChar(0)), qPrintable(shown));
        }
        QVERIFY(dialog.findChild<QPushButton*>("ButtonCancel")->isEnabled());
        checked = true;
        dialog.reject();
    });
    LoadGeneralSettings(*tp.program);
    QVERIFY(checked);
    QCOMPARE(tp.modal.Shown().size(), std::size_t(1));
}

void GeneralSettingsTest::firstStartOkWithoutChanges() {
    TestProgram tp;
    tp.modal.Expect(ScriptedModalRunner::ClickButton(QStringLiteral("ButtonOkay")));
    LoadGeneralSettings(*tp.program);

    QCOMPARE(tp.modal.Unanswered(), 0);
    const Loaded loaded = LoadedFrom(tp.vars());
    QCOMPARE(loaded.language, int(LanguageEnglish));
    QCOMPARE(loaded.keyWhite, 32);
    QCOMPARE(loaded.keyBlack, 32);
    QVERIFY(!loaded.soundPlayerChange);
    QVERIFY(!loaded.soundGameOver);
    QCOMPARE(Stored(tp, "General", "Language"), QStringLiteral("1"));
    QCOMPARE(Stored(tp, "General", "MouseButton1"), QStringLiteral("0"));
    QCOMPARE(Stored(tp, "General", "MouseButton2"), QStringLiteral("0"));
    QCOMPARE(Stored(tp, "Sounds", "PlayerChange"), QStringLiteral("0"));
    QCOMPARE(Stored(tp, "Sounds", "GameOver"), QStringLiteral("0"));
}

void GeneralSettingsTest::firstStartCancelled_data() {
    QTest::addColumn<bool>("byWindowFrame");
    QTest::newRow("Cancel") << false;
    QTest::newRow("window closed") << true;
}

void GeneralSettingsTest::firstStartCancelled() {
    QFETCH(bool, byWindowFrame);
    TestProgram tp;
    tp.modal.Expect(byWindowFrame
                        ? ScriptedModalRunner::CloseWindow()
                        : ScriptedModalRunner::ClickButton(QStringLiteral("ButtonCancel")));
    LoadGeneralSettings(*tp.program);

    const Loaded loaded = LoadedFrom(tp.vars());
    QCOMPARE(loaded.language, int(LanguageEnglish));
    QCOMPARE(loaded.keyWhite, 32);
    QCOMPARE(loaded.keyBlack, 32);
    QVERIFY(loaded.soundPlayerChange);
    QVERIFY(loaded.soundGameOver);
    QCOMPARE(Stored(tp, "General", "Language"), kMissing);

    // What Exit stores: the language and the keys, but no sound switches.
    SaveGeneralSettings(*tp.program);
    QCOMPARE(Stored(tp, "General", "Language"), QStringLiteral("1"));
    QCOMPARE(Stored(tp, "General", "MouseButton1"), QStringLiteral("32"));
    QCOMPARE(Stored(tp, "General", "MouseButton2"), QStringLiteral("32"));
    QCOMPARE(Stored(tp, "Sounds", "PlayerChange"), kMissing);
    QCOMPARE(Stored(tp, "Sounds", "GameOver"), kMissing);
    QVERIFY(!tp.SettingsFileText().contains("Sounds"));
}

void GeneralSettingsTest::storedValues_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("keyWhite");
    QTest::addColumn<int>("keyBlack");
    QTest::addColumn<bool>("playerChange");
    QTest::addColumn<bool>("gameOver");

    const int en = LanguageEnglish;
    const int de = LanguageGerman;
    const auto general = [](const char* language, const char* white, const char* black) {
        return QByteArray("[General]\nLanguage=") + language + "\nMouseButton1=" + white +
               "\nMouseButton2=" + black + "\n";
    };
    const auto sounds = [](const char* playerChange, const char* gameOver) {
        return QByteArray("[Sounds]\nPlayerChange=") + playerChange + "\nGameOver=" + gameOver +
               "\n";
    };

    QTest::newRow("English") << general("1", "32", "32") << en << 32 << 32 << true << true;
    QTest::newRow("German") << general("2", "32", "32") << de << 32 << 32 << true << true;
    QTest::newRow("German between blanks")
        << general("\" 2 \"", "32", "32") << de << 32 << 32 << true << true;
    QTest::newRow("02 is English") << general("02", "32", "32") << en << 32 << 32 << true << true;
    QTest::newRow("2.0 is English") << general("2.0", "32", "32") << en << 32 << 32 << true << true;
    QTest::newRow("a word is English")
        << general("Deutsch", "32", "32") << en << 32 << 32 << true << true;

    QTest::newRow("keys A and left button")
        << general("1", "65", "1") << en << 65 << 1 << true << true;
    QTest::newRow("letters give Space")
        << general("1", "abc", "x1") << en << 32 << 32 << true << true;
    QTest::newRow("zero gives Space") << general("1", "0", "0") << en << 32 << 32 << true << true;
    QTest::newRow("empty gives Space") << general("1", "", "") << en << 32 << 32 << true << true;
    QTest::newRow("leading number")
        << general("1", "65abc", "\"  76 \"") << en << 65 << 76 << true << true;
    QTest::newRow("halves to even")
        << general("1", "65.5", "66.5") << en << 66 << 66 << true << true;
    QTest::newRow("hexadecimal") << general("1", "&H41", "&h4C") << en << 65 << 76 << true << true;
    QTest::newRow("beyond 32 bits gives Space")
        << general("1", "4294967361", "-99999999999") << en << 32 << 32 << true << true;
    QTest::newRow("outside 0..255 kept")
        << general("1", "-5", "1000") << en << -5 << 1000 << true << true;
    QTest::newRow("keys missing") << QByteArray("[General]\nLanguage=1\n") << en << 32 << 32 << true
                                  << true;

    const QByteArray english = general("1", "32", "32");
    QTest::newRow("sounds 0") << english + sounds("0", "0") << en << 32 << 32 << false << false;
    QTest::newRow("sounds 1") << english + sounds("1", "1") << en << 32 << 32 << true << true;
    QTest::newRow("sounds -1 and 0")
        << english + sounds("-1", "0") << en << 32 << 32 << true << false;
    QTest::newRow("sounds True and False")
        << english + sounds("True", "False") << en << 32 << 32 << true << false;
    QTest::newRow("sounds in any case")
        << english + sounds("FALSE", "true") << en << 32 << 32 << false << true;
    QTest::newRow("sounds 0.0 and 2")
        << english + sounds("0.0", "2") << en << 32 << 32 << false << true;
    QTest::newRow("sounds between blanks")
        << english + sounds("\" 0 \"", "\" False \"") << en << 32 << 32 << false << false;
    QTest::newRow("sounds garbage stay on")
        << english + sounds("loud", "0x") << en << 32 << 32 << true << true;
    QTest::newRow("sounds empty stay on")
        << english + sounds("", "") << en << 32 << 32 << true << true;
    QTest::newRow("one sound missing") << english + "[Sounds]\nGameOver=0\n"
                                       << en << 32 << 32 << true << false;
}

void GeneralSettingsTest::storedValues() {
    QFETCH(QByteArray, file);
    TestProgram tp;
    tp.WriteSettingsFile(file);
    LoadGeneralSettings(*tp.program);

    QVERIFY(tp.modal.Shown().empty());
    const Loaded loaded = LoadedFrom(tp.vars());
    QTEST(loaded.language, "language");
    QTEST(loaded.keyWhite, "keyWhite");
    QTEST(loaded.keyBlack, "keyBlack");
    QTEST(loaded.soundPlayerChange, "playerChange");
    QTEST(loaded.soundGameOver, "gameOver");
    // The active texts follow the language.
    QCOMPARE(tp.vars().Text(TxtKeys),
             loaded.language == LanguageGerman ? QStringLiteral("Tasten") : QStringLiteral("Keys"));
}

QTEST_MAIN(GeneralSettingsTest)
#include "GeneralSettingsTest.moc"
