#ifndef HTTPFIXTURE_H
#define HTTPFIXTURE_H

// A small HTTP/1.1 server on 127.0.0.1 serving a folder, for tests only. A
// path can be made to fail N times (500), to stall (headers, then silence) or
// to send only part of its body before closing.
#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QTcpServer>
#include <QTcpSocket>

class HttpFixture : public QObject
{
public:
    explicit HttpFixture(const QString& root) : m_root(root)
    {
        connect(&m_server, &QTcpServer::newConnection, this, &HttpFixture::accept);
        m_server.listen(QHostAddress::LocalHost, 0);
    }

    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()); }
    void failTimes(const QString& path, int times) { m_fail[path] = times; }
    void stall(const QString& path) { m_stalled.insert(path); }
    void cutShort(const QString& path, int bytes) { m_cut[path] = bytes; }
    int hits(const QString& path) const { return m_hits.value(path); }

private:
    void accept()
    {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    void serve(QTcpSocket* socket)
    {
        QByteArray& request = m_pending[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        const QString path = QString::fromUtf8(request.split(' ').value(1));
        m_pending.remove(socket);
        ++m_hits[path];
        if (m_stalled.contains(path))
            return reply(socket, "200 OK", QByteArray(), 1000);
        if (m_fail.value(path) > 0) {
            --m_fail[path];
            return reply(socket, "500 Internal Server Error", "failing on purpose");
        }
        QFile file(QDir(m_root).filePath(path.mid(1)));
        if (!file.open(QIODevice::ReadOnly))
            return reply(socket, "404 Not Found", "not here");
        const QByteArray body = file.readAll();
        if (m_cut.contains(path))
            return reply(socket, "200 OK", body.left(m_cut.value(path)), body.size());
        reply(socket, "200 OK", body);
    }

    // Sends a reply claiming length bytes (the body's own size when -1) and
    // closes unless the body falls short of a stalled reply.
    static void reply(QTcpSocket* socket, const char* status, const QByteArray& body, qint64 length = -1)
    {
        const qint64 declared = length < 0 ? body.size() : length;
        socket->write("HTTP/1.1 " + QByteArray(status) + "\r\nContent-Length: "
                      + QByteArray::number(declared) + "\r\nConnection: close\r\n\r\n" + body);
        socket->flush();
        if (body.isEmpty() && declared > 0)
            return; // stalled: keep the connection open and silent
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QString m_root;
    QHash<QString, int> m_fail;
    QSet<QString> m_stalled;
    QHash<QString, int> m_cut;
    QHash<QString, int> m_hits;
    QHash<QTcpSocket*, QByteArray> m_pending;
};

#endif
