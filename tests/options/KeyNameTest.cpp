#include "options/KeyName.h"
#include "options/KeyRules.h"

#include "localisation/UIStrings.h"

#include <QStringDecoder>
#include <QTest>

#include <climits>
#include <set>

using namespace velmora;

namespace {

struct Named {
    std::int32_t code;
    const char16_t* english;
    const char16_t* german;
};

// The names a player sees, written out once more from the key list.
const Named kNamed[] = {
    {1, u"Left mouse button", u"Linke Maustaste"},
    {2, u"Right mouse button", u"Rechte Maustaste"},
    {3, u"Cancel", u"Cancel"},
    {4, u"Middle mouse button", u"Mittlere Maustaste"},
    {8, u"Backspace", u"Backspace"},
    {9, u"Tab", u"Tab"},
    {12, u"Numpad - 5", u"Numpad - 5"},
    {13, u"Return", u"Return"},
    {16, u"Shift", u"Shift"},
    {17, u"Control", u"Strg"},
    {18, u"Alt", u"Alt"},
    {19, u"Pause", u"Pause"},
    {20, u"Capital", u"Caps Lock"},
    {27, u"Escape", u"Escape"},
    {32, u"Space", u"Leertaste"},
    {33, u"Page up", u"Bild auf"},
    {34, u"Page down", u"Bild ab"},
    {35, u"End", u"Ende"},
    {36, u"Home", u"Pos1"},
    {37, u"Arrow left", u"Pfeil links"},
    {38, u"Arrow up", u"Pfeil rauf"},
    {39, u"Arrow right", u"Pfeil rechts"},
    {40, u"Arrow down", u"Pfeil runter"},
    {41, u"Select", u"Select"},
    {42, u"Print", u"Druck"},
    {44, u"Snapshot", u"Snapshot"},
    {45, u"Insert", u"Einf\u00fcgen"},
    {46, u"Delete", u"Entfernen"},
    {47, u"Help", u"Hilfe"},
    {96, u"Numpad - 0", u"Numpad - 0"},
    {97, u"Numpad - 1", u"Numpad - 1"},
    {98, u"Numpad - 2", u"Numpad - 2"},
    {99, u"Numpad - 3", u"Numpad - 3"},
    {100, u"Numpad - 4", u"Numpad - 4"},
    {101, u"Numpad - 5", u"Numpad - 5"},
    {102, u"Numpad - 6", u"Numpad - 6"},
    {103, u"Numpad - 7", u"Numpad - 7"},
    {104, u"Numpad - 8", u"Numpad - 8"},
    {105, u"Numpad - 9", u"Numpad - 9"},
    {106, u"Numpad - Multiply", u"Numpad - Multiplikation"},
    {107, u"Numpad - Add", u"Numpad - Addition"},
    {108, u"Numpad - Separator", u"Numpad - Separator"},
    {109, u"Numpad - Subtract", u"Numpad - Subtraktion"},
    {110, u"Numpad - Decimal", u"Numpad - Dezimal"},
    {111, u"Numpad - Divide", u"Numpad - Division"},
    {112, u"F1", u"F1"},
    {113, u"F2", u"F2"},
    {114, u"F3", u"F3"},
    {115, u"F4", u"F4"},
    {116, u"F5", u"F5"},
    {117, u"F6", u"F6"},
    {118, u"F7", u"F7"},
    {119, u"F8", u"F8"},
    {120, u"F9", u"F9"},
    {121, u"F10", u"F10"},
    {122, u"F11", u"F11"},
    {123, u"F12", u"F12"},
    {124, u"F13", u"F13"},
    {125, u"F14", u"F14"},
    {126, u"F15", u"F15"},
    {127, u"F16", u"F16"},
    {144, u"Num Lock", u"Num Lock"},
};

} // namespace

class KeyNameTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void namedKeys_data();
    void namedKeys();
    void otherCodesAreTheirWindows1252Character();
    void characterCodes_data();
    void characterCodes();
    void refusedKeys_data();
    void refusedKeys();
};

void KeyNameTest::namedKeys_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("german");
    QCOMPARE(std::size(kNamed), std::size_t(62));
    for (const Named& key : kNamed) {
        QTest::addRow("%d", key.code)
            << key.code << QString::fromUtf16(key.english) << QString::fromUtf16(key.german);
    }
}

void KeyNameTest::namedKeys() {
    QFETCH(int, code);
    QFETCH(QString, english);
    QFETCH(QString, german);
    QCOMPARE(KeyName(code, LanguageEnglish), english);
    QCOMPARE(KeyName(code, LanguageGerman), german);
    // Only 2 is German: a language never set (0) or unknown reads English.
    QCOMPARE(KeyName(code, 0), english);
    QCOMPARE(KeyName(code, 3), english);
}

void KeyNameTest::otherCodesAreTheirWindows1252Character() {
    QStringDecoder windows1252("windows-1252");
    if (!windows1252.isValid())
        QSKIP("this Qt has no Windows-1252 decoder to compare with");
    std::set<std::int32_t> named;
    for (const Named& key : kNamed)
        named.insert(key.code);
    for (int code = 0; code <= 255; ++code) {
        if (named.count(code))
            continue;
        const char byte = char(code);
        const QString expected = windows1252.decode(QByteArrayView(&byte, 1));
        QCOMPARE(expected.size(), 1);
        QCOMPARE(KeyName(code, LanguageEnglish), expected);
        QCOMPARE(KeyName(code, LanguageGerman), expected);
    }
}

void KeyNameTest::characterCodes_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("plus") << 43 << QStringLiteral("+");
    QTest::newRow("digit one") << 49 << QStringLiteral("1");
    QTest::newRow("letter A") << 65 << QStringLiteral("A");
    QTest::newRow("letter Z") << 90 << QStringLiteral("Z");
    QTest::newRow("euro sign") << 128 << QString(QChar(0x20AC));
    QTest::newRow("undefined byte 129") << 129 << QString(QChar(0x81));
    QTest::newRow("left single quote") << 145 << QString(QChar(0x2018));
    QTest::newRow("undefined byte 157") << 157 << QString(QChar(0x9D));
    QTest::newRow("y diaeresis") << 255 << QString(QChar(0xFF));
    // No key loaded yet: one invisible character, so the box looks empty.
    QTest::newRow("zero") << 0 << QString(QChar(0));
    QTest::newRow("bell") << 7 << QString(QChar(7));
    // Only a hand-edited store gives these.
    QTest::newRow("256") << 256 << QStringLiteral("256");
    QTest::newRow("-1") << -1 << QStringLiteral("-1");
    QTest::newRow("lowest") << INT_MIN << QStringLiteral("-2147483648");
    QTest::newRow("highest") << INT_MAX << QStringLiteral("2147483647");
}

void KeyNameTest::characterCodes() {
    QFETCH(int, code);
    QFETCH(QString, name);
    QCOMPARE(KeyName(code, LanguageEnglish), name);
    QCOMPARE(KeyName(code, LanguageGerman), name);
    QCOMPARE(KeyName(code, 0), name);
}

void KeyNameTest::refusedKeys_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("refused");
    QTest::newRow("Control") << 17 << true;
    QTest::newRow("Alt") << 18 << true;
    QTest::newRow("F10") << 121 << true;
    QTest::newRow("Shift") << 16 << false;
    QTest::newRow("F9") << 120 << false;
    QTest::newRow("F11") << 122 << false;
    QTest::newRow("Space") << 32 << false;
    QTest::newRow("left mouse button") << 1 << false;
    QTest::newRow("right mouse button") << 2 << false;
    QTest::newRow("middle mouse button") << 4 << false;
    QTest::newRow("Control plus 256") << 17 + 256 << false;
}

void KeyNameTest::refusedKeys() {
    QFETCH(int, code);
    QFETCH(bool, refused);
    QCOMPARE(IsKeyRefused(code), refused);
}

QTEST_GUILESS_MAIN(KeyNameTest)
#include "KeyNameTest.moc"
