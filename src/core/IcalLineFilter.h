#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Reads an iCalendar text piece by piece and leaves out every unfolded line longer than
// Limits::maxIcalendarLineChars (counted in UTF-16 code units, as the reader counts them), with
// its line break and its continuation lines, so that such a line is never held whole: a file
// of one huge line costs the memory of the lines kept. Pieces may be cut anywhere. Whatever the
// reader would read from the text it reads from the result, less those lines.
class IcalLineFilter
{
public:
    // Appends `piece`, less any over-long line, to `out`, which holds what earlier calls kept.
    void append(QByteArrayView piece, QByteArray& out);

private:
    qsizetype m_lineStart = 0; // where the unfolded line being read begins in `out`
    qsizetype m_units = 0;     // its length so far
    bool m_dropping = false;   // it is too long and is being left out
    bool m_atLineStart = true; // the last byte ended a physical line (or none came yet)
};
