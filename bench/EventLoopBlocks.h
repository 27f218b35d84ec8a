#pragma once

#include <QApplication>
#include <QElapsedTimer>

#include <functional>

// A QApplication that times every event the window's thread delivers from its event loop: the
// longest of those blocks is the longest the window went without answering, their sum the time
// that thread was busy. Events of other threads are not counted, nor is work the bench calls
// directly: post it (run()) to count it.
class EventLoopBlocks : public QApplication
{
public:
    EventLoopBlocks(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    void reset();
    double longestMs() const { return double(m_longestNs) / 1e6; }
    double busyMs() const { return double(m_busyNs) / 1e6; }

    // Posts `work` to the loop and turns the loop until `settled` holds (checked between turns)
    // and nothing is left to do, or `timeoutMs` passed; false on the time-out.
    bool run(const std::function<void()>& work, const std::function<bool()>& settled,
             int timeoutMs = 600000);
    // Turns the loop until `settled` holds and the loop has had nothing to do for a moment.
    bool settle(const std::function<bool()>& settled, int timeoutMs = 600000);

private:
    int m_depth = 0;
    qint64 m_longestNs = 0;
    qint64 m_busyNs = 0;
};
