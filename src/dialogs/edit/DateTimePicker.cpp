#include "DateTimePicker.h"

#include "Clock.h"
#include "Theme.h"
#include "WallClock.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDateEdit>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>
#include <array>

namespace {

// The instant the wall time `time` on `date` stands for on the machine's clock, as the expansion
// reads it: a time the clocks skip lies after the gap by its length (02:30 on the spring night
// is 03:30 summer time), a repeated one is the earlier instant. Never an invalid value.
QDateTime instantAt(const QDate& date, const QTime& time)
{
    WallClock clock(QDateTime::fromMSecsSinceEpoch(0, Qt::LocalTime));
    return clock.at(date, time);
}

// The time items always read on the 12-hour clock, whatever the user's time preference.
const QString itemFormat = QStringLiteral("h:mm AP");

// Typed times, tried in this order; formats without AM/PM read the 24-hour clock.
const std::array<QString, 13> typedFormats = {
    QStringLiteral("h:mm AP"), QStringLiteral("h:mm ap"), QStringLiteral("h:mmAP"),
    QStringLiteral("h:mmap"),  QStringLiteral("h AP"),    QStringLiteral("h ap"),
    QStringLiteral("hAP"),     QStringLiteral("hap"),     QStringLiteral("hh:mm"),
    QStringLiteral("h:mm"),    QStringLiteral("HH:mm"),   QStringLiteral("HH"),
    QStringLiteral("h")};

// Extra room beside the widest item for the scroll bar and the popup frame.
constexpr int popupSlack = 48;

class TimeComboBox : public QComboBox
{
public:
    using QComboBox::QComboBox;

    void showPopup() override
    {
        QComboBox::showPopup();
        QAbstractItemView* list = view();
        if (!list || !model())
            return;
        const QFontMetrics metrics(list->font());
        int widest = 0;
        for (int row = 0; row < count(); ++row)
            widest = std::max(widest, metrics.horizontalAdvance(itemText(row)));
        if (QWidget* container = list->parentWidget()) {
            if (container->width() < widest + popupSlack)
                container->resize(widest + popupSlack, container->height());
        }
        if (currentIndex() >= 0)
            list->scrollTo(model()->index(currentIndex(), modelColumn()),
                           QAbstractItemView::PositionAtCenter);
    }
};

QString durationSuffix(qint64 seconds)
{
    const qint64 minutes = seconds / 60;
    if (minutes < 60)
        return DateTimePicker::tr("%1 min").arg(minutes);
    const qint64 hours = minutes / 60;
    const qint64 rest = minutes % 60;
    if (rest == 0)
        return DateTimePicker::tr("%1 hr").arg(hours);
    return DateTimePicker::tr("%1 hr %2 min").arg(hours).arg(rest);
}

} // namespace

DateTimePicker::DateTimePicker(Qt::DayOfWeek firstDayOfWeek, QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);

    m_dateEdit = new QDateEdit(Clock::today(), this);
    m_dateEdit->setCalendarPopup(true);
    m_dateEdit->setDisplayFormat(QStringLiteral("ddd, MMM d, yyyy"));
    Theme::applyDateLanguage(m_dateEdit);
    Theme::applyFirstDayOfWeek(m_dateEdit, firstDayOfWeek);
    // Day and month names are as long as the language makes them ("mer., mars 11, 2026"): the
    // field keeps room for the widest date of a year and leaves the time to give way.
    {
        const QFontMetrics metrics(m_dateEdit->font());
        const QLocale names = m_dateEdit->locale();
        const QString format = m_dateEdit->displayFormat();
        int widest = 0;
        for (int month = 1; month <= 12; ++month) {
            for (int day = 22; day <= 28; ++day)
                widest = std::max(widest, metrics.horizontalAdvance(
                                              names.toString(QDate(2026, month, day), format)));
        }
        // What the field adds around its text: the frame, the margins and the popup arrow.
        const int chrome =
            m_dateEdit->sizeHint().width() -
            metrics.horizontalAdvance(names.toString(m_dateEdit->minimumDate(), format) + u' ');
        m_dateEdit->setMinimumWidth(widest + std::max(chrome, 0));
    }
    layout->addWidget(m_dateEdit, 1);

    m_timeCombo = new TimeComboBox(this);
    m_timeCombo->setEditable(true);
    m_timeCombo->setInsertPolicy(QComboBox::NoInsert);
    rebuildItems();
    selectTimeItem(m_time);
    layout->addWidget(m_timeCombo, 1);

    connect(m_dateEdit, &QDateEdit::dateChanged, this, &DateTimePicker::onDateChanged);
    connect(m_timeCombo, &QComboBox::activated, this, &DateTimePicker::onTimeCommit);
    if (QLineEdit* edit = m_timeCombo->lineEdit())
        connect(edit, &QLineEdit::editingFinished, this, &DateTimePicker::onTimeCommit);
}

QDate DateTimePicker::date() const
{
    return m_dateEdit->date();
}

QTime DateTimePicker::time() const
{
    return m_allDay ? QTime(0, 0) : m_time;
}

QDateTime DateTimePicker::dateTime() const
{
    return instantOf(m_dateEdit->date(), m_allDay ? QTime(0, 0) : m_time);
}

bool DateTimePicker::showsSkippedTime() const
{
    if (m_allDay)
        return false;
    const QDateTime instant = dateTime();
    return instant.date() != m_dateEdit->date() || instant.time() != m_time;
}

QDateTime DateTimePicker::instantOf(const QDate& date, const QTime& time) const
{
    // Typing the wall time shown back gives the instant kept for it, not the earlier of two.
    if (m_instant.isValid() && !m_allDay && m_instant.date() == date && m_instant.time() == time)
        return m_instant;
    return instantAt(date, time);
}

void DateTimePicker::setAllDay(bool allDay)
{
    if (allDay == m_allDay)
        return;
    m_allDay = allDay;
    m_timeCombo->setVisible(!allDay);
}

void DateTimePicker::setDateTime(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return;
    m_instant = QDateTime();
    {
        const QSignalBlocker blocker(m_dateEdit);
        m_dateEdit->setDate(dateTime.date());
    }
    // All day shows no time: the committed one is kept for when the time shows again.
    if (!m_allDay)
        m_time = dateTime.time();
    if (m_reference)
        rebuildItems();
    else
        selectTimeItem(m_time);
}

void DateTimePicker::setInstant(const QDateTime& instant)
{
    if (!instant.isValid())
        return;
    const QDateTime local = instant.toLocalTime();
    setDateTime(local);
    m_instant = local;
    if (m_reference)
        rebuildItems();
}

void DateTimePicker::setReference(DateTimePicker* picker)
{
    if (picker == m_reference)
        return;
    if (m_reference)
        disconnect(m_reference, &DateTimePicker::dateTimeChanged, this,
                   &DateTimePicker::onReferenceChanged);
    m_reference = picker;
    if (picker) {
        connect(picker, &DateTimePicker::dateTimeChanged, this,
                &DateTimePicker::onReferenceChanged);
        onReferenceChanged();
    } else {
        m_dateEdit->setMinimumDate(QDate(100, 1, 1));
        rebuildItems();
    }
}

void DateTimePicker::onDateChanged(const QDate&)
{
    if (m_reference)
        rebuildItems();
    Q_EMIT dateTimeChanged(dateTime());
}

void DateTimePicker::onTimeCommit()
{
    QString text = m_timeCombo->currentText();
    const qsizetype parenthesis = text.indexOf(QLatin1Char('('));
    if (parenthesis > 0)
        text.truncate(parenthesis);
    text = text.trimmed();

    QTime time;
    if (!text.isEmpty()) {
        for (const QString& format : typedFormats) {
            time = QTime::fromString(text, format);
            if (time.isValid())
                break;
        }
    }
    if (!time.isValid()) {
        selectTimeItem(m_time);
        return;
    }

    if (m_reference) {
        const QDateTime referenceMoment = m_reference->dateTime();
        if (referenceMoment.isValid() && instantOf(m_dateEdit->date(), time) < referenceMoment) {
            {
                const QSignalBlocker blocker(m_dateEdit);
                m_dateEdit->setDate(referenceMoment.date());
            }
            time = referenceMoment.time();
            m_time = time;
            // The reference's own instant: its wall time may read as another one.
            m_instant = referenceMoment.toLocalTime();
            rebuildItems();
        }
    }
    m_time = time;
    selectTimeItem(m_time);
    Q_EMIT dateTimeChanged(dateTime());
}

void DateTimePicker::onReferenceChanged()
{
    if (!m_reference)
        return;
    const QDateTime referenceMoment = m_reference->dateTime();
    if (referenceMoment.isValid()) {
        // Not blocked: a date below the new minimum moves up and announces itself.
        m_dateEdit->setMinimumDate(referenceMoment.date());
        if (instantOf(m_dateEdit->date(), m_time) < referenceMoment) {
            const QSignalBlocker blocker(m_dateEdit);
            m_dateEdit->setDate(referenceMoment.date());
            m_time = referenceMoment.time();
            m_instant = referenceMoment.toLocalTime();
        }
    }
    rebuildItems();
}

void DateTimePicker::rebuildItems()
{
    QStringList texts;
    texts.reserve(96);
    const QDateTime referenceMoment = m_reference ? m_reference->dateTime() : QDateTime();
    const QDate day = m_dateEdit ? m_dateEdit->date() : Clock::today();
    for (int minute = 0; minute < 24 * 60; minute += 15) {
        const QTime time(minute / 60, minute % 60);
        const QString text = time.toString(itemFormat);
        if (!referenceMoment.isValid()) {
            texts.append(text);
            continue;
        }
        const qint64 seconds = referenceMoment.secsTo(instantOf(day, time));
        if (seconds < 0)
            continue;
        if (seconds == 0)
            texts.append(text);
        else
            texts.append(text + QStringLiteral("  (") + durationSuffix(seconds) + QLatin1Char(')'));
    }
    const QSignalBlocker blocker(m_timeCombo);
    m_timeCombo->clear();
    m_timeCombo->addItems(texts);
    selectTimeItem(m_time);
}

void DateTimePicker::selectTimeItem(const QTime& time)
{
    if (!time.isValid())
        return;
    const QSignalBlocker blocker(m_timeCombo);
    const QString text = time.toString(itemFormat);
    for (int row = 0; row < m_timeCombo->count(); ++row) {
        if (m_timeCombo->itemText(row).startsWith(text)) {
            m_timeCombo->setCurrentIndex(row);
            break;
        }
    }
    if (QLineEdit* edit = m_timeCombo->lineEdit())
        edit->setText(text);
    else
        m_timeCombo->setEditText(text);
}
