#include "EventReminderList.h"

#include "FormRows.h"
#include "ScrollingRows.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

struct ReminderChoice
{
    int minutes;
    const char* label;
};

const ReminderChoice reminderChoices[] = {
    {0, QT_TRANSLATE_NOOP("EventFormDialog", "At time of event")},
    {5, QT_TRANSLATE_NOOP("EventFormDialog", "5 minutes before")},
    {10, QT_TRANSLATE_NOOP("EventFormDialog", "10 minutes before")},
    {15, QT_TRANSLATE_NOOP("EventFormDialog", "15 minutes before")},
    {30, QT_TRANSLATE_NOOP("EventFormDialog", "30 minutes before")},
    {60, QT_TRANSLATE_NOOP("EventFormDialog", "1 hour before")},
    {120, QT_TRANSLATE_NOOP("EventFormDialog", "2 hours before")},
    {1440, QT_TRANSLATE_NOOP("EventFormDialog", "1 day before")},
    {2880, QT_TRANSLATE_NOOP("EventFormDialog", "2 days before")},
    {10080, QT_TRANSLATE_NOOP("EventFormDialog", "1 week before")},
};

QString reminderText(int minutes)
{
    // Plain locals: the translation tools do not read a division inside the call.
    const int days = minutes / 1440;
    const int hours = minutes / 60;
    if (minutes == 0)
        return QCoreApplication::translate("EventFormDialog", "At time of event");
    if (minutes >= 1440)
        return QCoreApplication::translate("EventFormDialog", "%n day(s) before", nullptr, days);
    if (minutes >= 60)
        return QCoreApplication::translate("EventFormDialog", "%n hour(s) before", nullptr, hours);
    return QCoreApplication::translate("EventFormDialog", "%n minute(s) before", nullptr, minutes);
}

} // namespace

EventReminderList::EventReminderList(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    m_rows = new ScrollingRows(
        shownRows, spacing, [this](int index, QWidget* area) { return buildRow(index, area); },
        this);
    layout->addWidget(m_rows);
    m_addButton = FormRows::linkButton(
        QCoreApplication::translate("EventFormDialog", "+ Add reminder"), this);
    connect(m_addButton, &QPushButton::clicked, this, [this] {
        addRow(15);
        m_rows->scrollToEnd();
    });
    layout->addWidget(m_addButton);
}

void EventReminderList::addRow(int minutes)
{
    m_minutes.append(minutes);
    m_rows->append();
}

void EventReminderList::clear()
{
    m_minutes.clear();
    m_rows->reset(0);
}

void EventReminderList::remove(int index)
{
    m_minutes.removeAt(index);
    m_rows->reset(int(m_minutes.size()));
}

QWidget* EventReminderList::buildRow(int index, QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = FormRows::rowLayout(row);
    auto* combo = new QComboBox(row);
    for (const ReminderChoice& choice : reminderChoices)
        combo->addItem(QCoreApplication::translate("EventFormDialog", choice.label),
                       choice.minutes);
    const int minutes = m_minutes.at(index);
    int choice = combo->findData(minutes);
    if (choice < 0) {
        combo->addItem(reminderText(minutes), minutes);
        choice = combo->count() - 1;
    }
    combo->setCurrentIndex(choice);
    connect(combo, &QComboBox::currentIndexChanged, this,
            [this, combo, index] { m_minutes[index] = combo->currentData().toInt(); });
    layout->addWidget(combo, 1);
    auto* removeButton = FormRows::removeButton(row);
    connect(removeButton, &QToolButton::clicked, this, [this, index] { remove(index); });
    layout->addWidget(removeButton);
    return row;
}
