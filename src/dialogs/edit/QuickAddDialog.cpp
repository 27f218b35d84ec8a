#include "QuickAddDialog.h"

#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "DateLanguage.h"
#include "NLParser.h"
#include "QuickAddState.h"
#include "TimeFormatState.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

QuickAddDialog::QuickAddDialog(AppState* state, QWidget* parent) : QDialog(parent), m_state(state)
{
    setWindowTitle(tr("Quick Add"));
    setModal(false);
    setFixedWidth(360);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(8);

    auto* hint = new QLabel(tr("Type an event in plain English."), this);
    hint->setWordWrap(true);
    layout->addWidget(hint);

    m_input = new QLineEdit(this);
    m_input->setPlaceholderText(tr("e.g. \"lunch Thursday 1pm\""));
    m_input->setClearButtonEnabled(true);
    layout->addWidget(m_input);

    m_preview = new QLabel(this);
    m_preview->setWordWrap(true);
    // The title part is the user's own words, never markup.
    m_preview->setTextFormat(Qt::PlainText);
    QFont font = m_preview->font();
    font.setPointSizeF(std::max(font.pointSizeF() - 1, 8.0));
    m_preview->setFont(font);
    QPalette palette = m_preview->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Mid));
    m_preview->setPalette(palette);
    layout->addWidget(m_preview);

    connect(m_input, &QLineEdit::textChanged, this, &QuickAddDialog::onTextChanged);
    connect(m_input, &QLineEdit::returnPressed, this, &QuickAddDialog::onCommit);
}

void QuickAddDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_input->clear();
    m_preview->clear();
    m_input->setFocus(Qt::OtherFocusReason);
}

void QuickAddDialog::onTextChanged(const QString& text)
{
    if (text.trimmed().isEmpty()) {
        m_preview->clear();
        return;
    }
    const std::optional<NLParser::ParseResult> parsed = NLParser::parse(text, Clock::nowLocal());
    if (!parsed || !parsed->start.isValid()) {
        m_preview->clear();
        return;
    }
    const QDateTime start = parsed->start.toLocalTime();
    QString line;
    if (parsed->allDay) {
        line = DateLanguage::format(start.date(), QStringLiteral("ddd, MMM d")) +
               QStringLiteral("  \u2012  ") + tr("All-day");
    } else {
        const QString timePattern = TimeFormat::timePattern(m_state);
        line = DateLanguage::format(start.date(), QStringLiteral("ddd, MMM d  ")) +
               TimeFormat::format(start, timePattern);
        if (parsed->end)
            line +=
                QStringLiteral(" – ") + TimeFormat::format(parsed->end->toLocalTime(), timePattern);
    }
    if (!parsed->title.isEmpty())
        line += QStringLiteral("  ·  ") + parsed->title;
    m_preview->setText(line);
}

void QuickAddDialog::onCommit()
{
    const QString text = m_input->text().trimmed();
    if (text.isEmpty())
        return;
    if (!m_state || m_state->calendars()->getAll().isEmpty()) {
        Q_EMIT openMainWindow();
        accept();
        return;
    }
    QuickAdd::Failure failure = QuickAdd::Failure::None;
    if (QuickAdd::createEvent(m_state, text, QString(), &failure).isEmpty()) {
        if (failure == QuickAdd::Failure::NoWritableCalendar)
            m_preview->setText(tr("No calendar accepts new events"));
        else if (failure == QuickAdd::Failure::Unreadable)
            m_preview->setText(tr("Couldn't read an event in this text"));
        else
            m_preview->setText(tr("Couldn't save event"));
        return;
    }
    accept();
}
