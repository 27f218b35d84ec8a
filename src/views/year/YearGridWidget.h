#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QRect>
#include <QSet>
#include <QWidget>

// Twelve month cards in four columns and three rows; each day on which a visible event starts
// carries a dot in the colour of the first such event. A click on any day cell (also a leading
// or trailing day of a neighbouring month) emits its date.
class YearGridWidget : public QWidget
{
    Q_OBJECT

public:
    struct DayCell
    {
        QDate date;
        QRect rect;
    };

    explicit YearGridWidget(QWidget* parent = nullptr);

    QSize sizeHint() const override;

    // Replaces the shown year and its busy days, and repaints.
    void setData(int year, const QHash<QDate, QString>& dayColors, const QSet<QDate>& busyDays);
    // 1 (Monday) .. 7 (Sunday); repaints when it changes.
    void setFirstDayOfWeek(int day);

    int year() const { return m_year; }
    const QSet<QDate>& busyDays() const { return m_busyDays; }
    const QHash<QDate, QString>& dayColors() const { return m_dayColors; }
    // The cells of the last paint, 42 per month in painting order.
    const QList<DayCell>& dayCells() const { return m_dayCells; }

Q_SIGNALS:
    void dayActivated(const QDate& date);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_year = 0;
    int m_firstDayOfWeek = 1;
    QHash<QDate, QString> m_dayColors;
    QSet<QDate> m_busyDays;
    QList<DayCell> m_dayCells;
};
