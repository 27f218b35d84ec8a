#include "PdfExportDialog.h"

#include "AgendaDays.h"
#include "AppState.h"
#include "Calendar.h"
#include "Clock.h"
#include "DateLanguage.h"
#include "Limits.h"
#include "ShownText.h"
#include "Theme.h"
#include "TimeFormatState.h"
#include "ViewDays.h"
#include "VisibleEvents.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimeZone>
#include <QVBoxLayout>

#include <algorithm>

namespace {

struct AgendaLine
{
    QString when;
    QString title;
    QString detail;
    QString colour;
};

// The time column of a line. An event over several days names its end date, so each day it is
// listed under says how long it still lasts.
QString agendaWhen(const Event& event, const QString& pattern)
{
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const QDate first = ViewDays::startDay(event, zone);
    const QDate last = ViewDays::lastDay(event, zone);
    if (event.isAllDay) {
        if (last == first)
            return PdfExportDialog::tr("All day");
        return PdfExportDialog::tr("All day – %1")
            .arg(DateLanguage::format(last, QStringLiteral("MMM d")));
    }
    const QString start = TimeFormat::format(event.startTime.toTimeZone(zone), pattern);
    const QDateTime end = event.endTime.value_or(event.startTime).toTimeZone(zone);
    if (last == first)
        return QStringLiteral("%1 – %2").arg(start, TimeFormat::format(end, pattern));
    return QStringLiteral("%1 – %2 %3")
        .arg(start, DateLanguage::format(end.date(), QStringLiteral("MMM d")),
             TimeFormat::format(end, pattern));
}

QMap<QDate, QList<AgendaLine>> collect(const AppState* state, const QDate& first, const QDate& last)
{
    QMap<QDate, QList<AgendaLine>> days;
    const QTimeZone zone = QTimeZone::systemTimeZone();
    // All-day events lie at UTC midnights: span the UTC dates too.
    const QDateTime from =
        std::min(first.startOfDay(zone), QDateTime(first, QTime(0, 0), QTimeZone::utc()));
    const QDateTime to = std::max(last.addDays(1).startOfDay(zone),
                                  QDateTime(last.addDays(1), QTime(0, 0), QTimeZone::utc()));
    // Exactly the calendars the views show, hidden or not elsewhere.
    VisibleEvents::Result shown = VisibleEvents::load(state, from, to);
    if (shown.calendarIds.isEmpty())
        return days;
    QHash<QString, Calendar> calendars;
    for (const Calendar& calendar : std::as_const(shown.calendars))
        calendars.insert(calendar.id, calendar);
    QList<Event> occurrences = std::move(shown.filtered.visibleEvents);
    std::stable_sort(occurrences.begin(), occurrences.end(), [](const Event& a, const Event& b) {
        if (a.isAllDay != b.isAllDay)
            return a.isAllDay;
        return a.startTime < b.startTime;
    });
    const QString pattern = TimeFormat::timePattern(state);
    const int dayCount = int(first.daysTo(last)) + 1;
    // Past events are part of an exported agenda: nothing is left out for being over.
    const QList<QList<Event>> byDay =
        AgendaDays::eventsByDay(occurrences, first, dayCount, zone, QDateTime());
    for (int index = 0; index < dayCount; ++index) {
        for (const Event& event : byDay[index]) {
            const Calendar calendar = calendars.value(event.calendarId);
            AgendaLine line;
            line.when = agendaWhen(event, pattern);
            // Each line is elided to the page's width; eliding a megabyte title lays it out in
            // full first.
            line.title =
                ShownText::bounded(VisibleEvents::shownTitle(event), Limits::maxRowTextChars);
            const QString calendarName = ShownText::bounded(calendar.name, Limits::maxRowTextChars);
            line.detail = event.location.isEmpty()
                              ? calendarName
                              : QStringLiteral("%1 · %2").arg(
                                    ShownText::bounded(event.location, Limits::maxRowTextChars),
                                    calendarName);
            line.colour = event.color.isEmpty() ? calendar.color : event.color;
            days[first.addDays(index)].append(line);
        }
    }
    return days;
}

} // namespace

PdfExportDialog::PdfExportDialog(AppState* state, QWidget* parent) : QDialog(parent), m_state(state)
{
    setWindowTitle(tr("Export Agenda PDF"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    auto* form = new QFormLayout;
    const QDate today = state ? state->currentDate() : QDate();
    const QDate start = today.isValid() ? today : Clock::nowLocal().date();
    m_from = new QDateEdit(start, this);
    m_to = new QDateEdit(start.addDays(6), this);
    for (QDateEdit* edit : {m_from, m_to}) {
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("ddd, MMM d, yyyy"));
        Theme::applyDateLanguage(edit);
    }
    form->addRow(tr("From:"), m_from);
    form->addRow(tr("To:"), m_to);
    m_path = new QLineEdit(this);
    // A fresh system often has no documents folder, and the writer makes none: the home folder
    // is proposed then.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    m_path->setText(QDir(folder).filePath(QStringLiteral("agenda.pdf")));
    auto* browse = new QPushButton(tr("Browse…"), this);
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &PdfExportDialog::browse);
    auto* file = new QHBoxLayout;
    file->addWidget(m_path, 1);
    file->addWidget(browse);
    form->addRow(tr("File:"), file);
    layout->addLayout(form);
    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    m_status->setTextFormat(Qt::PlainText);
    m_status->hide();
    layout->addWidget(m_status);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->addButton(tr("Export"), QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &PdfExportDialog::exportAgenda);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(440);
}

void PdfExportDialog::browse()
{
    const QString chosen = QFileDialog::getSaveFileName(this, tr("Export Agenda PDF"),
                                                        m_path->text(), tr("PDF files (*.pdf)"));
    if (!chosen.isEmpty())
        m_path->setText(chosen);
}

void PdfExportDialog::exportAgenda()
{
    QString error;
    QString path = m_path->text().trimmed();
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    if (!writeAgenda(m_state, m_from->date(), m_to->date(), path, &error)) {
        m_status->setText(error);
        m_status->show();
        return;
    }
    accept();
}

bool PdfExportDialog::writeAgenda(const AppState* state, const QDate& first, const QDate& last,
                                  const QString& path, QString* error)
{
    const auto fail = [error](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    if (!first.isValid() || !last.isValid() || last < first)
        return fail(tr("The end date must not be before the start date."));
    if (first.daysTo(last) >= maxRangeDays)
        return fail(tr("Choose a range of at most %1 days.").arg(maxRangeDays));
    if (path.isEmpty())
        return fail(tr("Choose a file to write."));
    const QMap<QDate, QList<AgendaLine>> days = collect(state, first, last);

    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
    writer.setResolution(300);
    writer.setTitle(tr("Agenda"));
    writer.setCreator(QStringLiteral("Calendar"));
    QPainter painter;
    if (!painter.begin(&writer))
        return fail(tr("Could not write \"%1\".").arg(QDir::toNativeSeparators(path)));

    const QRect page = writer.pageLayout().paintRectPixels(writer.resolution());
    const int width = page.width();
    const int height = page.height();
    QFont titleFont(QStringLiteral("IBM Plex Sans"));
    titleFont.setPointSizeF(18);
    titleFont.setBold(true);
    QFont dayFont = titleFont;
    dayFont.setPointSizeF(12);
    QFont textFont(QStringLiteral("IBM Plex Sans"));
    textFont.setPointSizeF(10);
    QFont mutedFont = textFont;
    mutedFont.setPointSizeF(8.5);
    const QColor ink(0x20, 0x21, 0x24);
    const QColor muted(0x5f, 0x63, 0x68);
    // The time column holds the longest time (one into another day names the end's date) with
    // the colour dot after it, within a quarter to a half of the page.
    painter.setFont(textFont);
    const int dot = painter.fontMetrics().height() / 3;
    int widestWhen = 0;
    for (const QList<AgendaLine>& lines : days)
        for (const AgendaLine& line : lines)
            widestWhen = std::max(widestWhen, painter.fontMetrics().horizontalAdvance(line.when));
    const int timeColumn = std::clamp(widestWhen + 4 * dot, width / 4, width / 2);
    int y = 0;

    const auto lineHeight = [&painter](const QFont& font) {
        painter.setFont(font);
        return painter.fontMetrics().height();
    };
    const auto ensureRoom = [&](int needed) {
        if (y + needed <= height)
            return;
        writer.newPage();
        y = 0;
    };

    painter.setPen(ink);
    y += lineHeight(titleFont);
    painter.drawText(0, y - painter.fontMetrics().descent(), tr("Agenda"));
    const QString range =
        QStringLiteral("%1 – %2").arg(DateLanguage::format(first, QStringLiteral("MMMM d, yyyy")),
                                      DateLanguage::format(last, QStringLiteral("MMMM d, yyyy")));
    y += lineHeight(textFont);
    painter.setPen(muted);
    painter.drawText(0, y - painter.fontMetrics().descent(), range);
    y += lineHeight(textFont);

    if (days.isEmpty()) {
        y += lineHeight(textFont);
        painter.drawText(0, y - painter.fontMetrics().descent(), tr("No events in this range."));
    }
    for (auto day = days.cbegin(); day != days.cend(); ++day) {
        const int dayHeight = lineHeight(dayFont);
        ensureRoom(dayHeight * 2 + lineHeight(textFont) * 2);
        y += dayHeight / 2 + dayHeight;
        painter.setFont(dayFont);
        painter.setPen(ink);
        painter.drawText(0, y - painter.fontMetrics().descent(),
                         DateLanguage::format(day.key(), QStringLiteral("dddd, MMMM d, yyyy")));
        y += dayHeight / 4;
        painter.setPen(QPen(QColor(0xda, 0xdc, 0xe0), 3));
        painter.drawLine(0, y, width, y);
        y += dayHeight / 4;
        for (const AgendaLine& line : day.value()) {
            const int textHeight = lineHeight(textFont);
            const int detailHeight = line.detail.isEmpty() ? 0 : lineHeight(mutedFont);
            ensureRoom(textHeight + detailHeight + textHeight / 3);
            painter.setFont(textFont);
            y += textHeight;
            const int baseline = y - painter.fontMetrics().descent();
            painter.setPen(muted);
            painter.drawText(
                0, baseline,
                painter.fontMetrics().elidedText(line.when, Qt::ElideRight, timeColumn - 4 * dot));
            const QColor colour(line.colour);
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour.isValid() ? colour : muted);
            painter.drawEllipse(
                QRect(timeColumn - dot * 2, y - textHeight / 2 - dot / 2, dot, dot));
            painter.setPen(ink);
            const QString title =
                painter.fontMetrics().elidedText(line.title, Qt::ElideRight, width - timeColumn);
            painter.drawText(timeColumn, baseline, title);
            if (detailHeight > 0) {
                painter.setFont(mutedFont);
                y += detailHeight;
                painter.setPen(muted);
                painter.drawText(timeColumn, y - painter.fontMetrics().descent(),
                                 painter.fontMetrics().elidedText(line.detail, Qt::ElideRight,
                                                                  width - timeColumn));
            }
            y += textHeight / 3;
        }
    }
    if (!painter.end())
        return fail(tr("Could not write \"%1\".").arg(QDir::toNativeSeparators(path)));
    return true;
}
