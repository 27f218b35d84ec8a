#pragma once

#include <QColor>
#include <QLabel>

namespace OrvaAccount {

// A person's initials in white on a filled circle. It paints itself: a style sheet of its own
// for each avatar is parsed and applied once per row, which made a long list slow to show.
class AvatarLabel : public QLabel
{
    Q_OBJECT

public:
    AvatarLabel(const QString& initials, const QColor& colour, int size, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
};

} // namespace OrvaAccount
