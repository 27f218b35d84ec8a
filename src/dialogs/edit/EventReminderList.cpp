#include "EventReminderList.h"

#include "FormRows.h"

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
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(8);
    m_addButton = FormRows::linkButton(
        QCoreApplication::translate("EventFormDialog", "+ Add reminder"), this);
    connect(m_addButton, &QPushButton::clicked, this, [this] { addRow(15); });
    m_layout->addWidget(m_addButton);
}

void EventReminderList::addRow(int minutes)
{
    auto* row = new QWidget(this);
    auto* layout = FormRows::rowLayout(row);
    auto* combo = new QComboBox(row);
    for (const ReminderChoice& choice : reminderChoices)
        combo->addItem(QCoreApplication::translate("EventFormDialog", choice.label),
                       choice.minutes);
    int index = combo->findData(minutes);
    if (index < 0) {
        combo->addItem(reminderText(minutes), minutes);
        index = combo->count() - 1;
    }
    combo->setCurrentIndex(index);
    layout->addWidget(combo, 1);
    auto* remove = FormRows::removeButton(row);
    connect(remove, &QToolButton::clicked, this, [this, row] {
        m_layout->removeWidget(row);
        row->hide();
        row->deleteLater();
    });
    layout->addWidget(remove);
    m_layout->insertWidget(m_layout->indexOf(m_addButton), row);
}

void EventReminderList::clear()
{
    for (int i = m_layout->count() - 1; i >= 0; --i) {
        QWidget* row = m_layout->itemAt(i)->widget();
        if (!row || row == m_addButton)
            continue;
        m_layout->removeWidget(row);
        row->hide();
        row->deleteLater();
    }
}

QList<int> EventReminderList::minutes() const
{
    QList<int> chosen;
    for (int i = 0; i < m_layout->count(); ++i) {
        QWidget* row = m_layout->itemAt(i)->widget();
        auto* combo = row ? row->findChild<QComboBox*>() : nullptr;
        if (combo)
            chosen.append(combo->currentData().toInt());
    }
    return chosen;
}
