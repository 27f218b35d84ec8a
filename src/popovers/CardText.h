#pragma once

#include <QHash>
#include <QLabel>
#include <QString>

// A word-wrapped text of a details card. A label measures its text anew each time a layout asks
// (at the widths the card passes through while it opens, and once more for a width of its own
// choosing); a card's few thousand characters would be laid out a dozen times. This one keeps
// the height for each width until its text or font changes, and hints the card's width.
class CardText : public QLabel
{
    Q_OBJECT

public:
    // `width` is the width the card gives its texts.
    CardText(Qt::TextFormat format, int width, QWidget* parent);

    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    // One line: a label's own would lay the text out three times more, once a word a line.
    QSize minimumSizeHint() const override;

protected:
    void changeEvent(QEvent* event) override;

private:
    int m_width;
    mutable QString m_measuredText;
    mutable QHash<int, int> m_heights;
};
