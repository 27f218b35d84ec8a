#include "Weekday.h"

namespace Weekday {

int fromCode(QStringView code)
{
    for (int i = 0; i < 7; ++i) {
        if (code == QLatin1String(names[i].code))
            return i + 1;
    }
    return 0;
}

int fromAbbreviation(QStringView name)
{
    for (int i = 0; i < 7; ++i) {
        if (name.compare(QLatin1String(names[i].abbreviation), Qt::CaseInsensitive) == 0)
            return i + 1;
    }
    return 0;
}

} // namespace Weekday
