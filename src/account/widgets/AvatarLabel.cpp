#include "AvatarLabel.h"

#include <QPainter>

#include <algorithm>

namespace OrvaAccount {

AvatarLabel::AvatarLabel(const QString& initials, const QColor& colour, int size, QWidget* parent)
    : QLabel(parent), m_colour(colour)
{
    setTextFormat(Qt::PlainText);
    setText(initials);
    setAlignment(Qt::AlignCenter);
    setFixedSize(size, size);
    QFont shown = font();
    shown.setPointSize(std::max(size / 3, 8));
    shown.setWeight(QFont::DemiBold);
    setFont(shown);
}

void AvatarLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_colour);
    painter.drawEllipse(QRectF(rect()));
    painter.setPen(Qt::white);
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter, text());
}

} // namespace OrvaAccount
