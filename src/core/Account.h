#pragma once

#include "Defaults.h"

#include <QDateTime>
#include <QString>

#include <optional>

// One row of table `accounts`: a source of calendars. The column `sort_order` is not held here;
// the repository orders by it in SQL.
struct Account
{
    QString id;
    QString name;
    QString type; // "caldav", "icloud", "zoho", "google", "microsoft", "webcal", "orvandellic"
    QString serverUrl;
    QString username;
    QString calendarHomeSet;
    QString principalUrl;
    int syncIntervalMinutes = 15; // below 1: no automatic sync
    std::optional<QDateTime> lastSyncTime;
    QString lastSyncError;
    bool enabled = true;
    QString color = Defaults::itemColour;
    bool excludeFromSync = false;
    QString trustedCertSha256;
    QString pendingCertSha256;
    QDateTime createdAt;
    QDateTime updatedAt;
    std::optional<QDateTime> deletedAt;
};
