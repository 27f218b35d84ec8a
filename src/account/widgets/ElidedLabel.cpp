#include "ElidedLabel.h"

#include <QEvent>
#include <QFontMetrics>

namespace OrvaAccount {

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setFullText(text);
}

void ElidedLabel::setFullText(const QString& text)
{
    m_fullText = text;
    setText(text);
    updateGeometry();
    elide();
}

QSize ElidedLabel::sizeHint() const
{
    const QMargins margins = contentsMargins();
    return {fontMetrics().horizontalAdvance(m_fullText) + margins.left() + margins.right(),
            QLabel::sizeHint().height()};
}

QSize ElidedLabel::minimumSizeHint() const
{
    const QMargins margins = contentsMargins();
    return {fontMetrics().horizontalAdvance(QStringLiteral("\u2026")) + margins.left() +
                margins.right(),
            QLabel::minimumSizeHint().height()};
}

void ElidedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        elide();
}

void ElidedLabel::elide()
{
    // Until it is laid out, the label has no width of its own to fit.
    if (!testAttribute(Qt::WA_Resized) && !isVisible())
        return;
    const QString shown =
        fontMetrics().elidedText(m_fullText, Qt::ElideRight, contentsRect().width());
    // As a paragraph, escaped, so that a long text wraps inside the screen instead of making
    // the tip one line wider than it.
    setToolTip(shown == m_fullText ? QString()
                                   : QStringLiteral("<p>%1</p>").arg(m_fullText.toHtmlEscaped()));
    if (shown != text())
        setText(shown);
}

} // namespace OrvaAccount
