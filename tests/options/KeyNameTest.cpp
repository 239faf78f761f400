#include "options/KeyName.h"

#include "localisation/UIStrings.h"

#include <QtTest>

using namespace velmora;

// Spot checks of each range of codes and of the rules that make names: the
// German name for language 2 only (the same as the English where it has none
// of its own), the Windows-1252 character for codes without a name, the
// decimal number outside 0..255.
class KeyNameTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void names_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("german");
        const auto row = [](int code, const char16_t* english, const char16_t* german) {
            QTest::addRow("%d", code)
                << code << QString::fromUtf16(english) << QString::fromUtf16(german);
        };
        row(1, u"Left mouse button", u"Linke Maustaste");
        row(4, u"Middle mouse button", u"Mittlere Maustaste");
        row(17, u"Control", u"Strg");
        row(45, u"Insert", u"Einf\u00fcgen");
        row(47, u"Help", u"Hilfe");
        row(111, u"Numpad - Divide", u"Numpad - Division");
        row(65, u"A", u"A");
        for (int n = 1; n <= 16; ++n) // numbered keys follow their rule
            QTest::addRow("%d", 111 + n)
                << 111 + n << QString("F%1").arg(n) << QString("F%1").arg(n);
        for (int n = 0; n <= 9; ++n)
            QTest::addRow("%d", 96 + n)
                << 96 + n << QString("Numpad - %1").arg(n) << QString("Numpad - %1").arg(n);
        row(128, u"\u20ac", u"\u20ac");
        row(129, u"\u0081", u"\u0081"); // undefined in Windows-1252: the control character
        row(255, u"\u00ff", u"\u00ff");
        row(256, u"256", u"256");
        row(-1, u"-1", u"-1");
        QTest::newRow("0, no key yet") << 0 << QString(QChar(0)) << QString(QChar(0));
    }
    void names() {
        QFETCH(int, code);
        QTEST(KeyName(code, LanguageEnglish), "english");
        QTEST(KeyName(code, LanguageGerman), "german");
        QTEST(KeyName(code, 0), "english"); // a language never set reads English
    }
};

QTEST_GUILESS_MAIN(KeyNameTest)
#include "KeyNameTest.moc"
