#include "EventAttendeeList.h"

#include "FormRows.h"
#include "LongTextField.h"
#include "Theme.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Rows built beyond each edge of the view, so that a scroll by a few rows finds them there.
constexpr int rowsAround = 10;

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
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    // The rows are placed by hand: only those near the view exist.
    m_rowsArea = new QWidget(m_scroll);
    m_scroll->setWidget(m_rowsArea);
    m_rowsArea->installEventFilter(this);
    connect(m_scroll->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &EventAttendeeList::fillView);
    m_scroll->hide();
    layout->addWidget(m_scroll);
    m_addButton = FormRows::linkButton(
        QCoreApplication::translate("EventFormDialog", "+ Add attendee"), this);
    connect(m_addButton, &QPushButton::clicked, this, &EventAttendeeList::add);
    layout->addWidget(m_addButton);
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
    // The new row is the last: it comes into view.
    m_scroll->verticalScrollBar()->setValue(m_scroll->verticalScrollBar()->maximum());
}

void EventAttendeeList::remove(int index)
{
    m_attendees.removeAt(index);
    rebuildRows();
}

void EventAttendeeList::rebuildRows()
{
    // Every row knows its attendee by position, which a removal shifts.
    for (QWidget* row : std::as_const(m_rows)) {
        row->hide();
        row->deleteLater();
    }
    m_rows.clear();
    if (m_attendees.isEmpty()) {
        m_scroll->hide();
        return;
    }
    if (m_rowHeight == 0) {
        QWidget* probe = buildRow(0);
        m_rowHeight = probe->sizeHint().height();
        delete probe;
    }
    const int count = int(m_attendees.size());
    m_rowsArea->setFixedHeight(count * rowPitch() - spacing);
    m_scroll->setFixedHeight(std::min(count, shownRows) * rowPitch() - spacing);
    m_scroll->show();
    fillView();
}

void EventAttendeeList::fillView()
{
    const int count = int(m_attendees.size());
    if (count == 0 || m_rowHeight == 0)
        return;
    const int top = m_scroll->verticalScrollBar()->value();
    const int viewHeight = std::max(m_scroll->viewport()->height(), m_scroll->height());
    const int first = std::max(0, top / rowPitch() - rowsAround);
    const int last = std::min(count - 1, (top + viewHeight) / rowPitch() + rowsAround);
    // Rows far from the view go, except one holding the focus: its edit is under way.
    QWidget* focused = m_rowsArea->focusWidget();
    for (auto it = m_rows.begin(); it != m_rows.end();) {
        const bool far = it.key() < first - rowsAround || it.key() > last + rowsAround;
        if (far && !(focused && it.value()->isAncestorOf(focused))) {
            it.value()->hide();
            it.value()->deleteLater();
            it = m_rows.erase(it);
        } else {
            ++it;
        }
    }
    const int width = m_rowsArea->width();
    for (int i = first; i <= last; ++i) {
        QWidget* row = m_rows.value(i);
        if (!row) {
            row = buildRow(i);
            m_rows.insert(i, row);
        }
        row->setGeometry(0, i * rowPitch(), width, m_rowHeight);
        row->show();
    }
}

bool EventAttendeeList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_rowsArea && event->type() == QEvent::Resize) {
        for (auto it = m_rows.cbegin(); it != m_rows.cend(); ++it)
            it.value()->resize(m_rowsArea->width(), m_rowHeight);
        fillView();
    }
    return QWidget::eventFilter(watched, event);
}

QWidget* EventAttendeeList::buildRow(int index)
{
    const Attendee& attendee = m_attendees.at(index);
    auto* row = new QWidget(m_rowsArea);
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
