#pragma once

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
};
