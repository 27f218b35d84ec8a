#include "IcalLineFilter.h"

#include "Limits.h"

namespace {

// UTF-16 code units the UTF-8 bytes become: one per character, two beyond the basic plane. A
// carriage return is left out: before a line feed it ends the line rather than belongs to it.
// Never more than the reader counts.
qsizetype utf16Units(QByteArrayView bytes)
{
    qsizetype units = 0;
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        units += (value & 0xc0) != 0x80 && value != '\r';
        units += value >= 0xf0;
    }
    return units;
}

} // namespace

void IcalLineFilter::append(QByteArrayView piece, QByteArray& out)
{
    qsizetype at = 0;
    while (at < piece.size()) {
        if (m_atLineStart) {
            m_atLineStart = false;
            const char first = piece.at(at);
            if (first == ' ' || first == '\t') {
                // A folded continuation: its first character only marks the fold.
                if (!m_dropping)
                    out += first;
                ++at;
                continue;
            }
            m_dropping = false;
            m_units = 0;
            m_lineStart = out.size();
        }
        qsizetype end = piece.indexOf('\n', at);
        const bool endsLine = end >= 0;
        if (!endsLine)
            end = piece.size();
        if (!m_dropping) {
            const QByteArrayView part = piece.sliced(at, end - at);
            m_units += utf16Units(part);
            if (m_units > Limits::maxIcalendarLineChars) {
                out.truncate(m_lineStart);
                m_dropping = true;
            } else {
                out += part;
                if (endsLine)
                    out += '\n';
            }
        }
        m_atLineStart = endsLine;
        at = endsLine ? end + 1 : end;
    }
}
