#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// One row of table `filter_rules`: a rule that hides or dims matching events.
struct FilterRule
{
    QString id;
    QString name;
    QString type;
    bool enabled = true;
    QString calendarIds = QStringLiteral("[]"); // JSON array; empty: all calendars
    QString conditions;                         // JSON object text
    QString action = QStringLiteral("hide");    // "hide" or "dim"
    int priority = 100;                         // lower first
    QString eventUid;
    QString eventCalendarId;
    bool suppressReminders = false;
    QString syncStatus = QStringLiteral("pending");
    QDateTime createdAt;
    QDateTime updatedAt;
    std::optional<QDateTime> deletedAt;
};
