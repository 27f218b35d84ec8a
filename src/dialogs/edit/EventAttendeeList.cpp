#include "EventAttendeeList.h"

#include "FormRows.h"
#include "Theme.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString answerText(const QString& status)
{
    if (status == QLatin1String("accepted"))
        return QCoreApplication::translate("EventFormDialog", "Going");
    if (status == QLatin1String("declined"))
        return QCoreApplication::translate("EventFormDialog", "Declined");
    if (status == QLatin1String("tentative"))
        return QCoreApplication::translate("EventFormDialog", "Maybe");
    if (status == QLatin1String("delegated"))
        return QCoreApplication::translate("EventFormDialog", "Delegated");
    return QCoreApplication::translate("EventFormDialog", "No response");
}

} // namespace

EventAttendeeList::EventAttendeeList(QWidget* parent) : QWidget(parent)
{
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(4);
    m_addButton = FormRows::linkButton(
        QCoreApplication::translate("EventFormDialog", "+ Add attendee"), this);
    connect(m_addButton, &QPushButton::clicked, this, &EventAttendeeList::add);
    m_layout->addWidget(m_addButton);
}

void EventAttendeeList::setAttendees(const QList<Attendee>& attendees)
{
    m_attendees = attendees;
    rebuildRows();
}

void EventAttendeeList::add()
{
    Attendee attendee;
    attendee.role = QStringLiteral("required");
    attendee.status = QStringLiteral("needs-action");
    attendee.rsvp = true;
    m_attendees.append(attendee);
    rebuildRows();
}

void EventAttendeeList::rebuildRows()
{
    for (int i = m_layout->count() - 1; i >= 0; --i) {
        QWidget* row = m_layout->itemAt(i)->widget();
        if (!row || row == m_addButton)
            continue;
        m_layout->removeWidget(row);
        row->hide();
        row->deleteLater();
    }
    for (qsizetype i = 0; i < m_attendees.size(); ++i) {
        const Attendee& attendee = m_attendees.at(i);
        auto* row = new QWidget(this);
        auto* layout = FormRows::rowLayout(row);
        auto* name = new QLineEdit(attendee.name, row);
        name->setPlaceholderText(QCoreApplication::translate("EventFormDialog", "Name"));
        name->setFixedWidth(160);
        connect(name, &QLineEdit::textEdited, this,
                [this, i](const QString& text) { m_attendees[i].name = text; });
        name->setCursorPosition(0);
        auto* email = new QLineEdit(attendee.email, row);
        email->setCursorPosition(0);
        email->setPlaceholderText(
            QCoreApplication::translate("EventFormDialog", "name@example.com"));
        connect(email, &QLineEdit::textEdited, this,
                [this, i](const QString& text) { m_attendees[i].email = text.trimmed(); });
        // The answer word may come from a server: plain text only.
        auto* answer = new QLabel(answerText(attendee.status), row);
        answer->setTextFormat(Qt::PlainText);
        answer->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::textMuted().name()));
        // One width for every answer, so that the fields of all rows line up.
        int answerWidth = 0;
        for (const QString& status :
             {QStringLiteral("accepted"), QStringLiteral("declined"), QStringLiteral("tentative"),
              QStringLiteral("delegated"), QString()})
            answerWidth =
                std::max(answerWidth, answer->fontMetrics().horizontalAdvance(answerText(status)));
        answer->setFixedWidth(answerWidth + 4);
        auto* remove = FormRows::removeButton(row);
        connect(remove, &QToolButton::clicked, this, [this, i] {
            m_attendees.removeAt(i);
            rebuildRows();
        });
        layout->addWidget(name);
        layout->addWidget(email, 1);
        layout->addWidget(answer);
        layout->addWidget(remove);
        m_layout->insertWidget(m_layout->indexOf(m_addButton), row);
    }
}
