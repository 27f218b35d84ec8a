#pragma once

#include <QDialog>
#include <QString>

// Asks which occurrences a change of one occurrence of a recurring event (a drag, a form edit)
// or its deletion is for. `scope` holds the answer once exec() returned Accepted: 1 this event
// only, 2 this and following events, 3 all events; it stays 0 when the dialog is cancelled or
// closed.
class RecurringEditScopeDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Mode { Edit, Delete };

    explicit RecurringEditScopeDialog(const QString& eventTitle, QWidget* parent = nullptr,
                                      Mode mode = Mode::Edit);

    int scope = 0;
};
