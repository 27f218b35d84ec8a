#include "FittingLabel.h"

#include <QEvent>
#include <QFontMetrics>

FittingLabel::FittingLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void FittingLabel::setTexts(const QStringList& texts)
{
    m_texts = texts;
    fit();
}

void FittingLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    fit();
}

void FittingLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fit();
}

void FittingLabel::fit()
{
    const QFontMetrics metrics(font());
    const int room = contentsRect().width();
    QString shown;
    for (const QString& text : std::as_const(m_texts)) {
        if (metrics.horizontalAdvance(text) <= room) {
            shown = text;
            break;
        }
    }
    if (shown.isNull() && !m_texts.isEmpty())
        shown = metrics.elidedText(m_texts.last(), Qt::ElideRight, room);
    setToolTip(shown == fullText() ? QString() : fullText());
    if (shown != text())
        setText(shown);
}
