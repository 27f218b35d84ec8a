#include "AgendaRowParts.h"

#include "AgendaRowText.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "Defaults.h"
#include "Theme.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QWidget>

namespace AgendaRowParts {

QString rowColour(const AppState* appState, const QString& itemColour, const QString& calendarId)
{
    if (!itemColour.isEmpty())
        return itemColour;
    if (appState && appState->calendars()) {
        const std::optional<Calendar> calendar = appState->calendars()->getById(calendarId);
        if (calendar && !calendar->color.isEmpty())
            return calendar->color;
    }
    return Defaults::itemColour;
}

QFont shiftedFont(const QFont& base, int points, int minimum)
{
    QFont font = base;
    if (font.pointSize() > 0)
        font.setPointSize(std::max(minimum, font.pointSize() + points));
    return font;
}

QLabel* mutedLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setProperty("muted", true);
    return label;
}

// "(Untitled)" is translated in the context of the row that shows it.
[[maybe_unused]] const char* const untitledTexts[] = {
    QT_TRANSLATE_NOOP("AgendaEventRow", "(Untitled)"),
    QT_TRANSLATE_NOOP("AgendaTaskRow", "(Untitled)"),
};

QLabel* titleLabel(const QString& title, const char* context, QWidget* parent)
{
    auto* label = new AgendaRowText(
        title.isEmpty() ? QCoreApplication::translate(context, "(Untitled)") : title, titleLines,
        parent);
    label->setMinimumWidth(40);
    QFont font = label->font();
    font.setWeight(QFont::Bold);
    label->setFont(font);
    return label;
}

QLabel* chevron(QWidget* parent)
{
    QLabel* label = mutedLabel(QString(QChar(0x203A)), parent);
    label->setFont(shiftedFont(label->font(), 4, 1));
    label->setFixedWidth(14);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

void paintBackground(QPainter& painter, const QWidget* row, bool hovered)
{
    painter.setRenderHint(QPainter::Antialiasing);
    if (hovered)
        painter.fillRect(row->rect(), Theme::surfaceMuted());
    painter.setPen(QPen(Theme::border(), 0.5));
    painter.drawLine(QPointF(0, row->height() - 1), QPointF(row->width(), row->height() - 1));
}

} // namespace AgendaRowParts
