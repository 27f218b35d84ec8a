#pragma once

#include "LoopbackHttpServer.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>

// A static file server on 127.0.0.1 standing in for the update feed: GET of a path answers the
// body set for it (404 otherwise); a stalled path is never answered, a trickled one byte by byte.
class FakeUpdateFeed : public QObject
{
    Q_OBJECT

public:
    explicit FakeUpdateFeed(QObject* parent = nullptr);

    // "http://127.0.0.1:<port>/calendar/stable/", the feed base the client is given.
    QString baseUrl() const;
    void setFile(const QString& path, const QByteArray& body, int status = 200);
    void stallPath(const QString& path) { m_stalled.insert(path); }
    // The path's body goes out one byte per interval.
    void tricklePath(const QString& path, int intervalMs) { m_trickled.insert(path, intervalMs); }
    QStringList requestedPaths() const;

private:
    LoopbackHttpServer::Reply serve(const LoopbackHttpServer::Request& request) const;

    LoopbackHttpServer* m_http;
    QHash<QString, LoopbackHttpServer::Reply> m_files;
    QSet<QString> m_stalled;
    QHash<QString, int> m_trickled;
};
