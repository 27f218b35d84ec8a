#include "UpdateDialog.h"

#include "ReleaseManifest.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace OrvaUpdate {

UpdateDialog::UpdateDialog(const Artifact& artifact, const QString& currentVersion,
                           const QString& appDisplayName, QWidget* parent)
    : QDialog(parent), m_artifact(artifact)
{
    setWindowTitle(tr("Update Available"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);

    auto* heading = new QLabel(tr("%1 %2 is available.").arg(appDisplayName, artifact.version));
    heading->setTextFormat(Qt::PlainText);
    QFont headingFont = heading->font();
    headingFont.setWeight(QFont::Bold);
    headingFont.setPointSizeF(headingFont.pointSizeF() + 2);
    heading->setFont(headingFont);
    layout->addWidget(heading);

    auto* installed = new QLabel(tr("You have version %1.").arg(currentVersion));
    installed->setTextFormat(Qt::PlainText);
    layout->addWidget(installed);

    if (!artifact.notes.isEmpty()) {
        auto* notes = new QPlainTextEdit(artifact.notes);
        notes->setObjectName(QStringLiteral("releaseNotes"));
        notes->setReadOnly(true);
        notes->setMinimumSize(420, 200);
        layout->addWidget(notes, 1);
    }

    auto* buttons = new QDialogButtonBox;
    auto* download = buttons->addButton(tr("Download"), QDialogButtonBox::AcceptRole);
    download->setDefault(true);
    connect(download, &QPushButton::clicked, this, [this]() {
        if (ReleaseManifest::isOpenableUrl(m_artifact.url))
            QDesktopServices::openUrl(m_artifact.url);
        close();
    });
    if (!artifact.notesUrl.isEmpty()) {
        auto* notesButton = buttons->addButton(tr("Release Notes"), QDialogButtonBox::HelpRole);
        connect(notesButton, &QPushButton::clicked, this,
                [this]() { QDesktopServices::openUrl(m_artifact.notesUrl); });
    }
    auto* later = buttons->addButton(tr("Later"), QDialogButtonBox::RejectRole);
    connect(later, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(buttons);
}

} // namespace OrvaUpdate
