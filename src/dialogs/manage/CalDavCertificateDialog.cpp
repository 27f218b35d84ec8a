#include "CalDavCertificateDialog.h"

#include <QLocale>
#include <QPushButton>

CalDavCertificateDialog::CalDavCertificateDialog(const CalDavClient::UntrustedCertInfo& info,
                                                 QWidget* parent)
    : QMessageBox(parent)
{
    const QLocale locale;
    setIcon(QMessageBox::Warning);
    setWindowTitle(tr("Untrusted Certificate"));
    // Every field below comes from the server's certificate: plain text only.
    setTextFormat(Qt::PlainText);
    setText(tr("The certificate of %1 is not trusted. Trust it only if the fingerprint matches "
               "the one your server administrator gave you.")
                .arg(info.host));
    setInformativeText(tr("Subject: %1\nIssuer: %2\nValid: %3 to %4\nSHA-256 fingerprint:\n%5")
                           .arg(info.subject, info.issuer,
                                locale.toString(info.notBefore.date(), QLocale::ShortFormat),
                                locale.toString(info.notAfter.date(), QLocale::ShortFormat),
                                CalDavClient::formatFingerprint(info.sha256)));
    m_trust = addButton(tr("Trust Certificate"), QMessageBox::AcceptRole);
    setDefaultButton(addButton(QMessageBox::Cancel));
}

bool CalDavCertificateDialog::trusted() const
{
    return clickedButton() == m_trust;
}
