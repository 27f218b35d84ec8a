#pragma once

#include <QObject>
#include <QString>

class QTimer;

// Coalesces a burst of change announcements into one signal: every schedule() (re)starts a
// single-shot timer, and when it runs out `fired` carries the id of the latest schedule() only.
// The signal comes from the event loop, never from inside schedule().
class ChangeCoalescer : public QObject
{
    Q_OBJECT

public:
    static constexpr int defaultIntervalMs = 150;

    explicit ChangeCoalescer(QObject* parent = nullptr, int intervalMs = defaultIntervalMs);

    void schedule(const QString& id);

    // True while an announcement is waiting for the timer.
    bool isPending() const;

Q_SIGNALS:
    void fired(const QString& id);

private:
    void flush();

    QTimer* m_timer;
    QString m_pendingId;
};
