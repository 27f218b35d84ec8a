// Fuzzes the iCalendar reader with arbitrary bytes, and the writers with whatever it reads:
// nothing may crash or hang, and a written event must read back under its own UID.
#include "Ical.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<Event> events = Ical::parseEvents(text);
    for (const Event& event : events) {
        const QList<Event> again = Ical::parseEvents(Ical::buildEvent(event));
        const QString uid = Ical::unescapeText(Ical::escapeText(event.uid));
        if (!uid.isEmpty() && (again.size() != 1 || again.first().uid != uid))
            std::abort();
    }
    for (const Task& task : Ical::parseTasks(text))
        Ical::parseTasks(Ical::buildTask(task));
    const QDateTime start(QDate(2024, 5, 1), QTime(9, 0), Qt::UTC);
    Ical::parseEvents(
        Ical::rewriteTimes(text, start, start.addSecs(3600), QStringLiteral("Europe/Berlin")));
    return 0;
}
