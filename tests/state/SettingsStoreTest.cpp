#include "state/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <unistd.h>

using namespace velmora;

namespace {

const QString kGeneral = QStringLiteral("General");
const QString kTime = QStringLiteral("Time");

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(content) == content.size();
}

// A store that records each report of a failed save.
struct WatchedStore {
    explicit WatchedStore(const QString& path) : store(std::make_unique<SettingsStore>(path)) {
        store->SetSaveFailureHandler([this](const QString& file) { reports.append(file); });
    }
    std::unique_ptr<SettingsStore> store;
    QStringList reports;
};

constexpr int kWriterSaves = 50;

// One of several programs saving to the same file at once.
int RunWriter(int id, const QString& path) {
    SettingsStore store(path);
    for (int save = 0; save < kWriterSaves; ++save) {
        store.WriteText(QStringLiteral("Writers"), QStringLiteral("Writer%1").arg(id), QString::number(save));
        store.WriteText(kGeneral, QStringLiteral("Language"), QStringLiteral("2"));
        if (!store.Flush())
            return 1;
    }
    return 0;
}

} // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();

    void written_values_read_back_data();
    void written_values_read_back();
    void file_text_after_a_save();
    void closing_the_store_saves();
    void save_creates_the_folder();
    void hand_edited_values_data();
    void hand_edited_values();

    void damaged_file_data();
    void damaged_file();
    void unusable_file_data();
    void unusable_file();
    void failed_save_is_kept_for_the_next();
    void programs_saving_at_once_keep_the_file_whole();

private:
    QString Path() const { return dir_->filePath(QStringLiteral("Velmora.ini")); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void SettingsStoreTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void SettingsStoreTest::written_values_read_back_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    // What the program writes.
    QTest::newRow("language") << "General"
                              << "Language"
                              << "2";
    QTest::newRow("Black's mouse button") << "General"
                                          << "MouseButton2"
                                          << "4";
    QTest::newRow("negative minutes") << "Time"
                                      << "P2min"
                                      << "-9";
    QTest::newRow("largest") << "Time"
                             << "P1sec"
                             << "2147483647";
    // Texts the INI format has to escape.
    QTest::newRow("comma") << "Time"
                           << "P1h"
                           << "1,5";
    QTest::newRow("comment characters") << "Time"
                                        << "P1h"
                                        << ";#=[x]";
    QTest::newRow("umlaut") << "General"
                            << "Name" << QString::fromUtf16(u"Wei\u00df");
}

void SettingsStoreTest::written_values_read_back() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    {
        SettingsStore store(Path());
        store.WriteText(section, key, value);
        QCOMPARE(store.ReadText(section, key, QStringLiteral("default")), value);
        QVERIFY(store.Flush());
    }
    const SettingsStore reopened(Path());
    QCOMPARE(reopened.ReadText(section, key, QStringLiteral("default")), value);
}

void SettingsStoreTest::file_text_after_a_save() {
    SettingsStore store(Path());
    store.WriteText(kGeneral, QStringLiteral("Language"), QStringLiteral("1"));
    store.WriteText(QStringLiteral("Sounds"), QStringLiteral("GameOver"), QStringLiteral("0"));
    store.WriteText(kTime, QStringLiteral("P1min"), QStringLiteral("-5"));
    QVERIFY(store.Flush());
    QCOMPARE(ReadFile(Path()), QByteArray("[General]\n"
                                          "Language=1\n"
                                          "\n"
                                          "[Sounds]\n"
                                          "GameOver=0\n"
                                          "\n"
                                          "[Time]\n"
                                          "P1min=-5\n"));
}

void SettingsStoreTest::closing_the_store_saves() {
    {
        SettingsStore store(Path());
        store.WriteText(kTime, QStringLiteral("P1h"), QStringLiteral("4"));
    }
    QCOMPARE(ReadFile(Path()), QByteArray("[Time]\nP1h=4\n"));
}

void SettingsStoreTest::save_creates_the_folder() {
    const QString path = dir_->filePath(QStringLiteral("new/Velmora/Velmora.ini"));
    SettingsStore store(path);
    store.WriteText(kTime, QStringLiteral("P1h"), QStringLiteral("1"));
    QVERIFY(store.Flush());
    QCOMPARE(ReadFile(path), QByteArray("[Time]\nP1h=1\n"));
}

void SettingsStoreTest::hand_edited_values_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("expected");

    QTest::newRow("blanks around") << QByteArray("[Time]\nP1h =  5  \n") << "5";
    QTest::newRow("quoted") << QByteArray("[Time]\nP1h=\" 5\"\n") << " 5";
    QTest::newRow("unquoted comma") << QByteArray("[Time]\nP1h=1, 5\n") << "1,5";
    QTest::newRow("byte array") << QByteArray("[Time]\nP1h=@ByteArray(12)\n") << "12";
    QTest::newRow("broken variant")
        << QByteArray("[Time]\nP1h=@Variant(\\0\\0\\0\\x7f)\n") << "default";
    QTest::newRow("Windows line ends") << QByteArray("[Time]\r\nP1h=6\r\n") << "6";
    QTest::newRow("unterminated section") << QByteArray("[Time\nP1h=5\n") << "5";
    QTest::newRow("binary") << QByteArray("\x00\xff\xfe[\x01\x02=\x03\n\x80", 10) << "default";
}

void SettingsStoreTest::hand_edited_values() {
    QFETCH(QByteArray, file);
    QFETCH(QString, expected);
    if (QByteArray(QTest::currentDataTag()) == "broken variant")
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^QVariant::load")));
    QVERIFY(WriteFile(Path(), file));
    const SettingsStore store(Path());
    QCOMPARE(store.ReadText(kTime, QStringLiteral("P1h"), QStringLiteral("default")), expected);
}

void SettingsStoreTest::damaged_file_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("languageKept");

    QTest::newRow("unterminated section")
        << QByteArray("[General]\nLanguage=2\n[Time\nP1h=5\n") << "2";
    QTest::newRow("binary") << QByteArray("\x00\xff\xfe[\x01\x02=\x03\n\x80", 10) << "";
}

void SettingsStoreTest::damaged_file() {
    // A damaged file gives what can be read of it, and saving over it works and
    // is not taken for a failure: the file comes out whole again.
    QFETCH(QByteArray, file);
    QFETCH(QString, languageKept);
    QVERIFY(WriteFile(Path(), file));
    {
        WatchedStore watched(Path());
        SettingsStore& store = *watched.store;
        QCOMPARE(store.ReadText(kGeneral, QStringLiteral("Language")), languageKept);
        store.WriteText(kTime, QStringLiteral("GameType"), QStringLiteral("3"));
        QVERIFY(store.Flush());
        store.WriteText(kTime, QStringLiteral("P2h"), QStringLiteral("1"));
        QVERIFY(store.Flush());
        QCOMPARE(watched.reports, QStringList());
    }
    const SettingsStore reopened(Path());
    QCOMPARE(reopened.ReadText(kGeneral, QStringLiteral("Language")), languageKept);
    QCOMPARE(reopened.ReadText(kTime, QStringLiteral("GameType")), u"3");
    QCOMPARE(reopened.ReadText(kTime, QStringLiteral("P2h")), u"1");
}

void SettingsStoreTest::unusable_file_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("needsPermissions"); // the super-user writes anywhere

    QTest::newRow("folder is a file") << "folder is a file" << false;
    QTest::newRow("file is a folder") << "file is a folder" << false;
    QTest::newRow("read-only folder") << "read-only folder" << true;
    QTest::newRow("read-only file") << "read-only file" << true;
    QTest::newRow("unreadable file") << "unreadable file" << true;
    QTest::newRow("damaged file, read-only folder") << "damaged file, read-only folder" << true;
}

void SettingsStoreTest::unusable_file() {
    QFETCH(QString, how);
    QFETCH(bool, needsPermissions);
    if (needsPermissions && geteuid() == 0)
        QSKIP("file permissions do not bind the super-user");

    QByteArray original("[General]\nLanguage=2\n");
    if (how.startsWith(u"damaged"))
        original += "[Time\nP1h=5\n";
    QString path = Path();
    if (how == u"folder is a file") {
        QVERIFY(WriteFile(dir_->filePath(QStringLiteral("Velmora")), "not a folder"));
        path = dir_->filePath(QStringLiteral("Velmora/Velmora.ini"));
    } else if (how == u"file is a folder") {
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("Velmora.ini")));
    } else {
        QVERIFY(WriteFile(path, original));
        const auto readOnly = QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup;
        if (how.endsWith(u"read-only folder"))
            QVERIFY(
                QFile::setPermissions(dir_->path(), readOnly | QFile::ExeOwner | QFile::ExeUser));
        else if (how == u"read-only file")
            QVERIFY(QFile::setPermissions(path, readOnly));
        else
            QVERIFY(QFile::setPermissions(path, QFile::WriteOwner | QFile::WriteUser));
    }

    {
        WatchedStore watched(path);
        SettingsStore& store = *watched.store;
        // Reading never fails: what cannot be read is missing.
        const QString language = store.ReadText(kGeneral, QStringLiteral("Language"), "1");
        QVERIFY(language == u"1" || language == u"2");

        store.WriteText(kTime, QStringLiteral("P1h"), QStringLiteral("2"));
        QVERIFY(!store.Flush());
        store.WriteText(kTime, QStringLiteral("P1min"), QStringLiteral("30"));
        QVERIFY(!store.Flush());

        // Told once, naming the file; the values stay for the rest of the run.
        QCOMPARE(watched.reports, QStringList{QFileInfo(path).absoluteFilePath()});
        QCOMPARE(store.ReadText(kTime, QStringLiteral("P1h")), u"2");
        QCOMPARE(store.ReadText(kTime, QStringLiteral("P1min")), u"30");
        QCOMPARE(watched.reports.size(), 1); // closing the store tries once more, silently
        watched.store.reset();
        QCOMPARE(watched.reports.size(), 1);
    }

    // Whatever was in the file is still there.
    QFile::setPermissions(dir_->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    if (QFileInfo(path).isFile())
        QCOMPARE(ReadFile(path), original);
}

void SettingsStoreTest::failed_save_is_kept_for_the_next() {
    // A folder that is in the way at first and gone later: the next save
    // writes everything the failed one could not.
    const QString blocker = dir_->filePath(QStringLiteral("Velmora"));
    QVERIFY(WriteFile(blocker, "in the way"));
    const QString path = dir_->filePath(QStringLiteral("Velmora/Velmora.ini"));

    WatchedStore watched(path);
    SettingsStore& store = *watched.store;
    store.WriteText(kTime, QStringLiteral("P1h"), QStringLiteral("2"));
    QVERIFY(!store.Flush());

    QVERIFY(QFile::remove(blocker));
    store.WriteText(kTime, QStringLiteral("P1min"), QStringLiteral("30"));
    QVERIFY(store.Flush());
    QCOMPARE(ReadFile(path), QByteArray("[Time]\nP1h=2\nP1min=30\n"));
    QCOMPARE(watched.reports.size(), 1);
}

// Four programs (this binary as a writer) save to one file at the same time:
// every save of each lands, and the file stays a whole settings file.
void SettingsStoreTest::programs_saving_at_once_keep_the_file_whole() {
    constexpr int kWriters = 4;
    std::vector<std::unique_ptr<QProcess>> writers;
    for (int id = 0; id < kWriters; ++id) {
        auto writer = std::make_unique<QProcess>();
        writer->start(QCoreApplication::applicationFilePath(),
                      {QStringLiteral("--writer"), QString::number(id), Path()});
        writers.push_back(std::move(writer));
    }
    for (auto& writer : writers) {
        QVERIFY(writer->waitForFinished(60000));
        QCOMPARE(writer->exitCode(), 0);
    }
    SettingsStore store(Path());
    for (int id = 0; id < kWriters; ++id)
        QCOMPARE(store.ReadText(QStringLiteral("Writers"), QStringLiteral("Writer%1").arg(id)),
                 QStringLiteral("%1").arg(kWriterSaves - 1));
    QCOMPARE(store.ReadText(kGeneral, QStringLiteral("Language")), QStringLiteral("2"));
    QVERIFY(ReadFile(Path()).startsWith("[General]\nLanguage=2\n"));
}

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.value(1) == u"--writer")
        return RunWriter(args.value(2).toInt(), args.value(3));
    SettingsStoreTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "SettingsStoreTest.moc"
