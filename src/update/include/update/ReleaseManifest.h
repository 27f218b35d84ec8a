#pragma once

#include "Artifact.h"
#include "Config.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

// The release manifest, "latest.json" under the feed:
//
//   {"schema": 1, "version": "1.4.0", "notes": "plain text", "notes_url": "https://…",
//    "artifacts": {"linux-x64": {"url": "https://…", "sha256": "…", "size": 123}}}
//
// Pure functions over its bytes: what the update check reports for a given running version.
namespace OrvaUpdate::ReleaseManifest {

// The artifact key of this system. A manifest without it offers nothing here.
inline const QString platformKey = QStringLiteral("linux-x64");

struct Outcome
{
    enum class Kind { UpdateAvailable, UpToDate, Unreadable };
    Kind kind = Kind::Unreadable;
    Artifact artifact; // UpdateAvailable only
    QString reason;    // Unreadable only; translated
};

// UpdateAvailable when the manifest names a version above currentVersion (compared as dotted
// numbers) and an artifact for `platform` with an http(s) url; UpToDate when the version is not
// newer or there is no artifact for `platform`; Unreadable for anything that is not a schema 1
// manifest with a version, or an artifact without a usable url.
Outcome evaluate(const QByteArray& json, const QString& currentVersion,
                 const QString& platform = platformKey);

// "<manifestBaseUrl>latest.json".
QUrl manifestUrl(const Config& config);

// "<manifestBaseUrl>notes/<version>.txt": the release notes of one version as plain text.
QUrl releaseNotesUrl(const Config& config, const QString& version);

// True for http and https urls with a host; the only links the update client ever opens.
bool isOpenableUrl(const QUrl& url);

} // namespace OrvaUpdate::ReleaseManifest
