#include "CardText.h"

#include <QEvent>

CardText::CardText(Qt::TextFormat format, int width, QWidget* parent)
    : QLabel(parent), m_width(width)
{
    setTextFormat(format);
    setWordWrap(true);
}

int CardText::heightForWidth(int width) const
{
    if (text() != m_measuredText) {
        m_measuredText = text();
        m_heights.clear();
    }
    const auto known = m_heights.constFind(width);
    if (known != m_heights.cend())
        return *known;
    const int height = QLabel::heightForWidth(width);
    m_heights.insert(width, height);
    return height;
}

QSize CardText::sizeHint() const
{
    return {m_width, heightForWidth(m_width)};
}

QSize CardText::minimumSizeHint() const
{
    const QMargins margins = contentsMargins();
    return {margins.left() + margins.right(),
            fontMetrics().lineSpacing() + margins.top() + margins.bottom()};
}

void CardText::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        m_heights.clear();
    QLabel::changeEvent(event);
}
