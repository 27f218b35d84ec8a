#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

class QTimer;

// Coalesces a burst of change announcements into one signal: every schedule() (re)starts a
// single-shot timer, and when it runs out `fired` carries the id of the latest schedule(), and
// `firedAll` right before it every id of the burst, each once, in the order first scheduled. The
// signals come from the event loop, never from inside schedule().
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
    void firedAll(const QStringList& ids);
    void fired(const QString& id);

private:
    void flush();

    QTimer* m_timer;
    QString m_latestId;
    QStringList m_burstIds; // each once, in the order first scheduled
    QSet<QString> m_inBurst;
};
