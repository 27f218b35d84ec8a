#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// One row of table `event_templates`: a preset for new events. The column `sync_status` is not
// held here.
struct EventTemplate
{
    QString id;
    QString name;
    QString title;
    QString description;
    QString location;
    QString color;
    bool isAllDay = false;
    int durationMinutes = 60;
    QString recurrenceRule;
    QString calendarId;
    QList<int> reminders; // minutes; the column's default is "[15]"
    int sortOrder = 0;
    QDateTime createdAt;
    QDateTime updatedAt;
    std::optional<QDateTime> deletedAt;
};
