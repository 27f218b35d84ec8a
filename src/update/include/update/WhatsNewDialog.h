#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace OrvaUpdate {

// Shows the release notes of the running version; the text arrives later (setNotes) or not at
// all (setFailed). Notes are plain text.
class WhatsNewDialog : public QDialog
{
    Q_OBJECT

public:
    WhatsNewDialog(const QString& appDisplayName, const QString& version, QWidget* parent);

    void setNotes(const QString& text);
    void setFailed(const QString& reason);
    QString text() const;

private:
    QPlainTextEdit* m_text = nullptr;
};

} // namespace OrvaUpdate
