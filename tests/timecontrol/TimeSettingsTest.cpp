#include "timecontrol/TimeSettings.h"
#include "state/SettingsStore.h"
#include "timecontrol/NumberFromText.h"

#include "TestProgram.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace velmora;
using velmora::test::ReadFile;

constexpr std::int32_t kMax = 2147483647, kMin = -2147483647 - 1;

class TimeSettingsTest : public QObject {
    Q_OBJECT

    // A folder of its own for each test and row: QSettings reads a file again
    // only when its size or time changed.
    std::unique_ptr<QTemporaryDir> dir_;
    QString Path() const { return dir_->filePath(QStringLiteral("Velmora.ini")); }
    // The time settings read from a file whose [Time] section holds `values`.
    TimeSettings Loaded(const QByteArray& values) const {
        if (test::WriteFile(Path(), "[Time]\n" + values + "\n").isEmpty())
            qFatal("cannot write %s", qPrintable(Path()));
        return LoadTimeSettings(SettingsStore(Path()));
    }

private Q_SLOTS:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }

    void number_from_text_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        const struct {
            const char* text;
            int expected;
        } rows[] = {
            // clang-format off
            // The number at the start; what cannot continue it ends it.
            {"30", 30}, {"30abc", 30}, {"abc", 0}, {"", 0}, {"-4", -4}, {"-", 0}, {"5-3", 5},
            {"1.2.3", 1}, {"1\r2", 1}, {"4\u0665", 4},
            // Blanks, tabs and line feeds count nowhere.
            {" 7", 7}, {"1\t2\n3", 123}, {"- 5", -5}, {"1 e 2", 100}, {"& H 1 0", 16},
            // Fractions round to the nearest whole number, halves to the even one.
            {"2.5", 2}, {"3.5", 4}, {".5", 0}, {"-2.5", -2},
            // Exponents with E or D.
            {"1e2", 100}, {"1D2", 100}, {"1d2", 100}, {"25e-1", 2}, {"3e", 3}, {".25e1", 2},
            {"1e-400", 0},
            // Hexadecimal and octal whole numbers.
            {"&H1F", 31}, {"&hff", 255}, {"&H", 0}, {"-&H10", -16}, {"&O17", 15}, {"&o17", 15},
            {"&O78", 7}, {"&B101", 0},
            // Outside the signed 32-bit range gives 0.
            {"2147483647", kMax}, {"-2147483648", kMin}, {"2147483648", 0}, {"2147483647.5", 0},
            {"2147483646.5", 2147483646}, {"-1e99999999999999999999", 0}, {"&H80000000", 0},
            // clang-format on
        };
        for (const auto& row : rows)
            QTest::addRow("%s", *row.text ? row.text : "empty")
                << QString::fromUtf8(row.text) << row.expected;
        QTest::newRow("very long &H") << "&H" + QString(400, u'F') << 0;
        QTest::newRow("long zeros then digit") << QString(400, u'0') + u'5' << 5;
    }
    void number_from_text() {
        QFETCH(QString, text);
        QTEST(NumberFromText(text), "expected");
    }

    // Saving the time control writes the file at once; [General] holds the
    // top-level keys and comes first. A time bonus is kept only while it is on.
    void file_after_a_save() {
        SettingsStore store(Path());
        store.WriteText(QStringLiteral("General"), QStringLiteral("Language"), QStringLiteral("2"));
        SaveTimeSettings(store, {1, 2, 3, 4, 5, 6, 0, 0, {BonusMode::Delay, 600}});
        SaveTimeSettings(store, {kMax, kMin, 0, -3, 5, 10, 11, 1, {}});
        QCOMPARE(ReadFile(Path()), "[General]\nLanguage=2\n\n[Time]\nContinueRunning=1\n"
                                   "GameType=11\nP1h=2147483647\nP1min=-2147483648\n"
                                   "P1sec=0\nP2h=-3\nP2min=5\nP2sec=10\n");
    }

    // Missing and unreadable keys give 0. An unquoted comma makes QSettings read
    // a list, @ByteArray bytes and @Variant anything: the store still gives text.
    // A time bonus is read only with a mode of 1..3 and 1..600 seconds.
    void hand_edited_values_data() {
        QTest::addColumn<QByteArray>("values");
        QTest::addColumn<TimeSettings>("loaded");
        const auto bonus = [](const char* values, BonusMode mode, int seconds) {
            QTest::newRow(values) << QByteArray(values)
                                  << TimeSettings{0, 0, 0, 0, 0, 0, 0, 0, {mode, seconds}};
        };
        // clang-format off
        QTest::newRow("texts") << QByteArray("P1h=30abc\nP1min=&H10\nP1sec=\"-4\"\nP2h=1, 5\nP2sec=@ByteArray(12)\nGameType= 7\nContinueRunning=@Variant(\\0\\0\\0\\x7f)") << TimeSettings{30, 16, -4, 1, 0, 12, 7, 0, {}};
        // clang-format on
        bonus("IncrementMode=1\nIncrementSeconds=2", BonusMode::Increment, 2);
        bonus("IncrementMode=3\nIncrementSeconds=600", BonusMode::Delay, 600);
        bonus("IncrementMode=2\nIncrementSeconds=601", BonusMode::None, 0);
        bonus("IncrementMode=4\nIncrementSeconds=5", BonusMode::None, 0);
        bonus("IncrementMode=1\nIncrementSeconds=0", BonusMode::None, 0);
        bonus("IncrementMode=2\nIncrementSeconds=x", BonusMode::None, 0);
    }
    void hand_edited_values() {
        QFETCH(QByteArray, values);
        if (values.contains("@Variant"))
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(QStringLiteral("^QVariant::load")));
        QTEST(Loaded(values), "loaded");
    }
};

QTEST_GUILESS_MAIN(TimeSettingsTest)
#include "TimeSettingsTest.moc"
