#include "Defaults.h"

namespace Defaults {

QString version()
{
    // Set by the build from the project's version, on this one file only.
    return QStringLiteral(CALENDAR_VERSION);
}

} // namespace Defaults
