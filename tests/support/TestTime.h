#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>

#include <time.h>

// The instants the tests name, written short.
namespace TestTime {

inline QDateTime utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), QTimeZone::utc());
}

// A wall-clock time in the machine's zone: what the user sees, whatever TZ the test runs in.
inline QDateTime local(int year, int month, int day, int hour, int minute, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second),
                     QTimeZone::systemTimeZone());
}

inline QDateTime inZone(const char* zone, int year, int month, int day, int hour, int minute)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute), QTimeZone(zone));
}

// The Sunday in 2027 on which the machine's clocks skip 02:00 to 03:00 (Berlin, New York);
// invalid in a zone where they do not.
inline QDate springNight()
{
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const QDateTime from(QDate(2027, 1, 1), QTime(0, 0), Qt::UTC);
    for (const QTimeZone::OffsetData& change : zone.transitions(from, from.addYears(1))) {
        const QDateTime before = change.atUtc.addSecs(-1).toTimeZone(zone);
        if (change.offsetFromUtc - before.offsetFromUtc() == 3600 &&
            before.time() == QTime(1, 59, 59))
            return before.date();
    }
    return {};
}

// The machine's zone set to `zone` for the guard's lifetime, as when a laptop travels; the zone
// the test runs in comes back after.
class MachineZone
{
public:
    explicit MachineZone(const char* zone)
        : m_was(qgetenv("TZ")), m_had(qEnvironmentVariableIsSet("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~MachineZone()
    {
        if (m_had)
            qputenv("TZ", m_was);
        else
            qunsetenv("TZ");
        tzset();
    }
    MachineZone(const MachineZone&) = delete;
    MachineZone& operator=(const MachineZone&) = delete;

private:
    QByteArray m_was;
    bool m_had;
};

} // namespace TestTime
