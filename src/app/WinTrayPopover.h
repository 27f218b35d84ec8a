#pragma once

#include "Event.h"

#include <QDateTime>
#include <QFrame>
#include <QPointer>

#include <optional>

class AppState;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTimer;
class QToolButton;

// The small pop-up over the tray icon: today's date and time, the next event, today's and
// tomorrow's events of the active View, a quick add with a live preview, the View picker, and
// buttons that open the main window, sync and open the preferences. Everything it asks of the
// main window goes out as signals. All-day events are placed by their stored date.
class WinTrayPopover : public QFrame
{
    Q_OBJECT

public:
    static constexpr int popoverWidth = 340;
    static constexpr int clockIntervalMs = 30000;
    // The list grows with its rows up to this height, then scrolls.
    static constexpr int maxListHeight = 320;
    // Item data roles of the list.
    static constexpr int dateRole = Qt::UserRole + 1;
    static constexpr int headerRole = Qt::UserRole + 2;
    static constexpr int eventIdRole = Qt::UserRole + 3;

    WinTrayPopover(AppState* state, QWidget* parent);

    // Refreshes, places the popover above `anchor` inside the screen's available area (8 px
    // margin) and shows it with the keyboard focus in the quick add.
    void showAt(const QPoint& anchor);

    // "now", "in N min", "in Hh Mm" or "in Hh" from now to start.
    static QString relativeTime(const QDateTime& start, const QDateTime& now);

    QLabel* headerLabel() const { return m_headerLabel; }
    QComboBox* groupCombo() const { return m_groupCombo; }
    QFrame* card() const { return m_card; }
    QLabel* cardTitle() const { return m_cardTitle; }
    QLabel* cardWhen() const { return m_cardWhen; }
    QLabel* cardLocation() const { return m_cardLocation; }
    QListWidget* list() const { return m_list; }
    QLineEdit* quickAddEdit() const { return m_quickAddEdit; }
    QLabel* previewLabel() const { return m_previewLabel; }

public Q_SLOTS:
    void refresh();
    void reloadGroups();
    void updateTimeLabels();
    void updateQuickAddPreview(const QString& text);
    void commitQuickAdd();

Q_SIGNALS:
    void openMainWindow();
    void requestFocusOnEvent(const QString& eventId, const QDate& date);
    void openSettings();
    void syncNowRequested();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void onGroupActivated(int index);
    void onItemClicked(QListWidgetItem* item);
    void fitListHeight();
    void addHeader(const QString& text);
    void addPlaceholder(const QString& text);
    void addOccurrence(const Event& occurrence, const QString& colour, const QString& pattern);

    QPointer<AppState> m_state;
    QLabel* m_headerLabel = nullptr;
    QComboBox* m_groupCombo = nullptr;
    QFrame* m_card = nullptr;
    QLabel* m_cardDot = nullptr;
    QLabel* m_cardTitle = nullptr;
    QLabel* m_cardWhen = nullptr;
    QLabel* m_cardLocation = nullptr;
    QListWidget* m_list = nullptr;
    QLineEdit* m_quickAddEdit = nullptr;
    QLabel* m_previewLabel = nullptr;
    QToolButton* m_prefsButton = nullptr;
    QTimer* m_refreshTimer = nullptr;
    std::optional<Event> m_cardEvent;
};
