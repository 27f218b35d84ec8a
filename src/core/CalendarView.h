#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QString>

#include <optional>

// One row of table `calendar_views`: a named group of calendars (a "View").
struct CalendarView
{
    QString id;
    QString name;
    QString color;
    QString calendarIds = QStringLiteral("[]"); // JSON array; empty: every visible calendar
    bool isDefault = false;
    int sortOrder = 0;
    QString syncStatus = QStringLiteral("pending");
    QDateTime createdAt;
    QDateTime updatedAt;
    std::optional<QDateTime> deletedAt;

    // The name to show. The View every store starts with keeps its English name in the row (other
    // devices share the row by its id); while nobody has renamed it, it shows in the user's
    // language.
    QString displayName() const
    {
        if (id == QLatin1String("all-calendars") && name == QLatin1String("All Calendars"))
            return QCoreApplication::translate("ViewArea", "All Calendars");
        return name;
    }
};
