#pragma once

#include <QObject>
#include <QPointer>
#include <QWindow>

#include <functional>

class QWidget;

// Holds work back until the window of a widget has put its first frame on screen, so that a
// pane filling in never delays what the window shows first. Work for a window already on screen,
// or for a widget not shown, runs at once.
class FirstFrameWait : public QObject
{
    Q_OBJECT

public:
    explicit FirstFrameWait(QWidget* widget);

    // Runs `work` now or after the first frame; work waiting still is replaced.
    void run(std::function<void()> work);
    bool isWaiting() const { return bool(m_work); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void runWaiting();

    QWidget* m_widget;
    QPointer<QWindow> m_window;
    std::function<void()> m_work;
};
