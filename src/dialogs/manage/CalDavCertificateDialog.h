#pragma once

#include "CalDavClient.h"

#include <QMessageBox>

class QPushButton;

// Asks whether to trust a server certificate that nobody vouches for, showing what the
// certificate says about itself and its SHA-256 fingerprint. Cancel is the default answer.
class CalDavCertificateDialog : public QMessageBox
{
    Q_OBJECT

public:
    CalDavCertificateDialog(const CalDavClient::UntrustedCertInfo& info, QWidget* parent = nullptr);

    // After exec(): true when the user chose to trust the certificate.
    bool trusted() const;

private:
    QPushButton* m_trust;
};
