#pragma once

#include <QLabel>

namespace OrvaAccount {

// The account screen's status line (object name "accountStatus"): the last error or success,
// cleared after a few seconds unless a newer message took its place.
class AccountStatusLine : public QLabel
{
    Q_OBJECT

public:
    explicit AccountStatusLine(QWidget* parent = nullptr);

    void showError(const QString& text);
    void showSuccess(const QString& text);

private:
    void showStatus(const QString& text, const QString& style, int clearAfterMs);

    // Each message is numbered; a timer clears only its own message.
    int m_serial = 0;
};

} // namespace OrvaAccount
