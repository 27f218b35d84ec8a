#pragma once

#include <QDialog>
#include <QString>

class AppState;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTimer;

// Finds events by title, location or description. The search runs once typing has paused for
// searchDelayMs; picking a result (double click or Enter) emits eventActivated and closes the
// dialog as accepted.
class SearchDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int searchDelayMs = 200;
    // The most results listed; more matches are cut off with a note.
    static constexpr int maxResults = 100;

    explicit SearchDialog(AppState* state, QWidget* parent = nullptr);

Q_SIGNALS:
    void eventActivated(const QString& eventId);

private:
    void runSearch();
    void activate(QListWidgetItem* item);

    AppState* m_state;
    QLineEdit* m_query = nullptr;
    QListWidget* m_results = nullptr;
    QLabel* m_status = nullptr;
    QTimer* m_delay = nullptr;
};
