#include "CalendarSort.h"

#include <algorithm>

void sortCalendarsByAccountAndName(QList<Calendar>& calendars,
                                   const QHash<QString, Account>& accountsById)
{
    const auto accountName = [&](const Calendar& calendar) {
        return accountsById.value(calendar.accountId).name;
    };
    std::stable_sort(
        calendars.begin(), calendars.end(), [&](const Calendar& left, const Calendar& right) {
            const int byAccount =
                QString::compare(accountName(left), accountName(right), Qt::CaseInsensitive);
            if (byAccount != 0)
                return byAccount < 0;
            return QString::compare(left.name, right.name, Qt::CaseInsensitive) < 0;
        });
}
