#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

// The seven weekdays in ISO order (Monday is 1): their RRULE codes and English abbreviations.
namespace Weekday {

struct Names
{
    const char* code;         // "MO"
    const char* abbreviation; // "Mon"; translatable in the context "RruleFormat"
};

inline constexpr Names names[7] = {
    {"MO", QT_TRANSLATE_NOOP("RruleFormat", "Mon")},
    {"TU", QT_TRANSLATE_NOOP("RruleFormat", "Tue")},
    {"WE", QT_TRANSLATE_NOOP("RruleFormat", "Wed")},
    {"TH", QT_TRANSLATE_NOOP("RruleFormat", "Thu")},
    {"FR", QT_TRANSLATE_NOOP("RruleFormat", "Fri")},
    {"SA", QT_TRANSLATE_NOOP("RruleFormat", "Sat")},
    {"SU", QT_TRANSLATE_NOOP("RruleFormat", "Sun")},
};

// The ISO number of an exact upper-case RRULE code ("MO" .. "SU"); 0 for anything else.
int fromCode(QStringView code);

// The ISO number of an English abbreviation in any case ("mon", "Tue"); 0 for anything else.
int fromAbbreviation(QStringView name);

} // namespace Weekday
