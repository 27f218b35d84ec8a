#pragma once

#include "Defaults.h"

#include <QDateTime>
#include <QString>

// One row of table `calendars`. Calendars are deleted at once, so there is no soft-delete field.
struct Calendar
{
    QString id;
    QString accountId;
    QString url; // collection URL, feed URL or "local://calendar/..." for a calendar on this device
    QString name;
    QString description;
    QString color = Defaults::itemColour;
    QString timezone = QStringLiteral("UTC");
    bool isVisible = true;
    bool isReadOnly = false;
    bool isDefault = false;
    QString ctag;
    QString syncToken;
    QString deltaSyncToken;
    QString supportedComponents = QStringLiteral("[\"VEVENT\"]"); // JSON array text
    int sortOrder = 0;
    QString canonicalKey;
    bool syncEnabled = false;
    bool isShared = false;
    bool sharedWithMe = false;
    QString lastSyncError;
    QDateTime createdAt;
    QDateTime updatedAt;
};
