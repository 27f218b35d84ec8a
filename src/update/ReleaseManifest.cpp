#include "ReleaseManifest.h"

#include "Limits.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QVersionNumber>

namespace OrvaUpdate::ReleaseManifest {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("OrvaUpdate::Client", text);
}

Outcome unreadable(const QString& reason)
{
    Outcome outcome;
    outcome.kind = Outcome::Kind::Unreadable;
    outcome.reason = reason;
    return outcome;
}

// Dotted numbers only; a suffix ("1.4.0-beta") is not a release this check offers.
QVersionNumber parseVersion(const QString& text)
{
    qsizetype suffix = 0;
    const QVersionNumber version = QVersionNumber::fromString(text.trimmed(), &suffix);
    if (version.isNull() || suffix != text.trimmed().size())
        return {};
    return version;
}

} // namespace

bool isOpenableUrl(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("https") || scheme == QLatin1String("http"));
}

Outcome evaluate(const QByteArray& json, const QString& currentVersion, const QString& platform)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return unreadable(tr("The release manifest could not be read."));
    const QJsonObject manifest = document.object();
    if (manifest.value(QStringLiteral("schema")).toInt() != 1)
        return unreadable(tr("The release manifest has an unknown format."));
    const QString versionText = manifest.value(QStringLiteral("version")).toString();
    const QVersionNumber offered = parseVersion(versionText);
    if (offered.isNull())
        return unreadable(tr("The release manifest names no version."));

    Outcome upToDate;
    upToDate.kind = Outcome::Kind::UpToDate;
    const QVersionNumber running = parseVersion(currentVersion);
    if (!running.isNull() && offered <= running)
        return upToDate;
    const QJsonValue entry = manifest.value(QStringLiteral("artifacts")).toObject().value(platform);
    if (!entry.isObject())
        return upToDate;

    const QJsonObject artifactJson = entry.toObject();
    Artifact artifact;
    artifact.version = versionText.trimmed();
    artifact.platform = platform;
    artifact.url = QUrl(artifactJson.value(QStringLiteral("url")).toString());
    if (!isOpenableUrl(artifact.url))
        return unreadable(tr("The release manifest offers no usable download."));
    artifact.sha256 = artifactJson.value(QStringLiteral("sha256")).toString().toLower();
    artifact.size = qMax<qint64>(0, artifactJson.value(QStringLiteral("size")).toInteger());
    artifact.notes = manifest.value(QStringLiteral("notes")).toString();
    const QUrl notesUrl(manifest.value(QStringLiteral("notes_url")).toString());
    if (isOpenableUrl(notesUrl))
        artifact.notesUrl = notesUrl;

    Outcome outcome;
    outcome.kind = Outcome::Kind::UpdateAvailable;
    outcome.artifact = artifact;
    return outcome;
}

QUrl manifestUrl(const Config& config)
{
    return config.manifestBaseUrl.resolved(QUrl(QStringLiteral("latest.json")));
}

QUrl releaseNotesUrl(const Config& config, const QString& version)
{
    return config.manifestBaseUrl.resolved(QUrl(
        QStringLiteral("notes/%1.txt").arg(QString::fromLatin1(QUrl::toPercentEncoding(version)))));
}

} // namespace OrvaUpdate::ReleaseManifest
