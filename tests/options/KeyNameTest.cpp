#include "options/KeyName.h"
#include "options/KeyRules.h"

#include "localisation/UIStrings.h"

#include <QtTest>

#include <map>

using namespace velmora;

namespace {

// The named keys besides Numpad - 0..9 (96..105) and F1..F16 (112..127).
// An empty German name reads as the English one.
const struct {
    int code;
    const char16_t *english, *german;
} kNamed[] = {
    {1, u"Left mouse button", u"Linke Maustaste"},
    {2, u"Right mouse button", u"Rechte Maustaste"},
    {3, u"Cancel", u""},
    {4, u"Middle mouse button", u"Mittlere Maustaste"},
    {8, u"Backspace", u""},
    {9, u"Tab", u""},
    {12, u"Numpad - 5", u""},
    {13, u"Return", u""},
    {16, u"Shift", u""},
    {17, u"Control", u"Strg"},
    {18, u"Alt", u""},
    {19, u"Pause", u""},
    {27, u"Escape", u""},
    {20, u"Capital", u"Caps Lock"},
    {32, u"Space", u"Leertaste"},
    {33, u"Page up", u"Bild auf"},
    {34, u"Page down", u"Bild ab"},
    {35, u"End", u"Ende"},
    {36, u"Home", u"Pos1"},
    {37, u"Arrow left", u"Pfeil links"},
    {38, u"Arrow up", u"Pfeil rauf"},
    {41, u"Select", u""},
    {39, u"Arrow right", u"Pfeil rechts"},
    {40, u"Arrow down", u"Pfeil runter"},
    {42, u"Print", u"Druck"},
    {44, u"Snapshot", u""},
    {45, u"Insert", u"Einf\u00fcgen"},
    {46, u"Delete", u"Entfernen"},
    {47, u"Help", u"Hilfe"},
    {108, u"Numpad - Separator", u""},
    {106, u"Numpad - Multiply", u"Numpad - Multiplikation"},
    {144, u"Num Lock", u""},
    {107, u"Numpad - Add", u"Numpad - Addition"},
    {110, u"Numpad - Decimal", u"Numpad - Dezimal"},
    {109, u"Numpad - Subtract", u"Numpad - Subtraktion"},
    {111, u"Numpad - Divide", u"Numpad - Division"},
};

} // namespace

class KeyNameTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void names_data();
    void names();
};

void KeyNameTest::names_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("german");

    std::map<int, std::pair<QString, QString>> named;
    const auto add = [&](int code, const QString& english, const QString& german) {
        named[code] = {english, german.isEmpty() ? english : german};
    };
    for (const auto& key : kNamed)
        add(key.code, QString::fromUtf16(key.english), QString::fromUtf16(key.german));
    for (int digit = 0; digit <= 9; ++digit)
        add(96 + digit, QStringLiteral("Numpad - %1").arg(digit), {});
    for (int f = 1; f <= 16; ++f)
        add(111 + f, QStringLiteral("F%1").arg(f), {});
    QCOMPARE(named.size(), std::size_t(62));

    // Characters spelled out, and codes only a hand-edited file gives. Code 0
    // (no key loaded yet) is one invisible character, so the box looks empty.
    const std::pair<int, QString> characters[] = {{43, "+"},
                                                  {49, "1"},
                                                  {65, "A"},
                                                  {128, QChar(0x20AC)},
                                                  {145, QChar(0x2018)},
                                                  {255, QChar(0xFF)},
                                                  {0, QChar(0)},
                                                  {256, "256"},
                                                  {-1, "-1"}};
    for (const auto& [code, name] : characters)
        add(code, name, name);

    // Every other code up to 255 is its Windows-1252 character, in both languages.
    QStringDecoder windows1252("windows-1252");
    QVERIFY2(windows1252.isValid(), "this Qt has no Windows-1252 decoder");
    for (int code = 0; code <= 255; ++code) {
        const char byte = char(code);
        const QString character = windows1252.decode(QByteArrayView(&byte, 1));
        named.try_emplace(code, character, character);
    }

    for (const auto& [code, names] : named)
        QTest::addRow("%d", code) << code << names.first << names.second;
}

void KeyNameTest::names() {
    QFETCH(int, code);
    QFETCH(QString, english);
    QFETCH(QString, german);
    QCOMPARE(KeyName(code, LanguageEnglish), english);
    QCOMPARE(KeyName(code, LanguageGerman), german);
    QCOMPARE(KeyName(code, 0), english); // a language never set reads English
    QCOMPARE(IsKeyRefused(code), code == 17 || code == 18 || code == 121);
}

QTEST_GUILESS_MAIN(KeyNameTest)
#include "KeyNameTest.moc"
