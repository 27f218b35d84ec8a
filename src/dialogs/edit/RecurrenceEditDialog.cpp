#include "RecurrenceEditDialog.h"

#include "DateLanguage.h"
#include "RruleFormat.h"
#include "RuleUntil.h"
#include "Theme.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The frequency combo's rows; a separator row stands between Yearly and NoRepeat.
enum Frequency { Daily, Weekly, Monthly, Yearly, NoRepeat = Yearly + 2 };
enum MonthlyMode { OnDayOfMonth, OnNthWeekday };
enum EndMode { EndsNever, EndsAfter, EndsOn };

const QStringList frequencyWords = {QStringLiteral("DAILY"), QStringLiteral("WEEKLY"),
                                    QStringLiteral("MONTHLY"), QStringLiteral("YEARLY")};
const QStringList weekdayCodes = {QStringLiteral("MO"), QStringLiteral("TU"), QStringLiteral("WE"),
                                  QStringLiteral("TH"), QStringLiteral("FR"), QStringLiteral("SA"),
                                  QStringLiteral("SU")};

QHBoxLayout* rowLayout(int spacing, int leftMargin = 0)
{
    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(leftMargin, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

} // namespace

RecurrenceEditDialog::RecurrenceEditDialog(const QString& rule, const QDate& anchorDate,
                                           int firstDayOfWeek, QWidget* parent)
    : QDialog(parent), m_anchorDate(anchorDate), m_initialRule(rule),
      m_firstDayOfWeek(firstDayOfWeek)
{
    setWindowTitle(tr("Recurrence"));
    setMinimumWidth(440);
    buildWidgets();
    setRRule(rule);
    refreshSummary();
}

QString RecurrenceEditDialog::weekdayCode(int day)
{
    return day >= 1 && day <= 7 ? weekdayCodes.at(day - 1) : QString();
}

int RecurrenceEditDialog::weekdayFromCode(const QString& item)
{
    for (int day = 1; day <= 7; ++day) {
        if (item.endsWith(weekdayCodes.at(day - 1), Qt::CaseSensitive))
            return day;
    }
    return 0;
}

void RecurrenceEditDialog::buildWidgets()
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 16, 16, 16);
    outer->setSpacing(12);

    auto* form = new QFormLayout;
    m_form = form;
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(12);
    outer->addLayout(form);

    m_frequencyCombo = new QComboBox(this);
    m_frequencyCombo->addItem(tr("Daily"), frequencyWords.at(Daily));
    m_frequencyCombo->addItem(tr("Weekly"), frequencyWords.at(Weekly));
    m_frequencyCombo->addItem(tr("Monthly"), frequencyWords.at(Monthly));
    m_frequencyCombo->addItem(tr("Yearly"), frequencyWords.at(Yearly));
    m_frequencyCombo->insertSeparator(m_frequencyCombo->count());
    m_frequencyCombo->addItem(tr("Does not repeat"), QString());
    form->addRow(tr("Frequency"), m_frequencyCombo);

    auto* intervalRow = rowLayout(8);
    m_intervalSpin = new QSpinBox(this);
    m_intervalSpin->setRange(1, 999);
    m_unitLabel = new QLabel(this);
    intervalRow->addWidget(new QLabel(tr("Every"), this));
    intervalRow->addWidget(m_intervalSpin);
    intervalRow->addWidget(m_unitLabel);
    intervalRow->addStretch();
    form->addRow(QString(), intervalRow);

    m_pageStack = new QStackedWidget(this);
    m_pageStack->addWidget(new QWidget(m_pageStack));

    auto* weeklyPage = new QWidget(m_pageStack);
    auto* weeklyLayout = new QHBoxLayout(weeklyPage);
    weeklyLayout->setContentsMargins(0, 0, 0, 0);
    weeklyLayout->setSpacing(6);
    const QString dayStyle =
        QStringLiteral("QToolButton { border: 1px solid %1; border-radius: 17px; padding: 0; }"
                       "QToolButton:checked { background: %2; color: white; border-color: %2; }")
            .arg(Theme::border().name(), Theme::accent().name());
    // Monday to Sunday, by their letters in the chosen language.
    for (int day = 1; day <= 7; ++day) {
        auto* button = new QToolButton(weeklyPage);
        button->setText(DateLanguage::weekdayLetter(day));
        button->setCheckable(true);
        button->setFixedSize(34, 34);
        button->setStyleSheet(dayStyle);
        weeklyLayout->addWidget(button);
        m_weekdayButtons.append(button);
        connect(button, &QToolButton::toggled, this, &RecurrenceEditDialog::refreshSummary);
    }
    weeklyLayout->addStretch();
    m_pageStack->addWidget(weeklyPage);

    auto* monthlyPage = new QWidget(m_pageStack);
    auto* monthlyLayout = new QVBoxLayout(monthlyPage);
    monthlyLayout->setContentsMargins(0, 0, 0, 0);
    monthlyLayout->setSpacing(8);
    m_monthlyModeGroup = new QButtonGroup(this);
    auto* onDay = new QRadioButton(tr("On day of the month"), monthlyPage);
    onDay->setChecked(true);
    m_monthlyModeGroup->addButton(onDay, OnDayOfMonth);
    monthlyLayout->addWidget(onDay);
    auto* dayLine = rowLayout(8, 20);
    m_monthDaySpin = new QSpinBox(monthlyPage);
    m_monthDaySpin->setRange(1, 31);
    m_monthDaySpin->setValue(m_anchorDate.isValid() ? m_anchorDate.day() : 1);
    dayLine->addWidget(m_monthDaySpin);
    dayLine->addWidget(new QLabel(tr("of every month"), monthlyPage));
    dayLine->addStretch();
    monthlyLayout->addLayout(dayLine);
    auto* onWeekday = new QRadioButton(tr("On the nth weekday"), monthlyPage);
    m_monthlyModeGroup->addButton(onWeekday, OnNthWeekday);
    monthlyLayout->addWidget(onWeekday);
    auto* weekdayLine = rowLayout(8, 20);
    m_ordinalCombo = new QComboBox(monthlyPage);
    m_ordinalCombo->addItem(tr("first"), 1);
    m_ordinalCombo->addItem(tr("second"), 2);
    m_ordinalCombo->addItem(tr("third"), 3);
    m_ordinalCombo->addItem(tr("fourth"), 4);
    m_ordinalCombo->addItem(tr("last"), -1);
    m_weekdayCombo = new QComboBox(monthlyPage);
    const QStringList dayNames = {tr("Monday"), tr("Tuesday"),  tr("Wednesday"), tr("Thursday"),
                                  tr("Friday"), tr("Saturday"), tr("Sunday")};
    for (int day = 1; day <= 7; ++day)
        m_weekdayCombo->addItem(dayNames.at(day - 1), day);
    if (m_anchorDate.isValid())
        m_weekdayCombo->setCurrentIndex(m_anchorDate.dayOfWeek() - 1);
    weekdayLine->addWidget(m_ordinalCombo);
    weekdayLine->addWidget(m_weekdayCombo);
    weekdayLine->addStretch();
    monthlyLayout->addLayout(weekdayLine);
    monthlyLayout->addStretch();
    m_pageStack->addWidget(monthlyPage);

    m_pageStack->addWidget(new QWidget(m_pageStack));
    form->addRow(QString(), m_pageStack);

    auto* endLayout = new QVBoxLayout;
    endLayout->setContentsMargins(0, 0, 0, 0);
    endLayout->setSpacing(8);
    m_endGroup = new QButtonGroup(this);
    auto* never = new QRadioButton(tr("Never"), this);
    never->setChecked(true);
    m_endGroup->addButton(never, EndsNever);
    endLayout->addWidget(never);
    auto* afterLine = rowLayout(8);
    auto* after = new QRadioButton(tr("After"), this);
    m_endGroup->addButton(after, EndsAfter);
    m_countSpin = new QSpinBox(this);
    m_countSpin->setRange(1, 999);
    m_countSpin->setValue(10);
    afterLine->addWidget(after);
    afterLine->addWidget(m_countSpin);
    afterLine->addWidget(new QLabel(tr("occurrences"), this));
    afterLine->addStretch();
    endLayout->addLayout(afterLine);
    auto* onLine = rowLayout(8);
    auto* on = new QRadioButton(tr("On"), this);
    m_endGroup->addButton(on, EndsOn);
    m_untilEdit = new QDateEdit(this);
    m_untilEdit->setDisplayFormat(QStringLiteral("MMM d, yyyy"));
    m_untilEdit->setCalendarPopup(true);
    m_untilEdit->setDate(m_anchorDate.addYears(1));
    Theme::applyDateLanguage(m_untilEdit);
    Theme::applyFirstDayOfWeek(m_untilEdit, Qt::DayOfWeek(qBound(1, m_firstDayOfWeek, 7)));
    onLine->addWidget(on);
    onLine->addWidget(m_untilEdit);
    onLine->addStretch();
    endLayout->addLayout(onLine);
    form->addRow(tr("Ends"), endLayout);

    m_summaryLabel = new QLabel(this);
    m_summaryLabel->setWordWrap(true);
    m_summaryLabel->setProperty("muted", true);
    m_summaryLabel->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::textMuted().name()));
    outer->addWidget(m_summaryLabel);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    outer->addWidget(buttons);

    connect(m_frequencyCombo, &QComboBox::currentIndexChanged, this,
            &RecurrenceEditDialog::onFrequencyChanged);
    connect(m_intervalSpin, &QSpinBox::valueChanged, this, [this] {
        refreshUnit();
        refreshSummary();
    });
    connect(m_monthlyModeGroup, &QButtonGroup::idClicked, this,
            &RecurrenceEditDialog::refreshSummary);
    connect(m_endGroup, &QButtonGroup::idClicked, this, &RecurrenceEditDialog::refreshSummary);
    connect(m_monthDaySpin, &QSpinBox::valueChanged, this, &RecurrenceEditDialog::refreshSummary);
    connect(m_ordinalCombo, &QComboBox::currentIndexChanged, this,
            &RecurrenceEditDialog::refreshSummary);
    connect(m_weekdayCombo, &QComboBox::currentIndexChanged, this,
            &RecurrenceEditDialog::refreshSummary);
    connect(m_countSpin, &QSpinBox::valueChanged, this, &RecurrenceEditDialog::refreshSummary);
    connect(m_untilEdit, &QDateEdit::dateChanged, this, &RecurrenceEditDialog::refreshSummary);

    refreshUnit();
    m_frequencyCombo->setCurrentIndex(Weekly);
}

void RecurrenceEditDialog::onFrequencyChanged(int index)
{
    const bool repeats = index <= Yearly;
    const int shown = repeats ? index : int(Daily);
    // The stack takes the height of the shown page only, not of its tallest one.
    for (int page = 0; page < m_pageStack->count(); ++page)
        m_pageStack->widget(page)->setSizePolicy(
            QSizePolicy::Preferred, page == shown ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    m_pageStack->setCurrentIndex(shown);
    m_pageStack->adjustSize();
    // Interval, days and end belong to a rule: without one only the frequency row shows.
    for (int row = 1; row < m_form->rowCount(); ++row)
        m_form->setRowVisible(row, repeats);
    // An open dialog fits what now shows, without the hidden rows' space.
    if (isVisible())
        adjustSize();
    refreshUnit();
    refreshSummary();
}

void RecurrenceEditDialog::refreshUnit()
{
    const bool one = m_intervalSpin->value() == 1;
    switch (m_frequencyCombo->currentIndex()) {
    case Daily:
        m_unitLabel->setText(one ? tr("day") : tr("days"));
        break;
    case Monthly:
        m_unitLabel->setText(one ? tr("month") : tr("months"));
        break;
    case Yearly:
        m_unitLabel->setText(one ? tr("year") : tr("years"));
        break;
    default:
        m_unitLabel->setText(one ? tr("week") : tr("weeks"));
        break;
    }
}

void RecurrenceEditDialog::refreshSummary()
{
    if (!m_summaryLabel)
        return;
    const QString rule = rrule();
    m_summaryLabel->setText(rule.isEmpty() ? tr("Does not repeat") : RruleFormat::describe(rule));
}

void RecurrenceEditDialog::setSeriesAllDay(bool allDay)
{
    if (allDay == m_seriesAllDay)
        return;
    m_seriesAllDay = allDay;
    // A date-time UNTIL names a different day for a timed series than for an all-day one.
    if (m_endGroup->checkedId() == EndsOn) {
        for (const QString& part : m_initialRule.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const qsizetype equals = part.indexOf(QLatin1Char('='));
            if (equals > 0 && part.left(equals).trimmed().toUpper() == QLatin1String("UNTIL")) {
                const QDate until = untilDate(part.mid(equals + 1));
                if (until.isValid())
                    m_untilEdit->setDate(until);
            }
        }
    }
    refreshSummary();
}

QDate RecurrenceEditDialog::untilDate(const QString& value) const
{
    // The day the user chose: a date as written, a UTC instant by its day in the series' terms.
    const QDate day = RuleUntil::lastDay(value, m_seriesAllDay);
    return day.isValid() ? day
                         : QDate::fromString(value.trimmed().left(8), QStringLiteral("yyyyMMdd"));
}

QString RecurrenceEditDialog::rrule() const
{
    const int frequency = m_frequencyCombo->currentIndex();
    if (frequency > Yearly)
        return QString();
    QStringList parts{QStringLiteral("FREQ=") + m_frequencyCombo->currentData().toString()};
    if (m_intervalSpin->value() >= 2)
        parts.append(QStringLiteral("INTERVAL=%1").arg(m_intervalSpin->value()));
    if (frequency == Weekly) {
        QStringList days;
        for (int day = 1; day <= 7; ++day) {
            if (m_weekdayButtons.at(day - 1)->isChecked())
                days.append(weekdayCode(day));
        }
        if (!days.isEmpty())
            parts.append(QStringLiteral("BYDAY=") + days.join(QLatin1Char(',')));
    } else if (frequency == Monthly) {
        if (m_monthlyModeGroup->checkedId() == OnNthWeekday)
            parts.append(QStringLiteral("BYDAY=%1%2")
                             .arg(m_ordinalCombo->currentData().toInt())
                             .arg(weekdayCode(m_weekdayCombo->currentData().toInt())));
        else
            parts.append(QStringLiteral("BYMONTHDAY=%1").arg(m_monthDaySpin->value()));
    }
    switch (m_endGroup->checkedId()) {
    case EndsAfter:
        parts.append(QStringLiteral("COUNT=%1").arg(m_countSpin->value()));
        break;
    case EndsOn:
        parts.append(QStringLiteral("UNTIL=") +
                     RuleUntil::forLastDay(m_untilEdit->date(), m_seriesAllDay));
        break;
    default:
        break;
    }
    return parts.join(QLatin1Char(';'));
}

void RecurrenceEditDialog::setRRule(const QString& rule)
{
    if (m_anchorDate.isValid())
        m_weekdayButtons.at(m_anchorDate.dayOfWeek() - 1)->setChecked(true);
    if (rule.isEmpty())
        return;

    QHash<QString, QString> values;
    for (const QString& part : rule.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype equals = part.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        values.insert(part.left(equals).trimmed().toUpper(), part.mid(equals + 1).trimmed());
    }

    const qsizetype frequency = frequencyWords.indexOf(values.value(QStringLiteral("FREQ")));
    m_frequencyCombo->setCurrentIndex(frequency < 0 ? Weekly : int(frequency));

    bool ok = false;
    const int interval = values.value(QStringLiteral("INTERVAL")).toInt(&ok);
    m_intervalSpin->setValue(ok && interval >= 1 ? interval : 1);

    const QString byDay = values.value(QStringLiteral("BYDAY"));
    if (frequency == Weekly && !byDay.isEmpty()) {
        for (QToolButton* button : std::as_const(m_weekdayButtons))
            button->setChecked(false);
        for (const QString& item : byDay.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            if (const int day = weekdayFromCode(item.trimmed().toUpper()))
                m_weekdayButtons.at(day - 1)->setChecked(true);
        }
    } else if (frequency == Monthly) {
        const QString byMonthDay = values.value(QStringLiteral("BYMONTHDAY"));
        const QStringList items = byDay.split(QLatin1Char(','), Qt::SkipEmptyParts);
        if (!byMonthDay.isEmpty()) {
            const int day = byMonthDay.toInt(&ok);
            if (ok && day >= 1 && day <= 31)
                m_monthDaySpin->setValue(day);
            m_monthlyModeGroup->button(OnDayOfMonth)->setChecked(true);
        } else if (!items.isEmpty()) {
            const QString item = items.first().trimmed().toUpper();
            if (const int day = weekdayFromCode(item.right(2)))
                m_weekdayCombo->setCurrentIndex(day - 1);
            const int position = item.chopped(std::min<qsizetype>(2, item.size())).toInt(&ok);
            const int ordinal = ok ? m_ordinalCombo->findData(position) : -1;
            if (ordinal >= 0)
                m_ordinalCombo->setCurrentIndex(ordinal);
            m_monthlyModeGroup->button(OnNthWeekday)->setChecked(true);
        }
    }

    if (values.contains(QStringLiteral("COUNT"))) {
        const int count = values.value(QStringLiteral("COUNT")).toInt(&ok);
        if (ok && count >= 1) {
            m_countSpin->setValue(count);
            m_endGroup->button(EndsAfter)->setChecked(true);
        }
    } else if (values.contains(QStringLiteral("UNTIL"))) {
        const QDate until = untilDate(values.value(QStringLiteral("UNTIL")));
        if (until.isValid()) {
            m_untilEdit->setDate(until);
            m_endGroup->button(EndsOn)->setChecked(true);
        }
    }
}
