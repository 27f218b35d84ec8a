#pragma once

#include <QString>
#include <QUrl>

namespace OrvaUpdate {

// Where and for what the update check looks: the release manifest is "latest.json" under
// manifestBaseUrl (which ends with a slash), release notes live beside it.
struct Config
{
    QString app;     // "calendar"
    QString channel; // "stable"
    QUrl manifestBaseUrl;
    QString currentVersion; // dotted numbers, "1.3.1"
};

} // namespace OrvaUpdate
