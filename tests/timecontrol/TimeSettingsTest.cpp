#include "timecontrol/TimeSettings.h"
#include "state/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <limits>
#include <memory>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::TimeSettings)

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

} // namespace

class TimeSettingsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();

    void nothing_stored_reads_as_zero();
    void saved_values_read_back_data();
    void saved_values_read_back();
    void written_form_is_plain_decimal();
    void hand_edited_values_data();
    void hand_edited_values();

private:
    QString Path() const { return dir_->filePath(QStringLiteral("Velmora.ini")); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TimeSettingsTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
}

void TimeSettingsTest::nothing_stored_reads_as_zero() {
    const SettingsStore store(Path());
    QCOMPARE(LoadTimeSettings(store), TimeSettings{});
}

void TimeSettingsTest::saved_values_read_back_data() {
    QTest::addColumn<TimeSettings>("settings");
    QTest::newRow("zeros") << TimeSettings{};
    QTest::newRow("1 h 30 min, continue") << TimeSettings{1, 30, 0, 1, 30, 0, 9, 1};
    QTest::newRow("user defined, players differ") << TimeSettings{1, 2, 3, 4, 5, 6, 0, 1};
    QTest::newRow("32-bit limits") << TimeSettings{kMax, kMin, kMax, kMin, kMax, kMin, kMax, kMin};
}

void TimeSettingsTest::saved_values_read_back() {
    QFETCH(TimeSettings, settings);
    {
        SettingsStore store(Path());
        SaveTimeSettings(store, settings);
    }
    // The next start of the program reads them from the file.
    const SettingsStore reopened(Path());
    QCOMPARE(LoadTimeSettings(reopened), settings);
}

void TimeSettingsTest::written_form_is_plain_decimal() {
    SettingsStore store(Path());
    SaveTimeSettings(store, {-3, 30, 0, 2, 5, 10, 11, 1});
    // Saving writes the file at once, without waiting for the store to close.
    const QByteArray text = ReadFile(Path());
    QCOMPARE(text, QByteArray("[Time]\n"
                              "ContinueRunning=1\n"
                              "GameType=11\n"
                              "P1h=-3\n"
                              "P1min=30\n"
                              "P1sec=0\n"
                              "P2h=2\n"
                              "P2min=5\n"
                              "P2sec=10\n"));
}

void TimeSettingsTest::hand_edited_values_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<TimeSettings>("expected");

    QTest::newRow("some keys missing")
        << QByteArray("[Time]\nP1min=5\nGameType=1\n") << TimeSettings{0, 5, 0, 0, 0, 0, 1, 0};
    QTest::newRow("leading numbers")
        << QByteArray("[Time]\nP1h=30abc\nP1min= 7\nP1sec=abc\nP2h=2.5\nP2min=3.5\nP2sec=1e2\n")
        << TimeSettings{30, 7, 0, 2, 4, 100, 0, 0};
    QTest::newRow("hex, octal, quoted")
        << QByteArray("[Time]\nP1h=&H10\nP1min=&O10\nP1sec=\"-4\"\n")
        << TimeSettings{16, 8, -4, 0, 0, 0, 0, 0};
    QTest::newRow("unquoted comma")
        << QByteArray("[Time]\nP1h=1,5\n") << TimeSettings{1, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("outside 32 bits counts as missing")
        << QByteArray("[Time]\nP1h=99999999999\nP1min=-2147483649\nGameType=&HFFFFFFFF\n")
        << TimeSettings{};
}

void TimeSettingsTest::hand_edited_values() {
    QFETCH(QByteArray, file);
    QFETCH(TimeSettings, expected);
    WriteFile(Path(), file);
    const SettingsStore store(Path());
    QCOMPARE(LoadTimeSettings(store), expected);
}

QTEST_GUILESS_MAIN(TimeSettingsTest)
#include "TimeSettingsTest.moc"
