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

} // namespace

TimeSettings LoadTimeSettings(const SettingsStore& store) {
    TimeSettings settings;
    for (const auto& [key, field] : Fields())
        settings.*field = NumberFromText(store.ReadText(kSection, QString::fromLatin1(key)));
    return settings;
}

void SaveTimeSettings(SettingsStore& store, const TimeSettings& settings) {
    for (const auto& [key, field] : Fields())
        store.WriteText(kSection, QString::fromLatin1(key), QString::number(settings.*field));
    store.Flush();
}

} // namespace velmora
