#include "options/GeneralSettings.h"
#include "clock/ui/UhrAnzeige.h"

#include "UiFakes.h"

#include <QtTest>
#include <QtWidgets>

using namespace velmora;
using velmora::test::TestProgram;
using velmora::test::TestUi;

namespace {

// Language, keys of White and Black, sounds of player change and game over, and
// the active texts' word for the keys.
QString Loaded(const Variables& v) {
    return QString::asprintf("%d %d %d %d %d ", v.Strings.GetLanguage(), v.KeyWhite, v.KeyBlack,
                             int(v.SoundPlayerChange), int(v.SoundGameOver)) +
           v.Text(TxtKeys) + (v.FitToWindow ? " fit" : "") +
           (v.LowTimeWarning ? QStringLiteral(" %1").arg(v.LowTimeWarning) : QString()) +
           (v.SoundLowTime ? " low" : "");
}

// The same values as the file on disk holds them, read without a flush; "-" where missing.
QString Stored(const TestProgram& tp) {
    QFile file(tp.SettingsPath());
    const QString text = file.open(QIODevice::ReadOnly) ? QString(file.readAll()) : QString();
    QStringList values;
    for (const char* key :
         {"Language", "MouseButton1", "MouseButton2", "PlayerChange", "GameOver"}) {
        const auto found = QRegularExpression(QString("(?m)^%1=(.*)$").arg(key)).match(text);
        values << (found.hasMatch() ? found.captured(1) : QStringLiteral("-"));
    }
    return values.join(' ');
}

QByteArray File(const char* language, const char* white, const char* black,
                const char* playerChange, const char* gameOver) {
    return QString::asprintf("[General]\nLanguage=%s\nMouseButton1=%s\nMouseButton2=%s\n"
                             "[Sounds]\nPlayerChange=%s\nGameOver=%s\n[Time]\nP1min=5\nP2min=5\n",
                             language, white, black, playerChange, gameOver)
        .toUtf8();
}

} // namespace

class GeneralSettingsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void load_data();
    void load();
};

void GeneralSettingsTest::load_data() {
    QTest::addColumn<QByteArray>("file"); // empty: the first start
    QTest::addColumn<QString>("button");  // what closes the first start's dialog; empty: the frame
    QTest::addColumn<QString>("loaded");
    QTest::addColumn<QString>("stored"); // after loading
    QTest::addColumn<QString>("atExit"); // after Exit stored the language and keys

    const QByteArray first;
    QTest::newRow("first start, OK") << first << "ButtonOkay"
                                     << "1 32 32 0 0 Keys"
                                     << "1 0 0 0 0"
                                     << "1 32 32 0 0";
    QTest::newRow("first start, Cancel") << first << "ButtonCancel"
                                         << "1 32 32 1 1 Keys"
                                         << "- - - - -"
                                         << "1 32 32 - -";
    QTest::newRow("first start, window closed") << first << ""
                                                << "1 32 32 1 1 Keys"
                                                << "- - - - -"
                                                << "1 32 32 - -";
    // Exit writes back what was understood; the sound switches stay as they were.
    QTest::newRow("2 between blanks") << File("\" 2 \"", "65", "1", "True", "-1") << ""
                                      << "2 65 1 1 1 Tasten"
                                      << ""
                                      << "2 65 1 True -1";
    QTest::newRow("02 is English") << File("02", "abc", "0", "1", "0") << ""
                                   << "1 32 32 1 0 Keys"
                                   << ""
                                   << "1 32 32 1 0";
    // Only blanks are trimmed: a tab (written escaped, as QSettings stores it) or a
    // no-break space is part of the value.
    QTest::newRow("tab before 2") << File("\\t2", "32", "32", "1", "1") << ""
                                  << "1 32 32 1 1 Keys"
                                  << ""
                                  << "1 32 32 1 1";
    QTest::newRow("no-break space before 2") << File("\u00a02", "32", "32", "1", "1") << ""
                                             << "1 32 32 1 1 Keys"
                                             << ""
                                             << "1 32 32 1 1";
    QTest::newRow("a tab alone") << File("\\t", "32", "32", "1", "1") << ""
                                 << "1 32 32 1 1 Keys"
                                 << ""
                                 << "1 32 32 1 1";
    // Options that a file without them leaves off; out of range is off too.
    QTest::newRow("options on") << QByteArray(
                                       "[General]\nLanguage=1\nFitToWindow=1\nLowTimeWarning=3600\n"
                                       "[Sounds]\nLowTime=1\n[Time]\nP1min=5\nP2min=5\n")
                                << ""
                                << "1 32 32 1 1 Keys fit 3600 low"
                                << ""
                                << "1 32 32 - -";
    QTest::newRow("warning too long") << QByteArray("[General]\nLanguage=1\nLowTimeWarning=3601\n"
                                                    "[Time]\nP1min=5\nP2min=5\n")
                                      << ""
                                      << "1 32 32 1 1 Keys"
                                      << ""
                                      << "1 32 32 - -";
    // A sound switch that reads as nothing stays on.
    QTest::newRow("garbage") << File("1", "32", "32", "0", "loud") << ""
                             << "1 32 32 0 1 Keys"
                             << ""
                             << "1 32 32 0 loud";
}

void GeneralSettingsTest::load() {
    QFETCH(QByteArray, file);
    QFETCH(QString, button);
    QFETCH(QString, stored);
    TestUi tp;
    if (!file.isEmpty())
        tp.WriteSettingsFile(file);
    tp.modal.Expect([&](QDialog& dialog) {
        // Nothing but the language is known yet.
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Options"));
        QCOMPARE(dialog.findChild<QComboBox*>()->currentText(), QStringLiteral("English"));
        if (button.isEmpty())
            dialog.close();
        else
            test::ScriptedModalRunner::ClickButton(button)(dialog);
    });
    // Without a stored time the start-up asks for one next.
    tp.modal.Expect(test::ScriptedModalRunner::ClickButton(QStringLiteral("ButtonOkay")));
    UhrAnzeige window(*tp.program, tp.services);
    window.Form_Load();

    QCOMPARE(tp.modal.Shown().size(), std::size_t(file.isEmpty() ? 2 : 0));
    QCOMPARE(tp.modal.LeftOpen(), 0);
    QTEST(Loaded(tp.vars()), "loaded");
    if (!stored.isEmpty())
        QCOMPARE(Stored(tp), stored);
    SaveGeneralSettings(*tp.program);
    QTEST(Stored(tp), "atExit");
}

QTEST_MAIN(GeneralSettingsTest)
#include "GeneralSettingsTest.moc"
