#pragma once

#include <QString>
#include <QStringView>

// Walks an iCalendar text line by line, joining folded continuation lines, without allocating
// for lines that are not folded. Lines end at LF or CR LF; a line longer than
// Limits::maxIcalendarLineChars is reported as too long, with an empty text.
class IcalScanner
{
public:
    explicit IcalScanner(QStringView text) : m_text(text) {}

    // Moves to the next unfolded line; false after the last one.
    bool next();

    // The unfolded line without its line break; valid until the next call of next().
    QStringView line() const { return m_line; }

    // Offset in the text of the line's first character.
    qsizetype begin() const { return m_begin; }

    // Offset in the text just past the line's last character (before its line break).
    qsizetype end() const { return m_end; }

    // True when the text from begin() to end() is exactly the line and its break is CR LF (or
    // the text ends there): such a range can be copied instead of rebuilt.
    bool isVerbatim() const { return m_verbatim; }

    bool isTooLong() const { return m_tooLong; }

private:
    QStringView m_text;
    qsizetype m_position = 0;
    QString m_buffer;
    QStringView m_line;
    qsizetype m_begin = 0;
    qsizetype m_end = 0;
    bool m_verbatim = true;
    bool m_tooLong = false;
};
