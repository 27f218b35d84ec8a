#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QWidget>

class AppState;
class DayView;
class FittingLabel;
class MonthView;
class QKeySequence;
class QStackedWidget;
class QTimer;
class QToolButton;
class WeekGridView;
class WeekView;
class YearView;

// The calendar half of the main window: navigation buttons, the title of the shown range, the
// calendar-group button and the mode buttons above a stack of the six views. Every navigation
// goes through the hub's setters; the area follows the hub's signals to show the matching page
// and title. It also counts the events the filter rules hide in the shown range.
class ViewArea : public QWidget
{
    Q_OBJECT

public:
    ViewArea(AppState* appState, QWidget* parent = nullptr);
    ~ViewArea() override;

    void setMode(const QString& mode);
    // Moves the pages and the title to the date at once; the pages, and the count of hidden
    // events, read the store from the event loop, once for dates set together.
    void setDate(const QDate& date);
    // -1 the previous period, +1 the next (Ctrl changes the step of "days" and "grid").
    void step(int direction);

    QString mode() const { return m_mode; }
    // The title of the shown range in full; a narrow header shows a shorter form of it.
    QString title() const;
    FittingLabel* titleLabel() const { return m_titleLabel; }
    QStackedWidget* stack() const { return m_stack; }
    QToolButton* groupButton() const { return m_groupButton; }
    QToolButton* horizonChip() const { return m_horizonChip; }
    DayView* dayView() const { return m_dayView; }
    WeekView* weekView() const { return m_weekView; }
    WeekView* daysView() const { return m_daysView; }
    MonthView* monthView() const { return m_monthView; }
    YearView* yearView() const { return m_yearView; }
    WeekGridView* gridView() const { return m_gridView; }

    bool eventFilter(QObject* watched, QEvent* event) override;

Q_SIGNALS:
    // "Add Calendar Group…" (an empty id) or "Edit Current Group…" (that group's id) was chosen
    // in the group menu. The group form lives with the management dialogs, which the window
    // hosting the area opens.
    void calendarGroupFormRequested(const QString& groupId);

private:
    void updateTitle();
    void updateFilterHiddenCount();
    void buildGroupMenu();
    void confirmDeleteGroup(const QString& id, const QString& name);
    void installShortcuts();
    void addModeShortcut(const QKeySequence& key, const QString& mode);
    void addHorizonShortcut(const QKeySequence& key, int days);
    QString weatherSuffix(const QDate& date);

    AppState* m_appState;
    QToolButton* m_dayButton;
    QToolButton* m_weekButton;
    QToolButton* m_daysButton;
    QToolButton* m_monthButton;
    QToolButton* m_yearButton;
    QToolButton* m_gridButton;
    QToolButton* m_previousButton;
    QToolButton* m_todayButton;
    QToolButton* m_nextButton;
    QToolButton* m_groupButton;
    QToolButton* m_horizonChip;
    FittingLabel* m_titleLabel;
    int m_wheelAccumulator = 0;
    QStackedWidget* m_stack;
    DayView* m_dayView;
    WeekView* m_weekView;
    WeekView* m_daysView;
    MonthView* m_monthView;
    YearView* m_yearView;
    WeekGridView* m_gridView;
    QString m_mode = QStringLiteral("week");
    QTimer* m_hiddenCountReload;
};
