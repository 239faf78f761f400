#include "state/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

using namespace velmora;

namespace {

const QString kGeneral = QStringLiteral("General");
const QString kTime = QStringLiteral("Time");
const QString kLanguage = QStringLiteral("Language");

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

constexpr int kWriterSaves = 50;

} // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }

    void saving_over_a_file_data();
    void saving_over_a_file();
    void refused_files_data();
    void refused_files();
    void user_file_path_data();
    void user_file_path();
    void programs_saving_at_once_keep_the_file_whole();

private:
    QString Path(const char* name = "Velmora.ini") const { return dir_->filePath(name); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void SettingsStoreTest::saving_over_a_file_data() {
    QTest::addColumn<QByteArray>("content"); // the file before the store opens it
    QTest::addColumn<QString>("blocked");    // what stands in the way of saving
    QTest::addColumn<QString>("language");   // what can be read of it

    const QByteArray good("[General]\nLanguage=2\n");
    const QByteArray damaged = good + "[Time\nP1h=5\n";
    // clang-format off
    // A damaged file gives what can be read of it; saving over it is no failure.
    QTest::newRow("unterminated section") << damaged << "" << "2";
    QTest::newRow("binary") << QByteArray("\x00\xff\xfe[\x01\x02=\x03\n\x80", 10) << "" << "";
    QTest::newRow("folder is a file")          << good    << "folder is a file" << "";
    QTest::newRow("file is a folder")          << good    << "file is a folder" << "";
    QTest::newRow("read-only folder")          << good    << "read-only folder" << "2";
    QTest::newRow("read-only file")            << good    << "read-only file"   << "2";
    QTest::newRow("unreadable file")           << good    << "unreadable file"  << "";
    QTest::newRow("damaged, read-only folder") << damaged << "read-only folder" << "2";
    // Another program's lock: a save waits for it a little, then fails.
    QTest::newRow("lock is a folder")          << good    << "lock is a folder" << "2";
    QTest::newRow("fresh empty lock")          << good    << "fresh lock"       << "2";
    QTest::newRow("stale lock, read-only folder") << good << "stale lock, read-only folder" << "2";
    // clang-format on
}

void SettingsStoreTest::saving_over_a_file() {
    QFETCH(QByteArray, content);
    QFETCH(QString, blocked);
    QFETCH(QString, language);
    const bool byPermissions = blocked.contains(u"read");
    if (byPermissions && geteuid() == 0)
        QSKIP("file permissions do not bind the super-user");

    const bool saves = blocked.isEmpty(), folderIsAFile = blocked == u"folder is a file";
    const QString path = Path(folderIsAFile ? "Velmora/Velmora.ini" : "Velmora.ini");
    const QString lock = path + ".lock";
    if (blocked == u"file is a folder")
        QVERIFY(QDir().mkdir(path));
    else
        QVERIFY(WriteFile(folderIsAFile ? Path("Velmora") : path, content));
    if (blocked == u"lock is a folder")
        QVERIFY(QDir().mkdir(lock));
    else if (blocked.contains(u"lock")) // an empty one, or a dead program's
        QVERIFY(WriteFile(lock, blocked.startsWith(u"stale") ? "999999999\nvelmora\nhost\n" : ""));
    const auto readOnly = QFile::ReadOwner | QFile::ReadUser;
    if (blocked.endsWith(u"read-only folder"))
        QVERIFY(QFile::setPermissions(dir_->path(), readOnly | QFile::ExeOwner | QFile::ExeUser));
    else if (blocked == u"read-only file")
        QVERIFY(QFile::setPermissions(path, readOnly));
    else if (blocked == u"unreadable file")
        QVERIFY(QFile::setPermissions(path, QFile::WriteOwner | QFile::WriteUser));

    QStringList reports;
    auto store = std::make_unique<SettingsStore>(path);
    store->SetSaveFailureHandler([&reports](const QString& file) { reports << file; });
    QCOMPARE(store->ReadText(kGeneral, kLanguage), language);
    store->WriteText(kTime, QStringLiteral("P1h"), QStringLiteral("2"));
    QCOMPARE(store->Flush(), saves);
    store->WriteText(kTime, QStringLiteral("P1min"), QStringLiteral("30"));
    QCOMPARE(store->Flush(), saves);
    // What could not be saved stays for the rest of the run, and the file as it was.
    QCOMPARE(store->ReadText(kTime, QStringLiteral("P1h")), u"2");
    QFile::setPermissions(dir_->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    if (!saves && QFileInfo(path).isFile())
        QCOMPARE(ReadFile(path), content);

    // With the way clear, the next save writes what the failed ones could not.
    QFile::remove(Path("Velmora"));
    QDir().rmdir(path);
    QDir().rmdir(lock);
    QFile::remove(lock);
    store->WriteText(kTime, QStringLiteral("P1sec"), QStringLiteral("0"));
    QVERIFY(store->Flush());
    // A failure is told once, naming the file; not again, nor when the store closes.
    store.reset();
    QCOMPARE(reports, saves ? QStringList() : QStringList{QFileInfo(path).absoluteFilePath()});
    const SettingsStore reopened(path);
    QCOMPARE(reopened.ReadText(kTime, QStringLiteral("P1h")), u"2");
    QCOMPARE(reopened.ReadText(kTime, QStringLiteral("P1min")), u"30");
    if (saves) // what could be read of a damaged file is kept
        QCOMPARE(reopened.ReadText(kGeneral, kLanguage), language);
}

// A file that is too large or not a regular file is never read nor written;
// the store keeps its values in memory.
void SettingsStoreTest::refused_files_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("refusal");
    QTest::newRow("over 1 MiB") << "large" << int(SettingsStore::Refusal::TooLarge);
    QTest::newRow("exactly 1 MiB") << "1 MiB" << int(SettingsStore::Refusal::None);
    QTest::newRow("FIFO") << "fifo" << int(SettingsStore::Refusal::NotAFile);
    QTest::newRow("no path") << "" << int(SettingsStore::Refusal::NoHome);
}

void SettingsStoreTest::refused_files() {
    QFETCH(QString, kind);
    QFETCH(int, refusal);
    const QString path = kind.isEmpty() ? QString() : Path();
    QByteArray content("[General]\nLanguage=2\n");
    content +=
        QByteArray(SettingsStore::MaximumFileSize - content.size() + (kind == u"large"), '#');
    if (kind == u"fifo")
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (!path.isEmpty())
        QVERIFY(WriteFile(path, content));
    QStringList reports;
    {
        SettingsStore store(path);
        store.SetSaveFailureHandler([&reports](const QString& file) { reports << file; });
        QCOMPARE(int(store.RefusedFile()), refusal);
        QCOMPARE(store.ReadText(kGeneral, kLanguage), refusal ? "" : "2");
        store.WriteText(kGeneral, kLanguage, QStringLiteral("1"));
        QCOMPARE(store.ReadText(kGeneral, kLanguage), u"1");
        QCOMPARE(store.Flush(), !refusal);
        QCOMPARE(store.Flush(), !refusal); // nothing left to save
    }
    QVERIFY(reports.isEmpty()); // a refused file is told once at the start, not per save
    if (refusal && !path.isEmpty())
        QCOMPARE(QFileInfo(path).size(), kind == u"fifo" ? 0 : content.size());
}

void SettingsStoreTest::user_file_path_data() {
    QTest::addColumn<QString>("configHome");
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("path");
    const QString file = QStringLiteral("/Velmora/Velmora.ini");
    QTest::newRow("XDG_CONFIG_HOME") << "/cfg"
                                     << "/home/u"
                                     << "/cfg" + file;
    QTest::newRow("relative XDG_CONFIG_HOME") << "cfg"
                                              << "/home/u"
                                              << "/home/u/.config" + file;
    QTest::newRow("no XDG_CONFIG_HOME") << ""
                                        << "/home/u"
                                        << "/home/u/.config" + file;
    QTest::newRow("no home") << "cfg"
                             << ""
                             << "";
    QTest::newRow("relative home") << ""
                                   << "u"
                                   << "";
}

void SettingsStoreTest::user_file_path() {
    QFETCH(QString, configHome);
    QFETCH(QString, home);
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME"), savedHome = qgetenv("HOME");
    qputenv("XDG_CONFIG_HOME", configHome.toUtf8());
    qputenv("HOME", home.toUtf8());
    const QString path = SettingsStore::UserFilePath();
    qputenv("XDG_CONFIG_HOME", savedConfig);
    qputenv("HOME", savedHome);
    QTEST(path, "path");
}

// Four programs (this binary as a writer) save to one file at the same time:
// every save of each lands, and the file stays a whole settings file.
void SettingsStoreTest::programs_saving_at_once_keep_the_file_whole() {
    QProcess writers[4];
    for (int id = 0; id < 4; ++id)
        writers[id].start(QCoreApplication::applicationFilePath(),
                          {QStringLiteral("--writer"), QString::number(id), Path()});
    for (QProcess& writer : writers) {
        QVERIFY(writer.waitForFinished(60000));
        QCOMPARE(writer.exitCode(), 0);
    }
    const SettingsStore store(Path());
    for (int id = 0; id < 4; ++id)
        QCOMPARE(store.ReadText(QStringLiteral("Writers"), QStringLiteral("Writer%1").arg(id)),
                 QString::number(kWriterSaves - 1));
    QVERIFY(ReadFile(Path()).startsWith("[General]\nLanguage=2\n"));
}

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.value(1) == u"--writer") { // one of the programs saving at once
        SettingsStore store(args.value(3));
        for (int save = 0; save < kWriterSaves; ++save) {
            store.WriteText(QStringLiteral("Writers"), "Writer" + args.value(2),
                            QString::number(save));
            store.WriteText(kGeneral, kLanguage, QStringLiteral("2"));
            if (!store.Flush())
                return 1;
        }
        return 0;
    }
    SettingsStoreTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "SettingsStoreTest.moc"
