#include "state/SettingsStore.h"

#include "TestProgram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>

using namespace velmora;
using velmora::test::ReadFile, velmora::test::WriteFile;

namespace {

const QString kGeneral = QStringLiteral("General"), kLanguage = QStringLiteral("Language");
const QString kTime = QStringLiteral("Time"), kP1h = QStringLiteral("P1h");

} // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT

    QString Path() const { return dir_->filePath(QStringLiteral("Velmora.ini")); }
    std::unique_ptr<QTemporaryDir> dir_;

private Q_SLOTS:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }

    // What stands in the way of saving, and what the store makes of it.
    void saving_over_a_file_data() {
        QTest::addColumn<QByteArray>("content"); // the file before the store opens it
        QTest::addColumn<QString>("blocked");    // what stands in the way of saving
        QTest::addColumn<QString>("language");   // what can be read of it
        QTest::addColumn<SettingsStore::Refusal>("refusal");
        using R = SettingsStore::Refusal;
        const QByteArray good("[General]\nLanguage=2\n"), damaged = good + "[Time\nP1h=5\n";
        const QByteArray mib = good + QByteArray(SettingsStore::MaximumFileSize - good.size(), '#');
        // clang-format off
        // A damaged file gives what can be read of it; saving over it is no failure.
        QTest::newRow("unterminated section") << damaged << "" << "2" << R::None;
        QTest::newRow("exactly 1 MiB") << mib << "" << "2" << R::None;
        QTest::newRow("file is a folder") << good << "file is a folder" << "" << R::None;
        // Another program's lock: a save waits for it a little, then fails.
        QTest::newRow("lock is a folder") << good << "lock is a folder" << "2" << R::None;
        QTest::newRow("fresh empty lock") << good << "fresh lock" << "2" << R::None;
        // A file too large or not a regular one is never read nor written; the
        // store keeps its values in memory, and the refusal is told once at the start.
        QTest::newRow("over 1 MiB") << mib + '#' << "" << "" << R::TooLarge;
        QTest::newRow("FIFO") << good << "FIFO" << "" << R::NotAFile;
        QTest::newRow("no path") << good << "no path" << "" << R::NoHome;
        // clang-format on
    }
    void saving_over_a_file() {
        QFETCH(QByteArray, content);
        QFETCH(QString, blocked);
        QFETCH(SettingsStore::Refusal, refusal);
        const bool refused = refusal != SettingsStore::Refusal::None;
        const bool saves = blocked.isEmpty() && !refused;
        const QString path = blocked == u"no path" ? QString() : Path(), lock = Path() + ".lock";
        if (blocked == u"file is a folder")
            QVERIFY(QDir().mkdir(path));
        else if (blocked == u"FIFO")
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (!path.isEmpty())
            QVERIFY(!WriteFile(path, content).isEmpty());
        if (blocked == u"lock is a folder")
            QVERIFY(QDir().mkdir(lock));
        else if (blocked == u"fresh lock")
            QVERIFY(!WriteFile(lock, "").isEmpty());

        QStringList reports;
        auto store = std::make_unique<SettingsStore>(path);
        store->SetSaveFailureHandler([&reports](const QString& file) { reports << file; });
        QCOMPARE(store->RefusedFile(), refusal);
        QTEST(store->ReadText(kGeneral, kLanguage), "language");
        store->WriteText(kTime, kP1h, QStringLiteral("2"));
        QCOMPARE(store->Flush(), saves);
        QCOMPARE(store->Flush(), saves);
        // What could not be saved stays for the rest of the run, and the file as it was.
        QCOMPARE(store->ReadText(kTime, kP1h), u"2");
        if (!saves && QFileInfo(path).isFile())
            QCOMPARE(ReadFile(path), content);

        // With the way clear, the next save writes what the failed ones could not.
        QDir().rmdir(path);
        QDir().rmdir(lock);
        QFile::remove(lock);
        QCOMPARE(store->Flush(), !refused);
        // A failure is told once, naming the file; not again, nor when the store closes.
        store.reset();
        const bool told = !saves && !refused;
        QCOMPARE(reports, told ? QStringList{QFileInfo(path).absoluteFilePath()} : QStringList());
        const SettingsStore reopened(path);
        QCOMPARE(reopened.ReadText(kTime, kP1h), refused ? "" : "2");
        if (saves) // what could be read of a damaged file is kept
            QTEST(reopened.ReadText(kGeneral, kLanguage), "language");
    }

    // Relative XDG_CONFIG_HOME and HOME are ignored, as the XDG rules ask.
    void user_file_path() {
        qputenv("XDG_CONFIG_HOME", "cfg");
        qputenv("HOME", "/h");
        QCOMPARE(SettingsStore::UserFilePath(), "/h/.config/Velmora/Velmora.ini");
        qputenv("HOME", "h");
        QCOMPARE(SettingsStore::UserFilePath(), "");
    }
};

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "SettingsStoreTest.moc"
