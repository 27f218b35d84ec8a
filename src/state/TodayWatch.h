#pragma once

#include <QDate>
#include <QObject>

// Tells when the local date moves on while nothing in the store changes, so that "Today" and
// "Tomorrow" in titles and due labels roll over at midnight: the agenda's minute check of the
// clock seam, for widgets that only need the date.
class TodayWatch : public QObject
{
    Q_OBJECT

public:
    static constexpr int checkMs = 60000;

    // Takes today's date from the clock and checks it every checkMs.
    explicit TodayWatch(QObject* parent);

    QDate today() const { return m_today; }
    // Compares the clock's date with the one last seen; emits dayChanged when they differ.
    void check();

Q_SIGNALS:
    void dayChanged(const QDate& today);

private:
    QDate m_today;
};
