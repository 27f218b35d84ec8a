#pragma once

#include <QDialog>

class AppState;
class QLabel;
class QTreeWidget;
class QPushButton;

// The events that invite the user: those awaiting an answer, then the answered or past ones.
// Accept, Maybe and Decline record the answer on the user's own attendee entry through the
// invitations service (the event is then pushed with the next sync); the list follows.
class InvitationsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit InvitationsDialog(AppState* state, QWidget* parent = nullptr);

private:
    void reload();
    void updateButtons();
    void answer(const QString& status);

    AppState* m_state;
    QTreeWidget* m_list = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_accept = nullptr;
    QPushButton* m_maybe = nullptr;
    QPushButton* m_decline = nullptr;
};
