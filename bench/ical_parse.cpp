// Times Ical::parseEvents against libical's parser on the same generated calendars (10,000 and
// 100,000 events with folded 200-character descriptions, alarms, TZIDs and 10 % recurring), and
// measures the peak memory of each parse in a fresh process.
#include "Ical.h"

#include <libical/ical.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

const char* const zones[] = {"Europe/Berlin", "America/New_York", "Asia/Tokyo"};

const char* const vtimezones =
    "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nBEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0100\r\n"
    "TZOFFSETTO:+0200\r\nTZNAME:CEST\r\nDTSTART:19700329T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nEND:DAYLIGHT\r\nBEGIN:STANDARD\r\n"
    "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nTZNAME:CET\r\nDTSTART:19701025T030000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
    "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\nBEGIN:DAYLIGHT\r\nTZOFFSETFROM:-0500\r\n"
    "TZOFFSETTO:-0400\r\nTZNAME:EDT\r\nDTSTART:19700308T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\nEND:DAYLIGHT\r\nBEGIN:STANDARD\r\n"
    "TZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nTZNAME:EST\r\nDTSTART:19701101T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
    "BEGIN:VTIMEZONE\r\nTZID:Asia/Tokyo\r\nBEGIN:STANDARD\r\nTZOFFSETFROM:+0900\r\n"
    "TZOFFSETTO:+0900\r\nTZNAME:JST\r\nDTSTART:19700101T000000\r\nEND:STANDARD\r\n"
    "END:VTIMEZONE\r\n";

// Writes a content line folded at 75 octets, as exporters do.
void appendFolded(QByteArray& out, const QByteArray& line)
{
    qsizetype position = 0;
    qsizetype width = 75;
    while (line.size() - position > width) {
        out += line.mid(position, width);
        out += "\r\n ";
        position += width;
        width = 74;
    }
    out += line.mid(position);
    out += "\r\n";
}

QByteArray generateCalendar(int events)
{
    QByteArray out;
    out.reserve(qsizetype(events) * 900);
    out += "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//EN\r\n";
    out += vtimezones;
    const QByteArray words = "lorem ipsum dolor sit amet, consectetur; adipiscing elit \\ sed do ";
    const QDateTime base(QDate(2024, 1, 1), QTime(8, 0), Qt::UTC);
    for (int i = 0; i < events; ++i) {
        const QDateTime start = base.addSecs(qint64(i) * 5400);
        const QByteArray day = start.toString(u"yyyyMMdd'T'HHmmss").toLatin1();
        const QByteArray end = start.addSecs(3600).toString(u"yyyyMMdd'T'HHmmss").toLatin1();
        const QByteArray zone = zones[i % 3];
        out += "BEGIN:VEVENT\r\n";
        out += "UID:" + QByteArray::number(i) + "-bench@example.com\r\n";
        out += "DTSTAMP:20240101T000000Z\r\n";
        out += "SUMMARY:Meeting number " + QByteArray::number(i) + "\\, room 4\r\n";
        out += "DTSTART;TZID=" + zone + ":" + day + "\r\n";
        out += "DTEND;TZID=" + zone + ":" + end + "\r\n";
        // Each description is its own text, as in a real calendar, so no reader can win by
        // sharing equal strings between events.
        QByteArray description = "DESCRIPTION:Agenda " + QByteArray::number(i) + ": ";
        while (description.size() < 212)
            description += words;
        description.truncate(212);
        if (description.endsWith('\\'))
            description.chop(1);
        appendFolded(out, description);
        out += "LOCATION:Building " + QByteArray::number(i % 17) + "\r\n";
        out += "STATUS:CONFIRMED\r\nSEQUENCE:1\r\n";
        if (i % 10 == 0) {
            out += "RRULE:FREQ=WEEKLY;BYDAY=MO,WE;COUNT=20\r\n";
            out += "EXDATE;TZID=" + zone + ":" + day + "\r\n";
        }
        out += "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nDESCRIPTION:Reminder\r\n"
               "END:VALARM\r\n";
        out += "END:VEVENT\r\n";
    }
    out += "END:VCALENDAR\r\n";
    return out;
}

qint64 parseWithLibical(const QByteArray& text)
{
    icalcomponent* root = icalparser_parse_string(text.constData());
    qint64 count = 0;
    for (icalcomponent* event = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT);
         event; event = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT)) {
        const char* uid = icalcomponent_get_uid(event);
        const char* summary = icalcomponent_get_summary(event);
        const icaltimetype start = icalcomponent_get_dtstart(event);
        const icaltimetype end = icalcomponent_get_dtend(event);
        if (uid && summary && !icaltime_is_null_time(start) && !icaltime_is_null_time(end))
            ++count;
    }
    icalcomponent_free(root);
    return count;
}

qint64 parseWithUs(const QByteArray& text)
{
    return Ical::parseEvents(QString::fromUtf8(text)).size();
}

// Best of several runs, in milliseconds; the freeing of results counts on both sides.
template <typename Parse>
double bestOf(int runs, const QByteArray& text, Parse parse, qint64* count)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        *count = parse(text);
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

qint64 statusKilobytes(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qsizetype(strlen(field))).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// Child mode: loads the file, resets the peak counter, parses once and prints the resident
// size before the parse and the peak during it, in kilobytes.
int measure(const QString& which, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    QByteArray bytes = file.readAll();
    QString text;
    if (which == u"ours") {
        text = QString::fromUtf8(bytes);
        bytes = QByteArray();
    }
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    clear.close();
    const qint64 before = statusKilobytes("VmRSS:");
    qint64 count = 0;
    if (which == u"ours") {
        const QList<Event> events = Ical::parseEvents(text);
        count = events.size();
    } else {
        count = parseWithLibical(bytes);
    }
    const qint64 peak = statusKilobytes("VmHWM:");
    std::printf("%lld %lld %lld\n", static_cast<long long>(before), static_cast<long long>(peak),
                static_cast<long long>(count));
    return 0;
}

struct Memory
{
    double beforeMb = 0;
    double peakMb = 0;
};

Memory measureInChild(const QString& which, const QString& path)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--measure"), which, path});
    child.waitForFinished(600000);
    const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 3)
        return {};
    return {fields[0].toDouble() / 1024, fields[1].toDouble() / 1024};
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == u"--measure")
        return measure(args[2], args[3]);

    QTemporaryDir scratch;
    int status = 0;
    for (const int size : {10000, 100000}) {
        const QByteArray text = generateCalendar(size);
        const double megabytes = double(text.size()) / (1024 * 1024);
        const int runs = size > 10000 ? 3 : 5;
        qint64 ours = 0;
        qint64 theirs = 0;
        const double libicalMs = bestOf(runs, text, parseWithLibical, &theirs);
        const double oursMs = bestOf(runs, text, parseWithUs, &ours);
        const QString textOnlyFile = scratch.filePath(QStringLiteral("cal-%1.ics").arg(size));
        QFile file(textOnlyFile);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            return 1;
        file.close();
        const Memory oursMemory = measureInChild(QStringLiteral("ours"), textOnlyFile);
        const Memory libicalMemory = measureInChild(QStringLiteral("libical"), textOnlyFile);
        std::printf("%d events, %.1f MB: parseEvents %.0f ms (UTF-8 decoding included), libical "
                    "%.0f ms, ratio ours/libical %.2f\n",
                    size, megabytes, oursMs, libicalMs, oursMs / libicalMs);
        std::printf("  peak memory during the parse: ours %.0f MB (%.1fx file size; input text "
                    "held %.0f MB), libical %.0f MB (%.1fx)\n",
                    oursMemory.peakMb, oursMemory.peakMb / megabytes, oursMemory.beforeMb,
                    libicalMemory.peakMb, libicalMemory.peakMb / megabytes);
        std::printf("  growth during the parse: ours %.1fx file size, libical %.1fx\n",
                    (oursMemory.peakMb - oursMemory.beforeMb) / megabytes,
                    (libicalMemory.peakMb - libicalMemory.beforeMb) / megabytes);
        if (ours != size || theirs != size) {
            std::printf("  event counts differ: ours %lld, libical %lld\n",
                        static_cast<long long>(ours), static_cast<long long>(theirs));
            status = 1;
        }
    }
    return status;
}
