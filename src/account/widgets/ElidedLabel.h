#pragma once

#include <QLabel>

namespace OrvaAccount {

// One line of text from the service: as wide as its text where there is room, narrower where
// there is not, the text then ending in an ellipsis and shown whole (as escaped text) in the
// tool tip. Cheap to lay out in a long list, where word-wrapped labels are measured again for
// every width.
class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(const QString& text, QWidget* parent = nullptr);

    void setFullText(const QString& text);
    QString fullText() const { return m_fullText; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void elide();

    QString m_fullText;
};

} // namespace OrvaAccount
