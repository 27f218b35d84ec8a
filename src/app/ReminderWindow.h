#pragma once

#include "Notifier.h"

#include <QList>
#include <QWidget>

class QPushButton;
class QScrollArea;
class QVBoxLayout;

// A small window of our own that lists the reminders nothing else could show, oldest first, each
// with its title, its text, "Open" (when it names an event) and "Dismiss". It shows over the other
// windows without taking the keyboard focus, and hides when the last reminder is dismissed. The
// user closing it dismisses them all; the program closing it on its way out dismisses none. Text
// from events is shown as plain text.
class ReminderWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int windowWidth = 360;
    // The list grows with its reminders up to this height, then scrolls.
    static constexpr int maxListHeight = 420;
    // Distance from the screen's edges.
    static constexpr int screenMargin = 16;

    explicit ReminderWindow(QWidget* parent = nullptr);

    // Lists `notification` below the others and shows the window.
    void add(const Notification& notification);
    int count() const { return int(m_entries.size()); }

Q_SIGNALS:
    // The reminder shown with this id was dismissed ("Dismiss", "Open", "Dismiss all" or
    // closing the window).
    void dismissed(const QString& id);
    // "Open" was clicked on the reminder shown with this tag.
    void opened(const QString& tag);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Entry
    {
        QWidget* row = nullptr;
        Notification notification;
    };
    QWidget* buildRow(const Notification& notification);
    // Takes the entry of `row` off the list (hiding the window after the last one) and reports
    // it dismissed, and first opened when `open`.
    void finish(QWidget* row, bool open);
    void dismissAll();
    void fit();

    QList<Entry> m_entries;
    QScrollArea* m_scroll = nullptr;
    QVBoxLayout* m_list = nullptr;
    QPushButton* m_dismissAll = nullptr;
};
