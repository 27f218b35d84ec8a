#pragma once

#include <QLabel>
#include <QStringList>

// A one-line label given its text in several lengths, longest first: it shows the longest that
// fits its width, and when none does, the shortest cut with an ellipsis, so a narrow header
// never shows a word cut off. The full text is then its tool tip.
class FittingLabel : public QLabel
{
    Q_OBJECT

public:
    explicit FittingLabel(QWidget* parent = nullptr);

    void setTexts(const QStringList& texts);
    // The longest text, whatever is shown.
    QString fullText() const { return m_texts.value(0); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fit();

    QStringList m_texts;
};
