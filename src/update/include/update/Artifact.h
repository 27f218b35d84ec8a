#pragma once

#include <QMetaType>
#include <QString>
#include <QUrl>

namespace OrvaUpdate {

// A newer release offered for this platform, as the manifest describes it. The url is always
// http or https; the notes are plain text and never rendered as markup.
struct Artifact
{
    QString version;
    QString platform; // the manifest's artifact key, "linux-x64"
    QUrl url;
    QString sha256; // lower-case hex as the manifest gives it; may be empty
    qint64 size = 0;
    QString notes;
    QUrl notesUrl; // http or https; empty when the manifest names none
};

} // namespace OrvaUpdate

Q_DECLARE_METATYPE(OrvaUpdate::Artifact)
