#include "ImportBatches.h"

#include "Limits.h"

#include <algorithm>

namespace {

// The content line starting at `from` without its line break, and where the next one starts.
QByteArrayView lineAt(const QByteArray& text, qsizetype from, qsizetype* next)
{
    qsizetype end = text.indexOf('\n', from);
    *next = end < 0 ? text.size() : end + 1;
    if (end < 0)
        end = text.size();
    if (end > from && text.at(end - 1) == '\r')
        --end;
    return QByteArrayView(text).sliced(from, end - from);
}

bool isFolded(char first)
{
    return first == ' ' || first == '\t';
}

bool isLine(QByteArrayView line, QByteArrayView expected)
{
    return line.trimmed().compare(expected, Qt::CaseInsensitive) == 0;
}

bool startsComponent(QByteArrayView line)
{
    return line.size() > 6 && line.first(6).compare("BEGIN:", Qt::CaseInsensitive) == 0;
}

bool endsComponent(QByteArrayView line)
{
    return line.size() > 4 && line.first(4).compare("END:", Qt::CaseInsensitive) == 0;
}

} // namespace

ImportBatches::ImportBatches(const QByteArray& text, int componentsPerBatch)
    : m_text(text), m_componentsPerBatch(qMax(1, componentsPerBatch))
{
}

bool ImportBatches::next()
{
    QByteArray piece;
    m_events = 0;
    m_tasks = 0;
    // Where the component being read began, its kind and its nesting depth.
    qsizetype begin = -1;
    int depth = 0;
    bool isEvent = false;
    bool isZone = false;
    const char* endLine = nullptr;
    // The reader takes an event from every BEGIN:VEVENT line, nested ones too, so they count.
    int nestedEvents = 0;
    int nestedTasks = 0;
    // Whether the event and the task reader each hold a component open at this line: each opens
    // one at its BEGIN line at any depth and closes it at the next END line of that kind, even one
    // outside the component that held the BEGIN.
    bool eventOpen = false;
    bool taskOpen = false;
    qsizetype position = m_position;
    while (position < m_text.size() && m_events + m_tasks < m_componentsPerBatch &&
           m_componentsRead < Limits::maxIcalendarComponentsPerText) {
        const qsizetype lineStart = position;
        const QByteArrayView line = lineAt(m_text, lineStart, &position);
        // The reader unfolds a line with the lines after it that start with a space or a tab, so
        // neither a line that goes on nor its continuations begin or end a component for it.
        if ((lineStart > 0 && isFolded(m_text.at(lineStart))) ||
            (position < m_text.size() && isFolded(m_text.at(position))))
            continue;
        if (begin < 0) {
            const bool event = isLine(line, "BEGIN:VEVENT");
            const bool task = isLine(line, "BEGIN:VTODO");
            const bool zone = isLine(line, "BEGIN:VTIMEZONE");
            if (event || task || zone) {
                begin = lineStart;
                depth = 1;
                isEvent = event;
                isZone = zone;
                nestedEvents = 0;
                nestedTasks = 0;
                eventOpen = line.compare("BEGIN:VEVENT", Qt::CaseInsensitive) == 0;
                taskOpen = line.compare("BEGIN:VTODO", Qt::CaseInsensitive) == 0;
                endLine = event ? "END:VEVENT" : task ? "END:VTODO" : "END:VTIMEZONE";
            }
            continue;
        }
        if (startsComponent(line)) {
            ++depth;
            if (line.compare("BEGIN:VEVENT", Qt::CaseInsensitive) == 0) {
                ++nestedEvents;
                eventOpen = true;
            } else if (line.compare("BEGIN:VTODO", Qt::CaseInsensitive) == 0) {
                ++nestedTasks;
                taskOpen = true;
            }
            continue;
        }
        // As for the reader, the component's own END line closes it at any depth; another END
        // line closes what is nested, and at the top it closes nothing.
        if (!endsComponent(line))
            continue;
        if (line.compare("END:VEVENT", Qt::CaseInsensitive) == 0)
            eventOpen = false;
        else if (line.compare("END:VTODO", Qt::CaseInsensitive) == 0)
            taskOpen = false;
        if (line.compare(endLine, Qt::CaseInsensitive) != 0) {
            depth = std::max(1, depth - 1);
            continue;
        }
        depth = 0;
        const QByteArrayView component = QByteArrayView(m_text).sliced(begin, position - begin);
        if (isZone) {
            // A zone holding an event or a task is no zone, and every piece would repeat it.
            if (nestedEvents == 0 && nestedTasks == 0) {
                m_zones += component;
                if (!m_zones.endsWith('\n'))
                    m_zones += "\r\n";
            }
        } else {
            piece += component;
            if (!piece.endsWith('\n'))
                piece += "\r\n";
            // An event or task begun inside the component and not ended in it would run on into
            // whichever component follows in the piece, so what it reads would depend on where the
            // pieces are cut; it ends with its component instead.
            if (eventOpen)
                piece += "END:VEVENT\r\n";
            if (taskOpen)
                piece += "END:VTODO\r\n";
            ++(isEvent ? m_events : m_tasks);
            m_events += nestedEvents;
            m_tasks += nestedTasks;
            ++m_componentsRead;
        }
        begin = -1;
    }
    // A piece ends only between components, so a component still open here was cut off by the
    // end of the text and is dropped.
    m_position = position;
    if (m_events + m_tasks == 0) {
        m_current.clear();
        return false;
    }
    m_current = QString::fromUtf8("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + m_zones + piece +
                                  "END:VCALENDAR\r\n");
    return true;
}
