#pragma once

#include <QDateTime>
#include <QPoint>
#include <QRect>
#include <QString>

// One press on a timeline block until its release: whether it became a move or a resize, and by
// how much. The widget feeds it the press, the pointer's positions with the sizes of the moment,
// and carries out what the release returns; the session itself touches no widget.
class TimelineDragSession
{
public:
    enum class State { Idle, Pressed, Moving, Resizing };
    // The travel that turns a press into a move: a single day moves only in time, so only
    // vertical travel counts; across day columns horizontal travel counts as well.
    enum class Axes { Vertical, Both };

    // What a release carries out.
    struct Outcome
    {
        enum class Kind { None, Move, Resize };
        Kind kind = Kind::None;
        QString eventId;
        QDateTime instanceStart;
        int minutes = 0;  // the move's offset or the resize's change of length
        int dayShift = 0; // columns moved
    };

    explicit TimelineDragSession(Axes axes) : m_axes(axes) {}

    // A left press at `point` on `block` of the occurrence starting at `instanceStart`, in day
    // column `column`: a resize in the block's bottom band, else a press that may become a move.
    void press(const QString& eventId, const QDateTime& instanceStart, const QRect& block,
               const QPoint& point, int column = 0);
    // The pointer at `point`, at `rowHeight` pixels per hour over `dayCount` columns
    // `columnWidth` wide. True while a move or a resize follows the pointer.
    bool follow(const QPoint& point, int rowHeight, int columnWidth = 1, int dayCount = 1);
    // The release: what to carry out (nothing when the pointer came back to where it started),
    // and the session idle again.
    Outcome release();

    State state() const { return m_state; }
    const QString& eventId() const { return m_eventId; }
    // The pressed block as it was painted.
    const QRect& block() const { return m_block; }
    int pressColumn() const { return m_pressColumn; }
    int minutes() const { return m_minutes; }
    int dayShift() const { return m_dayShift; }
    // Whether a ghost of the block shows where it would go: a move or resize that changes it.
    bool showsGhost() const;

private:
    Axes m_axes;
    State m_state = State::Idle;
    QString m_eventId;
    QDateTime m_instanceStart;
    QRect m_block;
    QPoint m_pressPoint;
    int m_pressColumn = 0;
    int m_minutes = 0;
    int m_dayShift = 0;
};
