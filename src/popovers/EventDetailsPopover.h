#pragma once

#include "DetailsCard.h"
#include "Event.h"

#include <QString>

class AppState;
class QLabel;
class QPushButton;

// The card that shows one event over its window with "Edit…", "Duplicate" and "Delete". At most
// one exists: a new card, Escape, a press elsewhere in the window and an opening event form close
// it; it deletes itself on close. The Delete key does what "Delete" does. Text from the event is
// shown as plain text; only the description is rich text, after the core's sanitiser, and only
// http, https and mailto links open.
class EventDetailsPopover : public DetailsCard
{
    Q_OBJECT

public:
    // Builds and fills the card as a child of `parent`'s window (not a window of its own) and
    // closes the card shown before; does not show it (see PopoverPlacement.h). For an occurrence
    // of a series, `event` is the occurrence as expanded. `appState` must outlive the card.
    EventDetailsPopover(AppState* appState, const Event& event, QWidget* parent = nullptr);

    // The time line of the card: the long date and times in local time, or the stored dates of
    // an all-day event with "All-day". `timePattern` as TimeFormat gives it.
    static QString formatEventTimeRange(const Event& event, const QString& timePattern);

    // As tall as the wrapped content at the card's width needs, at most 560 px.
    QSize sizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildUi();
    void populate();
    void onEdit();
    void onDuplicate();
    void onDelete();

    AppState* m_appState;
    Event m_event;
    QWidget* m_content = nullptr;
    // The width of the texts, and their width when they scroll.
    int m_textWidth = 0;
    int m_scrolledWidth = 0;
    QLabel* m_titleLabel = nullptr;
    QLabel* m_timeLabel = nullptr;
    QLabel* m_calendarLabel = nullptr;
    QWidget* m_locationRow = nullptr;
    QLabel* m_locationLabel = nullptr;
    QLabel* m_descriptionLabel = nullptr;
    QLabel* m_organizerLabel = nullptr;
    QLabel* m_recurrenceLabel = nullptr;
    QLabel* m_remindersLabel = nullptr;
    QPushButton* m_editButton = nullptr;
    QPushButton* m_duplicateButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
};
