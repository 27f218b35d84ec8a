#pragma once

#include "Task.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

class AppState;

// One task of the agenda: a painted tick box in the task's colour, the title (struck out when
// completed) and "Overdue" when it is. A click on the box completes or reopens the task as
// stored; every other click goes out as a signal with the task id.
class AgendaTaskRow : public QWidget
{
    Q_OBJECT

public:
    AgendaTaskRow(AppState* appState, const Task& task, QWidget* parent = nullptr);

    const Task& task() const { return m_task; }
    // The colour text the row is drawn in.
    QString colour() const { return m_colour; }
    // Where the tick box is painted; clicks count a little around it.
    QRect tickBoxRect() const;

Q_SIGNALS:
    // A click beside the box; `screenRect` is the row in screen coordinates.
    void rowSelected(const QString& taskId, const QRect& screenRect);
    void rowActivated(const QString& taskId);
    void rowContextRequested(const QString& taskId, const QPoint& globalPos);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QRect tickBoxHitRect() const { return tickBoxRect().adjusted(-2, -2, 2, 2); }
    void toggleCompleted();

    AppState* m_appState;
    Task m_task;
    QString m_colour;
    bool m_hovered = false;
};
