#pragma once

#include <QDate>
#include <QPoint>
#include <QSet>
#include <QWidget>

class AppState;
class QTimer;

// The sidebar's small month: a title, weekday initials and six weeks of days. Days with an event
// of the active View get a dot; today a ring, the current date a filled circle, the day under
// the pointer a soft circle. A click makes a day the current date; the wheel pages the months
// shown without changing it. A change of month shows the new month at once and reads its dots
// from the event loop, once for months changed together.
class MiniMonthCalendar : public QWidget
{
    Q_OBJECT

public:
    MiniMonthCalendar(AppState* appState, QWidget* parent = nullptr);

    QSize sizeHint() const override;

    // The date of the cell containing the point; invalid outside the six rows.
    QDate dateAt(const QPoint& point) const;
    // Rebuilds the busy days of the 42 shown days and repaints.
    void reloadBusyDays();

    QDate displayedMonth() const { return m_displayedMonth; }
    const QSet<QDate>& busyDays() const { return m_busyDays; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QDate gridStart() const;
    void showMonth(const QDate& firstOfMonth);

    AppState* m_appState;
    QDate m_displayedMonth;
    // Keyed by date, so the dots of the month read last never mark another day.
    QSet<QDate> m_busyDays;
    QPoint m_hoverPos;
    QTimer* m_busyDaysReload;
};
