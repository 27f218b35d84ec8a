#pragma once

#include <QByteArray>
#include <QString>

// Cuts an iCalendar file into small whole calendars, so that an import reads a large file piece by
// piece instead of holding every record of it at once. Each piece repeats the file's time-zone
// definitions that came before it, then holds up to `componentsPerBatch` VEVENT and VTODO
// components in file order. Components nested inside them (VALARM) stay with their parent; a
// component without its END line is dropped. Reading stops after
// Limits::maxIcalendarComponentsPerText components, as a single reading of the text would.
class ImportBatches
{
public:
    explicit ImportBatches(const QByteArray& text, int componentsPerBatch = 500);

    // Moves to the next piece; false when the text holds no further component.
    bool next();

    // The current piece as one calendar text.
    QString text() const { return m_current; }
    // VEVENT and VTODO components in the current piece.
    int events() const { return m_events; }
    int tasks() const { return m_tasks; }
    // Bytes of the text read so far.
    qsizetype position() const { return m_position; }

private:
    const QByteArray& m_text;
    int m_componentsPerBatch;
    qsizetype m_position = 0;
    int m_componentsRead = 0;
    QByteArray m_zones;
    QString m_current;
    int m_events = 0;
    int m_tasks = 0;
};
