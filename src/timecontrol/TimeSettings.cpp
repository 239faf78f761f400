#include "timecontrol/TimeSettings.h"

#include "state/SettingsStore.h"
#include "timecontrol/NumberFromText.h"

#include <QString>

#include <array>
#include <utility>

namespace velmora {

namespace {

const QString kSection = QStringLiteral("Time");

// The keys in the order they are written and read.
std::array<std::pair<const char*, std::int32_t TimeSettings::*>, 8> Fields() {
    return {{
        {"P1h", &TimeSettings::WhiteHours},
        {"P1min", &TimeSettings::WhiteMinutes},
        {"P1sec", &TimeSettings::WhiteSeconds},
        {"P2h", &TimeSettings::BlackHours},
        {"P2min", &TimeSettings::BlackMinutes},
        {"P2sec", &TimeSettings::BlackSeconds},
        {"ContinueRunning", &TimeSettings::ContinueRunning},
        {"GameType", &TimeSettings::GameType},
    }};
}

const QString kBonusMode = QStringLiteral("IncrementMode");
const QString kBonusSeconds = QStringLiteral("IncrementSeconds");

TimeBonus LoadBonus(const SettingsStore& store) {
    const std::int32_t mode = NumberFromText(store.ReadText(kSection, kBonusMode));
    const std::int32_t seconds = NumberFromText(store.ReadText(kSection, kBonusSeconds));
    const TimeBonus bonus{BonusMode(mode), seconds};
    const bool known = mode >= int(BonusMode::None) && mode <= int(BonusMode::Delay);
    return known && bonus.IsOn() ? bonus : TimeBonus{};
}

} // namespace

TimeSettings LoadTimeSettings(const SettingsStore& store) {
    TimeSettings settings;
    for (const auto& [key, field] : Fields())
        settings.*field = NumberFromText(store.ReadText(kSection, QString::fromLatin1(key)));
    settings.Bonus = LoadBonus(store);
    return settings;
}

void SaveTimeSettings(SettingsStore& store, const TimeSettings& settings) {
    for (const auto& [key, field] : Fields())
        store.WriteText(kSection, QString::fromLatin1(key), QString::number(settings.*field));
    // Without a bonus the file holds what it always held.
    if (settings.Bonus.IsOn()) {
        store.WriteText(kSection, kBonusMode, QString::number(int(settings.Bonus.Mode)));
        store.WriteText(kSection, kBonusSeconds, QString::number(settings.Bonus.Seconds));
    } else {
        store.Remove(kSection, kBonusMode);
        store.Remove(kSection, kBonusSeconds);
    }
    store.Flush();
}

} // namespace velmora
