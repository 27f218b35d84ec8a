#include "HourSpinBox.h"

#include <QTime>

namespace {

QString hourText(int hour, bool twelveHour)
{
    if (!twelveHour)
        return QStringLiteral("%1:00").arg(hour, 2, 10, QLatin1Char('0'));
    return QTime(hour % 24, 0).toString(QStringLiteral("h:mm AP"));
}

} // namespace

HourSpinBox::HourSpinBox(QWidget* parent) : QSpinBox(parent) {}

void HourSpinBox::setTwelveHour(bool twelveHour)
{
    if (twelveHour == m_twelveHour)
        return;
    m_twelveHour = twelveHour;
    // Setting the (empty) suffix writes the shown text again, in the new form, and lets the
    // size hint follow; the value and its signals are untouched.
    setSuffix(QString());
}

QString HourSpinBox::textFromValue(int value) const
{
    return hourText(value, m_twelveHour);
}

int HourSpinBox::hourOf(const QString& text) const
{
    const QString wanted = text.trimmed();
    for (int hour = minimum(); hour <= maximum(); ++hour) {
        for (bool twelveHour : {m_twelveHour, !m_twelveHour}) {
            if (hourText(hour, twelveHour).compare(wanted, Qt::CaseInsensitive) == 0)
                return hour;
        }
    }
    return -1;
}

int HourSpinBox::valueFromText(const QString& text) const
{
    const int hour = hourOf(text);
    return hour < 0 ? value() : hour;
}

QValidator::State HourSpinBox::validate(QString& input, int&) const
{
    return hourOf(input) >= 0 ? QValidator::Acceptable : QValidator::Intermediate;
}
