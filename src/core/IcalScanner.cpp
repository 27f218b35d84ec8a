#include "IcalScanner.h"

#include "Limits.h"

#include <algorithm>

namespace {

struct PhysicalLine
{
    qsizetype contentEnd; // before CR LF or LF
    qsizetype next;       // first character of the following line, or past the text
    bool endsWithCrLf;
};

PhysicalLine physicalLine(QStringView text, qsizetype start)
{
    const qsizetype size = text.size();
    // Content lines are short: a plain loop reaches their end before a vectorised search has
    // paid for its setup. Longer lines are left to the search.
    const qsizetype shortEnd = std::min(size, start + 128);
    qsizetype newline = start;
    while (newline < shortEnd && text[newline] != u'\n')
        ++newline;
    if (newline == shortEnd && newline < size) {
        newline = text.indexOf(u'\n', newline);
        if (newline < 0)
            newline = size;
    }
    qsizetype contentEnd = newline;
    const bool hasCarriageReturn = newline > start && text[newline - 1] == u'\r';
    if (hasCarriageReturn)
        --contentEnd;
    return {contentEnd, newline + 1, newline == size || hasCarriageReturn};
}

} // namespace

bool IcalScanner::next()
{
    const qsizetype size = m_text.size();
    if (m_position >= size)
        return false;
    const PhysicalLine first = physicalLine(m_text, m_position);
    m_begin = m_position;
    m_end = first.contentEnd;
    m_line = m_text.mid(m_begin, m_end - m_begin);
    m_verbatim = first.endsWithCrLf;
    m_tooLong = m_line.size() > Limits::maxIcalendarLineChars;
    bool buffered = false;
    qsizetype next = first.next;
    while (next < size && (m_text[next] == u' ' || m_text[next] == u'\t')) {
        const PhysicalLine continuation = physicalLine(m_text, next);
        const QStringView piece = m_text.mid(next + 1, continuation.contentEnd - next - 1);
        m_verbatim = false;
        if (!m_tooLong) {
            const qsizetype length = (buffered ? m_buffer.size() : m_line.size()) + piece.size();
            if (length > Limits::maxIcalendarLineChars) {
                m_tooLong = true;
                m_buffer.clear();
                m_buffer.squeeze();
            } else {
                if (!buffered) {
                    m_buffer.resize(0);
                    m_buffer.append(m_line);
                    buffered = true;
                }
                m_buffer.append(piece);
            }
        }
        m_end = continuation.contentEnd;
        next = continuation.next;
    }
    m_position = next;
    if (m_tooLong)
        m_line = QStringView();
    else if (buffered)
        m_line = m_buffer;
    return true;
}
