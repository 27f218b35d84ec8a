#include "FormRows.h"

#include "Theme.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>

namespace FormRows {

QPushButton* linkButton(const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    // Link-like: without the border and fill the application style gives push buttons.
    button->setStyleSheet(QStringLiteral("QPushButton { color: %1; text-align: left; padding: 4px "
                                         "0; border: none; background: transparent; }")
                              .arg(Theme::accent().name()));
    return button;
}

QToolButton* removeButton(QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(QString(QChar(0x00D7)));
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoRaise(true);
    button->setFixedSize(24, 24);
    // The application style pads tool buttons for text labels; the glyph needs the whole square.
    button->setStyleSheet(QStringLiteral("QToolButton { padding: 0; }"));
    QFont font = button->font();
    font.setPointSizeF(font.pointSizeF() + 4);
    button->setFont(font);
    return button;
}

QHBoxLayout* rowLayout(QWidget* row)
{
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    return layout;
}

} // namespace FormRows
