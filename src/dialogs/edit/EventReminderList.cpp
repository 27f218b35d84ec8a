#include "EventReminderList.h"

#include "FormRows.h"

#include <QComboBox>
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
    {0, QT_TRANSLATE_NOOP("EventReminderList", "At time of event")},
    {5, QT_TRANSLATE_NOOP("EventReminderList", "5 minutes before")},
    {10, QT_TRANSLATE_NOOP("EventReminderList", "10 minutes before")},
    {15, QT_TRANSLATE_NOOP("EventReminderList", "15 minutes before")},
    {30, QT_TRANSLATE_NOOP("EventReminderList", "30 minutes before")},
    {60, QT_TRANSLATE_NOOP("EventReminderList", "1 hour before")},
    {120, QT_TRANSLATE_NOOP("EventReminderList", "2 hours before")},
    {1440, QT_TRANSLATE_NOOP("EventReminderList", "1 day before")},
    {2880, QT_TRANSLATE_NOOP("EventReminderList", "2 days before")},
    {10080, QT_TRANSLATE_NOOP("EventReminderList", "1 week before")},
};

QString reminderText(int minutes)
{
    if (minutes == 0)
        return EventReminderList::tr("At time of event");
    if (minutes >= 1440)
        return EventReminderList::tr("%1 days before").arg(minutes / 1440);
    if (minutes >= 60)
        return EventReminderList::tr("%1 hours before").arg(minutes / 60);
    return EventReminderList::tr("%1 minutes before").arg(minutes);
}

} // namespace

EventReminderList::EventReminderList(QWidget* parent) : QWidget(parent)
{
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(8);
    m_addButton = FormRows::linkButton(tr("+ Add reminder"), this);
    connect(m_addButton, &QPushButton::clicked, this, [this] { addRow(15); });
    m_layout->addWidget(m_addButton);
}

void EventReminderList::addRow(int minutes)
{
    auto* row = new QWidget(this);
    auto* layout = FormRows::rowLayout(row);
    auto* combo = new QComboBox(row);
    for (const ReminderChoice& choice : reminderChoices)
        combo->addItem(tr(choice.label), choice.minutes);
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
