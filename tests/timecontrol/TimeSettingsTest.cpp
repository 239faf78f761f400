#include "timecontrol/TimeSettings.h"
#include "state/SettingsStore.h"
#include "timecontrol/NumberFromText.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace velmora;

namespace {

constexpr std::int32_t kMax = 2147483647, kMin = -2147483647 - 1;

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TimeSettingsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }

    void number_from_text_data();
    void number_from_text();
    void file_after_a_save();
    void hand_edited_values();
    void bonus_values_data();
    void bonus_values();

private:
    QString Path() const { return dir_->filePath(QStringLiteral("Velmora.ini")); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TimeSettingsTest::number_from_text_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    const struct {
        const char* text;
        int expected;
    } rows[] = {
        // clang-format off
        // The number at the start; what cannot continue it ends it.
        {"30", 30}, {"30abc", 30}, {"abc", 0}, {"7x", 7}, {"", 0}, {"-4", -4}, {"-5", -5},
        {"-", 0}, {"5-3", 5}, {"1.2.3", 1}, {"1\r2", 1}, {"4\u0665", 4},
        // Blanks, tabs and line feeds count nowhere.
        {" 7", 7}, {"1 2", 12}, {"1\t2\n3", 123}, {"- 5", -5}, {"1 e 2", 100}, {"& H 1 0", 16},
        // Fractions round to the nearest whole number, halves to the even one.
        {"2.5", 2}, {"3.5", 4}, {".5", 0}, {".6", 1}, {"-2.5", -2},
        // Exponents with E or D.
        {"1e2", 100}, {"1D2", 100}, {"1d2", 100}, {"25e-1", 2}, {"3e", 3}, {".25e1", 2}, {"1e-400", 0},
        // Hexadecimal and octal whole numbers.
        {"&H1F", 31}, {"&hff", 255}, {"&HFFFF", 65535}, {"&H", 0}, {"-&H10", -16},
        {"&O17", 15}, {"&o17", 15}, {"&O78", 7}, {"&B101", 0},
        // Outside the signed 32-bit range gives 0.
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}, {"2147483648", 0},
        {"2147483647.5", 0}, {"2147483646.5", 2147483646}, {"-1e99999999999999999999", 0},
        {"&H80000000", 0}, {"&HFFFFFFFF", 0},
        // clang-format on
    };
    for (const auto& row : rows)
        QTest::addRow("%s", *row.text ? row.text : "empty")
            << QString::fromUtf8(row.text) << row.expected;
    QTest::newRow("very long &H") << "&H" + QString(400, u'F') << 0;
    QTest::newRow("long zeros then digit") << QString(400, u'0') + u'5' << 5;
}

void TimeSettingsTest::number_from_text() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(NumberFromText(text), expected);
}

void TimeSettingsTest::file_after_a_save() {
    // Among what else the program writes: SaveTimeSettings writes the file at
    // once, closing the store writes the rest.
    const TimeSettings times{kMax, kMin, 0, -3, 5, 10, 11, 1, {}};
    const QString general = QStringLiteral("General"), sounds = QStringLiteral("Sounds");
    {
        SettingsStore store(Path());
        store.WriteText(general, QStringLiteral("Language"), QStringLiteral("2"));
        SaveTimeSettings(store, times);
        // [General] holds the top-level keys and comes first.
        QCOMPARE(ReadFile(Path()), QByteArray("[General]\nLanguage=2\n\n[Time]\nContinueRunning=1\n"
                                              "GameType=11\nP1h=2147483647\nP1min=-2147483648\n"
                                              "P1sec=0\nP2h=-3\nP2min=5\nP2sec=10\n"));
        store.WriteText(sounds, QStringLiteral("GameOver"), QStringLiteral("0"));
    }
    const SettingsStore reopened(Path());
    QCOMPARE(LoadTimeSettings(reopened), times);
    QCOMPARE(reopened.ReadText(general, QStringLiteral("Language")), u"2");
    QCOMPARE(reopened.ReadText(sounds, QStringLiteral("GameOver")), u"0");

    // A time bonus is kept beside them while it is on, and goes with it.
    SettingsStore store(Path());
    TimeSettings bonus = times;
    bonus.Bonus = {BonusMode::Delay, 600};
    SaveTimeSettings(store, bonus);
    QVERIFY(ReadFile(Path()).contains("IncrementMode=3\nIncrementSeconds=600\n"));
    QCOMPARE(LoadTimeSettings(SettingsStore(Path())), bonus);
    SaveTimeSettings(store, times);
    QVERIFY(!ReadFile(Path()).contains("Increment"));
}

void TimeSettingsTest::hand_edited_values() {
    // Missing and unreadable keys give 0. An unquoted comma makes QSettings read
    // a list, @ByteArray bytes and @Variant anything: the store still gives text.
    QFile file(Path());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Time]\nP1h=30abc\nP1min=&H10\nP1sec=\"-4\"\nP2h=1, 5\nP2sec=@ByteArray(12)\n"
               "GameType= 7\nContinueRunning=@Variant(\\0\\0\\0\\x7f)\n"
               "IncrementMode=2\nIncrementSeconds=601\n");
    file.close();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^QVariant::load")));
    const SettingsStore store(Path());
    QCOMPARE(LoadTimeSettings(store), (TimeSettings{30, 16, -4, 1, 0, 12, 7, 0, {}}));
}

void TimeSettingsTest::bonus_values_data() {
    QTest::addColumn<QByteArray>("mode");
    QTest::addColumn<QByteArray>("seconds");
    QTest::addColumn<int>("loadedMode"); // none unless mode and seconds are both in range
    QTest::newRow("increment") << QByteArray("1") << QByteArray("2") << 1;
    QTest::newRow("delay, longest") << QByteArray("3") << QByteArray("600") << 3;
    QTest::newRow("mode 4") << QByteArray("4") << QByteArray("5") << 0;
    QTest::newRow("mode -1") << QByteArray("-1") << QByteArray("5") << 0;
    QTest::newRow("no seconds") << QByteArray("1") << QByteArray("0") << 0;
    QTest::newRow("seconds unreadable") << QByteArray("2") << QByteArray("x") << 0;
    QTest::newRow("seconds missing") << QByteArray("2") << QByteArray() << 0;
}

void TimeSettingsTest::bonus_values() {
    QFETCH(QByteArray, mode);
    QFETCH(QByteArray, seconds);
    QFile file(Path());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Time]\nIncrementMode=" + mode +
               (seconds.isNull() ? QByteArray() : "\nIncrementSeconds=" + seconds) + "\n");
    file.close();
    const TimeBonus bonus = LoadTimeSettings(SettingsStore(Path())).Bonus;
    QTEST(int(bonus.Mode), "loadedMode");
    QCOMPARE(bonus.Seconds, bonus.IsOn() ? seconds.toInt() : 0);
}

QTEST_GUILESS_MAIN(TimeSettingsTest)
#include "TimeSettingsTest.moc"
