#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>

class QTcpServer;
class QTcpSocket;

// A static file server on 127.0.0.1 standing in for the update feed: GET of a path answers the
// body set for it (404 otherwise); a stalled path is never answered.
class FakeUpdateFeed : public QObject
{
    Q_OBJECT

public:
    explicit FakeUpdateFeed(QObject* parent = nullptr);

    // "http://127.0.0.1:<port>/calendar/stable/", the feed base the client is given.
    QString baseUrl() const;
    void setFile(const QString& path, const QByteArray& body, int status = 200);
    void stallPath(const QString& path) { m_stalled.insert(path); }
    QStringList requestedPaths() const { return m_requested; }

private:
    void onReadyRead(QTcpSocket* socket);

    struct File
    {
        QByteArray body;
        int status = 200;
    };

    QTcpServer* m_server;
    QHash<QString, File> m_files;
    QSet<QString> m_stalled;
    QStringList m_requested;
};
