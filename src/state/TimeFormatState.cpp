// The TimeFormat overloads over the state hub: they read its preferences.
#include "TimeFormatState.h"

#include "AppState.h"
#include "PreferencesRepository.h"

namespace TimeFormat {

bool use24Hour(const AppState* state)
{
    if (!state || !state->preferences())
        return false;
    return state->preferences()->getString(QStringLiteral("ui/timeFormat"), QStringLiteral("12")) ==
           QLatin1String("24");
}

QString timePattern(const AppState* state)
{
    return pattern(use24Hour(state));
}

QString formatTime(const AppState* state, const QDateTime& time)
{
    return format(time, timePattern(state));
}

} // namespace TimeFormat
