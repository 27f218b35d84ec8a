#pragma once

#include "TreeTask.h"

#include <QPoint>
#include <QRect>
#include <QWidget>

class AppState;
class QLabel;
class QMimeData;

// One task of the tasks pane: a painted checkbox, the title with its dates and chips, optional
// notes and categories, indented by depth. It is the drag source and drop target that makes a
// task a subtask or moves it among its siblings; apart from the checkbox it writes nothing and
// reports to the pane instead.
class TasksPaneRow : public QWidget
{
    Q_OBJECT

public:
    // The dragged task's uid, UTF-8.
    static const QString uidMimeType;
    // "id\ncalendar id" of the dragged task: what the drop looks the task up by.
    static const QString refMimeType;

    TasksPaneRow(AppState* appState, const TreeTask& task, bool showNotes, bool showCategories,
                 const QString& calendarColor, int depth, QWidget* parent = nullptr);

    const Task& task() const { return m_task; }
    int depth() const { return m_depth; }
    int dropZone() const { return m_dropZone; }
    QRect checkboxRect() const;

    // The drag data of a task, and the task id and calendar id read back from one (empty when
    // the data does not carry them).
    static QMimeData* mimeDataFor(const Task& task);
    static QStringList refOf(const QMimeData* data);

    // Shows the drop indicator of a zone as a drag over the row would (0 clears it).
    void showDropZone(int zone);

Q_SIGNALS:
    void rowSelected(const QString& taskId, const QRect& screenRect);
    void rowActivated(const QString& taskId);
    void rowContextRequested(const QString& taskId, const QPoint& globalPos);
    void rowDropTargeted(const QString& sourceTaskId, const QString& targetTaskId, int zone);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildContents(bool showNotes, bool showCategories);
    void setDropZone(int zone);
    QRect checkboxHitRect() const { return checkboxRect().adjusted(-2, -2, 2, 2); }
    // False when the dragged task is this row's task or one of its ancestors (a cycle).
    bool acceptsDragged(const QString& draggedUid) const;

    AppState* m_appState;
    Task m_task;
    QString m_calendarColor;
    int m_depth = 0;
    bool m_hovered = false;
    QPoint m_pressPos;
    bool m_dragArmed = false;
    int m_dropZone = 0;
    QLabel* m_dropPill = nullptr;
};
