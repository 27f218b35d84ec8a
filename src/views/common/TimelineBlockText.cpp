#include "TimelineBlockText.h"

#include "DateLanguage.h"
#include "Glyphs.h"
#include "TimeFormat.h"

#include <QFontMetrics>
#include <QPainter>

namespace TimelineBlockText {

QString timeRange(const Event& event, const QString& pattern, const QTimeZone& zone)
{
    const QDateTime start = event.startTime.toTimeZone(zone);
    if (!event.endTime)
        return TimeFormat::format(start, pattern);
    const QDateTime end = event.endTime->toTimeZone(zone);
    const QString dash = QStringLiteral(" – ");
    if (end.date() <= start.date())
        return TimeFormat::format(start, pattern) + dash + TimeFormat::format(end, pattern);
    const QString weekday = QStringLiteral("ddd ");
    return DateLanguage::format(start.date(), weekday) + TimeFormat::format(start, pattern) + dash +
           DateLanguage::format(end.date(), weekday) + TimeFormat::format(end, pattern);
}

QString statusGlyphs(const Event& event, bool twoWayCalendar)
{
    QString glyphs;
    if (!event.reminders.isEmpty())
        glyphs += Glyphs::bell;
    if (event.syncStatus == QLatin1String("pending") && twoWayCalendar)
        glyphs += Glyphs::cloudUpload;
    return glyphs;
}

int paintGlyphs(QPainter& painter, const QFontMetrics& metrics, int left, int right, int baseline,
                const QString& glyphs)
{
    int width = 0;
    for (const QChar glyph : glyphs) {
        const int advance = metrics.horizontalAdvance(glyph);
        if (right - width - advance < left)
            break;
        painter.drawText(QPoint(right - width - advance, baseline), QString(glyph));
        width += advance + 4;
    }
    return width;
}

} // namespace TimelineBlockText
