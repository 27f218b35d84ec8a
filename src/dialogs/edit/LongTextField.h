#pragma once

#include <QObject>
#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

// Keeps a stored text whole in a form's line edit or plain text edit. Laying out a megabyte in
// such a field takes seconds, so a text longer than Limits::maxFormFieldChars is shown in part
// (its first characters and "…"), read-only and out of the tab order, until the field gets the
// focus (a click, or its label's shortcut): then the whole text goes in, to be edited, and the one
// wait is the user's choice. Until then text() is the stored text. A line edit takes any length.
class LongTextField : public QObject
{
    Q_OBJECT

public:
    // Watches `field`, which owns the watcher.
    explicit LongTextField(QLineEdit* field);
    explicit LongTextField(QPlainTextEdit* field);

    // What the field holds: shown whole, or in part until it is asked for.
    void setText(const QString& text);
    // The text last set while the field shows it as it was set (in part, or whole and unedited,
    // even where the widget would normalise it), else what the field holds now.
    QString text() const;
    // Whether the field shows only the start of its text.
    bool isPartial() const { return m_partial; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    LongTextField(QWidget* field, QLineEdit* line, QPlainTextEdit* plain);
    QString fieldText() const;
    void show(const QString& text);
    void showWhole();

    QWidget* m_field;
    QLineEdit* m_line;
    QPlainTextEdit* m_plain;
    QString m_text;
    // What the field held right after the whole text went in: while it holds the same, the text
    // set is the text.
    QString m_shownWhole;
    bool m_partial = false;
    bool m_readOnly = false;
    Qt::FocusPolicy m_focusPolicy = Qt::StrongFocus;
};
