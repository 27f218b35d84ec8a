#include "WhatsNewDialog.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace OrvaUpdate {

WhatsNewDialog::WhatsNewDialog(const QString& appDisplayName, const QString& version,
                               QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("What's New in %1 %2").arg(appDisplayName, version));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    m_text = new QPlainTextEdit(tr("Loading release notes…"));
    m_text->setReadOnly(true);
    m_text->setMinimumSize(460, 280);
    layout->addWidget(m_text, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(buttons);
}

void WhatsNewDialog::setNotes(const QString& text)
{
    m_text->setPlainText(text.trimmed().isEmpty() ? tr("No release notes for this version.")
                                                  : text);
}

void WhatsNewDialog::setFailed(const QString& reason)
{
    m_text->setPlainText(tr("The release notes could not be loaded: %1").arg(reason));
}

QString WhatsNewDialog::text() const
{
    return m_text->toPlainText();
}

} // namespace OrvaUpdate
