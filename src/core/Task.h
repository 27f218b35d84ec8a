#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

// One row of table `tasks` (a VTODO).
struct Task
{
    QString id;
    QString calendarId;
    QString uid;
    QString etag;
    QString href;
    QString title;
    QString description;
    QString status = QStringLiteral("needs-action"); // "in-process", "completed", "cancelled"
    int priority = 0;                                // 0 none, 1 most urgent .. 9 least urgent
    int percentComplete = 0;
    std::optional<QDateTime> dueDate;
    std::optional<QDateTime> startDate;
    bool dueIsDateOnly = true;
    bool startIsDateOnly = true;
    std::optional<QDateTime> completedDate;
    QStringList categories; // stored as compact JSON array text
    QString parentTaskUid;
    int sortOrder = 0; // 0: not placed by hand
    QString color;
    QString recurrenceRule;
    QString repeatMode = QStringLiteral("fromDueDate"); // or "fromCompletionDate"
    int sequence = 0;
    QString rawIcalendar; // whole calendar when built here, VTODO block alone from a server
    QDateTime created;
    QDateTime lastModified;
    QString syncStatus = QStringLiteral("synced");
    std::optional<QDateTime> deletedAt;

    // The one test of completion used everywhere: "cancelled" counts as open.
    bool isCompleted() const { return status == QLatin1String("completed"); }
};
