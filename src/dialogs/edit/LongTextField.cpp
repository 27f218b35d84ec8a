#include "LongTextField.h"

#include "Limits.h"
#include "ShownText.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <limits>

LongTextField::LongTextField(QLineEdit* field) : LongTextField(field, field, nullptr)
{
    // Qt's default of 32,767 characters would cut a longer stored text on Save.
    field->setMaxLength(std::numeric_limits<int>::max());
}

LongTextField::LongTextField(QPlainTextEdit* field) : LongTextField(field, nullptr, field) {}

LongTextField::LongTextField(QWidget* field, QLineEdit* line, QPlainTextEdit* plain)
    : QObject(field), m_field(field), m_line(line), m_plain(plain)
{
    field->installEventFilter(this);
}

QString LongTextField::fieldText() const
{
    return m_line ? m_line->text() : m_plain->toPlainText();
}

void LongTextField::show(const QString& text)
{
    if (m_line) {
        m_line->setText(text);
        m_line->setCursorPosition(0);
    } else {
        m_plain->setPlainText(text);
    }
}

void LongTextField::setText(const QString& text)
{
    if (m_partial) {
        m_field->setFocusPolicy(m_focusPolicy);
        m_line ? m_line->setReadOnly(m_readOnly) : m_plain->setReadOnly(m_readOnly);
    }
    m_text = text;
    m_partial = text.size() > Limits::maxFormFieldChars;
    if (!m_partial) {
        show(text);
        m_shownWhole = fieldText();
        return;
    }
    // A one-line field shows what a row shows; a text box a card's worth.
    show(ShownText::bounded(text, m_line ? Limits::maxRowTextChars : Limits::maxCardTextChars));
    m_shownWhole.clear();
    m_readOnly = m_line ? m_line->isReadOnly() : m_plain->isReadOnly();
    m_line ? m_line->setReadOnly(true) : m_plain->setReadOnly(true);
    // Tab passes it by and the form's first focus goes elsewhere: only a click or the label's
    // shortcut puts the whole text in.
    m_focusPolicy = m_field->focusPolicy();
    m_field->setFocusPolicy(Qt::ClickFocus);
    m_field->clearFocus();
}

QString LongTextField::text() const
{
    if (m_partial)
        return m_text;
    const QString shown = fieldText();
    return shown == m_shownWhole ? m_text : shown;
}

void LongTextField::showWhole()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_partial = false;
    m_field->setFocusPolicy(m_focusPolicy);
    m_line ? m_line->setReadOnly(m_readOnly) : m_plain->setReadOnly(m_readOnly);
    show(m_text);
    m_shownWhole = fieldText();
    QGuiApplication::restoreOverrideCursor();
}

bool LongTextField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_field && event->type() == QEvent::FocusIn && m_partial)
        showWhole();
    return QObject::eventFilter(watched, event);
}
