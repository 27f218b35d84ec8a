#pragma once

#include "Event.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

class AppState;

// One event occurrence of the agenda: its times (or "All-day"), a bar in its colour, the title
// with the pending and reminder marks, the location. It changes nothing itself: clicks go out
// as signals with the event id, and the row keeps the occurrence it was built from (a series'
// occurrence with its own times) for whoever handles them.
class AgendaEventRow : public QWidget
{
    Q_OBJECT

public:
    AgendaEventRow(AppState* appState, const Event& occurrence, QWidget* parent = nullptr);

    const Event& occurrence() const { return m_event; }
    // The colour text the row is drawn in.
    QString colour() const { return m_colour; }

Q_SIGNALS:
    // A click; `screenRect` is the row in screen coordinates.
    void rowSelected(const QString& eventId, const QRect& screenRect);
    void rowActivated(const QString& eventId);
    void rowContextRequested(const QString& eventId, const QPoint& globalPos);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QWidget* buildTimeColumn();
    QLayout* buildTextColumn();

    AppState* m_appState;
    Event m_event;
    QString m_colour;
    bool m_hovered = false;
};
