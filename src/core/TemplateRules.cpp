#include "TemplateRules.h"

#include <QCoreApplication>

#include <algorithm>

namespace TemplateRules {

const QList<int>& reminderPresets()
{
    static const QList<int> presets = {0, 5, 10, 15, 30, 60, 120, 1440};
    return presets;
}

QString reminderLabel(int minutes)
{
    // Plain locals: the translation tools do not read a division inside the call.
    const int days = minutes / 1440;
    const int hours = minutes / 60;
    if (minutes < 1)
        return QCoreApplication::translate("TemplateEditorDialog", "At time of event");
    if (minutes < 60)
        return QCoreApplication::translate("TemplateEditorDialog", "%n minute(s) before", nullptr,
                                           minutes);
    if (minutes == 60)
        return QCoreApplication::translate("TemplateEditorDialog", "1 hour before");
    if (minutes % 1440 == 0)
        return QCoreApplication::translate("TemplateEditorDialog", "%n day(s) before", nullptr,
                                           days);
    if (minutes % 60 == 0)
        return QCoreApplication::translate("TemplateEditorDialog", "%n hour(s) before", nullptr,
                                           hours);
    return QCoreApplication::translate("TemplateEditorDialog", "%n minute(s) before", nullptr,
                                       minutes);
}

Duration durationParts(int durationMinutes)
{
    const int total = std::max(durationMinutes, 0);
    const int hours = total / 60;
    return {std::min(hours, 24), total - 60 * hours};
}

int savedDuration(int hours, int minutes)
{
    return std::max(hours * 60 + minutes, 15);
}

} // namespace TemplateRules
