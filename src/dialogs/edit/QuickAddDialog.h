#pragma once

#include <QDialog>

class AppState;
class QLabel;
class QLineEdit;
class QShowEvent;

// The global quick add: one line of plain English, read back live as date, time and title, and
// stored as an event on Enter. Not modal; each showing starts empty.
class QuickAddDialog : public QDialog
{
    Q_OBJECT

public:
    // `state` is not owned and must outlive the dialog.
    explicit QuickAddDialog(AppState* state, QWidget* parent = nullptr);

Q_SIGNALS:
    // There is no calendar to put the event in; the main window shows itself instead.
    void openMainWindow();

public Q_SLOTS:
    void onTextChanged(const QString& text);
    void onCommit();

protected:
    void showEvent(QShowEvent* event) override;

private:
    AppState* m_state;
    QLineEdit* m_input = nullptr;
    QLabel* m_preview = nullptr;
};
