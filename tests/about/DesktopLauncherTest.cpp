#include "about/DesktopLauncher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;

namespace {

// Creates `name` in `dir`: "x" an executable file, "-" a plain file, "d" a folder.
void Place(const QDir& dir, const QString& name, const QString& kind) {
    if (kind == QStringLiteral("d")) {
        QVERIFY(dir.mkpath(name));
        return;
    }
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\ntouch \"$0.ran\"\n");
    file.close();
    QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
    if (kind == QStringLiteral("x"))
        permissions |= QFile::ExeOwner;
    QVERIFY(file.setPermissions(permissions));
}

// Points PATH at the given folders for the lifetime of the object.
class PathOverride {
public:
    explicit PathOverride(const QStringList& folders) : saved_(qgetenv("PATH")) {
        qputenv("PATH", folders.join(u':').toLocal8Bit());
    }
    ~PathOverride() { qputenv("PATH", saved_); }

private:
    QByteArray saved_;
};

} // namespace

class DesktopLauncherTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void findsTheFirstProgramOnThePath_data();
    void findsTheFirstProgramOnThePath();
    void startsAProgramDetached();
    void reportsAProgramThatCannotStart();
};

void DesktopLauncherTest::findsTheFirstProgramOnThePath_data() {
    // Two PATH folders; each entry "folder/name:kind" (kinds as in Place).
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("found"); // "folder/name", empty for none

    QTest::newRow("first name wins over a later one")
        << QStringList{"b/kinfocenter:x", "a/hardinfo:x"} << "b/kinfocenter";
    QTest::newRow("missing names are passed over") << QStringList{"b/hardinfo:x"} << "b/hardinfo";
    QTest::newRow("earlier PATH folder wins")
        << QStringList{"a/hardinfo:x", "b/hardinfo:x"} << "a/hardinfo";
    QTest::newRow("a file that may not run is no program")
        << QStringList{"a/kinfocenter:-", "b/hardinfo:x"} << "b/hardinfo";
    QTest::newRow("a folder is no program")
        << QStringList{"a/kinfocenter:d", "b/hardinfo:x"} << "b/hardinfo";
    QTest::newRow("nothing found") << QStringList{"a/kinfocenter:-", "b/other:x"} << QString();
    QTest::newRow("empty PATH folders") << QStringList{} << QString();
}

void DesktopLauncherTest::findsTheFirstProgramOnThePath() {
    QFETCH(QStringList, files);
    QFETCH(QString, found);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    QDir dir(root.path());
    QVERIFY(dir.mkpath(QStringLiteral("a")) && dir.mkpath(QStringLiteral("b")));
    for (const QString& file : files) {
        const QStringList parts = file.split(u':');
        Place(dir, parts[0], parts[1]);
    }

    PathOverride path({dir.filePath(QStringLiteral("a")), dir.filePath(QStringLiteral("b"))});
    SystemDesktopLauncher launcher;
    const QString result =
        launcher.FindProgram({QStringLiteral("kinfocenter"), QStringLiteral("gnome-system-monitor"),
                              QStringLiteral("hardinfo")});

    QCOMPARE(result, found.isEmpty() ? QString() : dir.filePath(found));
}

void DesktopLauncherTest::startsAProgramDetached() {
    QTemporaryDir root;
    QDir dir(root.path());
    Place(dir, QStringLiteral("tool"), QStringLiteral("x"));

    SystemDesktopLauncher launcher;
    QVERIFY(launcher.StartDetached(dir.filePath(QStringLiteral("tool"))));
    QTRY_VERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("tool.ran"))));
}

void DesktopLauncherTest::reportsAProgramThatCannotStart() {
    QTemporaryDir root;
    QDir dir(root.path());
    Place(dir, QStringLiteral("plain"), QStringLiteral("-"));

    SystemDesktopLauncher launcher;
    QVERIFY(!launcher.StartDetached(dir.filePath(QStringLiteral("missing"))));
    QVERIFY(!launcher.StartDetached(dir.filePath(QStringLiteral("plain"))));
}

QTEST_GUILESS_MAIN(DesktopLauncherTest)
#include "DesktopLauncherTest.moc"
