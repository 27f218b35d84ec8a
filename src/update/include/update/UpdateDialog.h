#pragma once

#include "Artifact.h"

#include <QDialog>

namespace OrvaUpdate {

// Offers a newer version: what it is, the release notes as plain text, and a button that opens
// the download in the browser. Non-modal; installs nothing itself.
class UpdateDialog : public QDialog
{
    Q_OBJECT

public:
    UpdateDialog(const Artifact& artifact, const QString& currentVersion,
                 const QString& appDisplayName, QWidget* parent);

    const Artifact& artifact() const { return m_artifact; }

private:
    Artifact m_artifact;
};

} // namespace OrvaUpdate
