#include "AgendaRowText.h"

#include "Limits.h"
#include "ShownText.h"

#include <QEvent>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

AgendaRowText::AgendaRowText(const QString& text, int maxLines, QWidget* parent)
    : QLabel(parent), m_maxLines(std::max(1, maxLines))
{
    // Text from servers and other devices: never markup.
    setTextFormat(Qt::PlainText);
    setText(ShownText::bounded(text, Limits::maxRowTextChars));
    setWordWrap(true);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

const QStringList& AgendaRowText::linesAt(int width) const
{
    if (width == m_linesWidth)
        return m_lines;
    m_linesWidth = width;
    m_lines.clear();
    QString shown = text();
    // Line feeds in a title end its lines, as they do in a label.
    shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(shown, font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    while (m_lines.size() < m_maxLines) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(std::max(1, width));
        const bool last = m_lines.size() == m_maxLines - 1;
        const qsizetype end = line.textStart() + line.textLength();
        if (last && end < shown.size()) {
            // The rest of the text on one line, cut at the width.
            QString rest = shown.mid(line.textStart());
            rest.replace(QChar::LineSeparator, QLatin1Char(' '));
            m_lines.append(fontMetrics().elidedText(rest, Qt::ElideRight, std::max(1, width)));
        } else {
            QString piece = shown.mid(line.textStart(), line.textLength());
            while (piece.endsWith(QChar::LineSeparator))
                piece.chop(1);
            m_lines.append(piece);
        }
    }
    layout.endLayout();
    if (m_lines.isEmpty())
        m_lines.append(QString());
    return m_lines;
}

int AgendaRowText::heightForWidth(int width) const
{
    const QMargins margins = contentsMargins();
    const int lines = int(linesAt(width - margins.left() - margins.right()).size());
    return lines * fontMetrics().lineSpacing() + margins.top() + margins.bottom();
}

QSize AgendaRowText::sizeHint() const
{
    // As wide as the text on one line, up to a row's usual width: the row gives the width, the
    // text takes the height it needs there.
    const QFontMetrics metrics = fontMetrics();
    const int width = std::min(metrics.horizontalAdvance(text()), 40 * metrics.averageCharWidth());
    const QMargins margins = contentsMargins();
    return {width + margins.left() + margins.right(),
            heightForWidth(width + margins.left() + margins.right())};
}

QSize AgendaRowText::minimumSizeHint() const
{
    const QMargins margins = contentsMargins();
    return {minimumWidth(), fontMetrics().lineSpacing() + margins.top() + margins.bottom()};
}

void AgendaRowText::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    const QRect area = contentsRect();
    const int lineHeight = fontMetrics().lineSpacing();
    int y = area.top();
    for (const QString& line : linesAt(area.width())) {
        if (y >= area.bottom())
            break;
        painter.drawText(QRect(area.left(), y, area.width(), lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, line);
        y += lineHeight;
    }
}

void AgendaRowText::changeEvent(QEvent* event)
{
    // A font from the style or a strike-out changes where the lines break.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        m_linesWidth = -1;
    QLabel::changeEvent(event);
}
