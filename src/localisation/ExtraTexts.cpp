#include "localisation/ExtraTexts.h"

#include "localisation/UIStrings.h"

#include <iterator>

namespace velmora {

namespace {

struct Translation {
    const char16_t* english;
    const char16_t* german;
};

// In the order of Extra.
constexpr Translation kTexts[] = {
    {u"&Pause", u"&Anhalten"},
    {u"&Continue", u"&Fortsetzen"},
    {u"Paused: Ctrl+P continues", u"Angehalten: Strg+P setzt fort"},
    {u"Time bonus", u"Zeitbonus"},
    {u"None", u"Kein"},
    {u"Increment (Fischer)", u"Inkrement (Fischer)"},
    {u"Bronstein delay", u"Bronstein"},
    {u"Delay", u"Verz\u00f6gerung"},
    {u"Seconds", u"Sekunden"},
    {u"+[*] s", u"+[*] s"},
    {u"Bronstein [*] s", u"Bronstein [*] s"},
    {u"Delay [*] s", u"Verz\u00f6gerung [*] s"},
    {u"&View", u"&Ansicht"},
    {u"Full screen", u"Vollbild"},
    {u"Fit to window", u"An Fenster anpassen"},
    {u"Low-time warning", u"Warnung bei wenig Zeit"},
    {u"Seconds (0 = off)", u"Sekunden (0 = aus)"},
    {u"Low time", u"Wenig Zeit"},
    {u"Help", u"Hilfe"},
    {u"White's time, [*]", u"Wei\u00df: [*]"},
    {u"Black's time, [*]", u"Schwarz: [*]"},
    {u"running", u"l\u00e4uft"},
    {u"waiting", u"wartet"},
    {u"White's key: [*]", u"Taste Wei\u00df: [*]"},
    {u"Black's key: [*]", u"Taste Schwarz: [*]"},
    {u"Player [*] key", u"Taste Spieler [*]"},
    {u"White hours", u"Wei\u00df Stunden"},
    {u"White minutes", u"Wei\u00df Minuten"},
    {u"White seconds", u"Wei\u00df Sekunden"},
    {u"Black hours", u"Schwarz Stunden"},
    {u"Black minutes", u"Schwarz Minuten"},
    {u"Black seconds", u"Schwarz Sekunden"},
};
static_assert(std::size(kTexts) == std::size_t(Extra::BlackSeconds) + 1);

} // namespace

QString ExtraText(Extra text, std::int32_t language) {
    const Translation& t = kTexts[int(text)];
    return QString::fromUtf16(language == LanguageGerman ? t.german : t.english);
}

QString ExtraText(Extra text, std::int32_t language, const QString& value) {
    return ExtraText(text, language).replace(QStringLiteral("[*]"), value);
}

} // namespace velmora
