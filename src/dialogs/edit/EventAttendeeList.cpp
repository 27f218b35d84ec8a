#include "EventAttendeeList.h"

#include "FormRows.h"
#include "LongTextField.h"
#include "ScrollingRows.h"
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
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    m_rows = new ScrollingRows(
        shownRows, spacing, [this](int index, QWidget* area) { return buildRow(index, area); },
        this);
    layout->addWidget(m_rows);
    m_addButton = FormRows::linkButton(
        QCoreApplication::translate("EventFormDialog", "+ Add attendee"), this);
    connect(m_addButton, &QPushButton::clicked, this, &EventAttendeeList::add);
    layout->addWidget(m_addButton);
}

void EventAttendeeList::setAttendees(const QList<Attendee>& attendees)
{
    m_attendees = attendees;
    m_rows->reset(int(m_attendees.size()));
}

void EventAttendeeList::add()
{
    Attendee attendee;
    attendee.role = QStringLiteral("required");
    attendee.status = QStringLiteral("needs-action");
    attendee.rsvp = true;
    m_attendees.append(attendee);
    m_rows->append();
    // The new row is the last: it comes into view, and what the user types next goes into its
    // name field.
    m_rows->scrollToEnd();
    if (QWidget* row = m_rows->row(m_rows->count() - 1))
        row->findChild<QLineEdit*>()->setFocus(Qt::OtherFocusReason);
}

void EventAttendeeList::remove(int index)
{
    m_attendees.removeAt(index);
    m_rows->reset(int(m_attendees.size()));
}

QWidget* EventAttendeeList::buildRow(int index, QWidget* parent)
{
    const Attendee& attendee = m_attendees.at(index);
    auto* row = new QWidget(parent);
    auto* layout = FormRows::rowLayout(row);
    auto* name = new QLineEdit(row);
    (new LongTextField(name))->setText(attendee.name);
    name->setPlaceholderText(QCoreApplication::translate("EventFormDialog", "Name"));
    name->setFixedWidth(160);
    connect(name, &QLineEdit::textEdited, this,
            [this, index](const QString& text) { m_attendees[index].name = text; });
    auto* email = new QLineEdit(row);
    (new LongTextField(email))->setText(attendee.email);
    email->setPlaceholderText(QCoreApplication::translate("EventFormDialog", "name@example.com"));
    connect(email, &QLineEdit::textEdited, this,
            [this, index](const QString& text) { m_attendees[index].email = text.trimmed(); });
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
    auto* removeButton = FormRows::removeButton(row);
    connect(removeButton, &QToolButton::clicked, this, [this, index] { remove(index); });
    layout->addWidget(name);
    layout->addWidget(email, 1);
    layout->addWidget(answer);
    layout->addWidget(removeButton);
    return row;
}
