#pragma once

#include <QSpinBox>

// A whole hour of the day (0 to 24) written the way the time format says: "8:00 AM" on the
// 12-hour clock, "08:00" on the 24-hour one. Hour 24, the end of the day, reads "12:00 AM" or
// "24:00". Typed text is read back in either form.
class HourSpinBox : public QSpinBox
{
    Q_OBJECT

public:
    explicit HourSpinBox(QWidget* parent = nullptr);

    void setTwelveHour(bool twelveHour);
    bool isTwelveHour() const { return m_twelveHour; }

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& input, int& pos) const override;

private:
    // The value whose text (in either form) is `text`, or -1.
    int hourOf(const QString& text) const;

    bool m_twelveHour = true;
};
