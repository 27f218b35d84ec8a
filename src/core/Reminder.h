#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// One row of table `reminders`, held in Event::reminders.
struct Reminder
{
    QString id;
    QString eventId;
    int minutesBefore = 0;
    QString action = QStringLiteral("display");
    bool acknowledged = false;
    std::optional<QDateTime> triggerTime; // absent: the store writes start minus minutesBefore
};
