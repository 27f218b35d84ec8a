#include "FakeUpdateFeed.h"

FakeUpdateFeed::FakeUpdateFeed(QObject* parent)
    : QObject(parent),
      m_http(new LoopbackHttpServer(
          [this](const LoopbackHttpServer::Request& request) { return serve(request); }, this))
{
}

QString FakeUpdateFeed::baseUrl() const
{
    return m_http->origin() + QStringLiteral("/calendar/stable/");
}

void FakeUpdateFeed::setFile(const QString& path, const QByteArray& body, int status)
{
    LoopbackHttpServer::Reply file;
    file.status = status;
    file.body = body;
    file.contentType = "application/octet-stream";
    m_files.insert(path, file);
}

QStringList FakeUpdateFeed::requestedPaths() const
{
    QStringList paths;
    for (const LoopbackHttpServer::Request& request : m_http->requests())
        paths.append(request.path);
    return paths;
}

LoopbackHttpServer::Reply FakeUpdateFeed::serve(const LoopbackHttpServer::Request& request) const
{
    LoopbackHttpServer::Reply reply;
    reply.status = 404;
    reply.body = "not found";
    reply = m_files.value(request.path, reply);
    reply.stall = m_stalled.contains(request.path);
    reply.trickleMs = m_trickled.value(request.path);
    return reply;
}
