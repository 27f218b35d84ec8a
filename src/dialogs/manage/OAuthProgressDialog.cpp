#include "OAuthProgressDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

OAuthProgressDialog::OAuthProgressDialog(const QString& provider, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Sign in to %1").arg(provider));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);

    auto* heading = new QLabel(tr("Waiting for %1…").arg(provider), this);
    heading->setObjectName(QStringLiteral("heading"));
    QFont bold = heading->font();
    bold.setWeight(QFont::Bold);
    heading->setFont(bold);
    layout->addWidget(heading);

    auto* subtitle = new QLabel(tr("Complete the sign-in in the browser window that has opened. "
                                   "This window closes by itself when you are done."),
                                this);
    subtitle->setWordWrap(true);
    subtitle->setProperty("muted", true);
    layout->addWidget(subtitle);

    // No step count is known: the bar only shows that the program is waiting.
    auto* busy = new QProgressBar(this);
    busy->setRange(0, 0);
    busy->setTextVisible(false);
    busy->setMaximumHeight(6);
    layout->addWidget(busy);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &OAuthProgressDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(400);
}

void OAuthProgressDialog::finish(bool succeeded)
{
    m_finished = true;
    if (succeeded)
        QDialog::accept();
    else
        QDialog::reject();
}

void OAuthProgressDialog::reject()
{
    if (!m_finished) {
        m_finished = true;
        Q_EMIT cancelRequested();
    }
    QDialog::reject();
}
