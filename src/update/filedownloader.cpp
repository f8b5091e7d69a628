#include "filedownloader.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

fileDownloader::fileDownloader(QObject* parent)
    : QObject(parent), m_manager(new QNetworkAccessManager(this))
{
    connect(m_manager, &QNetworkAccessManager::finished, this,
            &fileDownloader::sl_downloadFinished);
}

fileDownloader::~fileDownloader()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

void fileDownloader::download(const QUrl& url, const QString& targetFile)
{
    m_error.clear();
    m_buffer.clear();
    m_writeFailed = false;
    m_fileName = targetFile;
    if (m_file.isOpen())
        m_file.close();
    if (!targetFile.isEmpty()) {
        m_file.setFileName(targetFile);
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            failAtOnce(tr("Could not create file:\n") + targetFile
                       + tr("\nDo you have write permissions?"));
            return;
        }
    }
    QNetworkRequest request(url);
    request.setTransferTimeout(m_stallTimeoutMs);
    // A mirror may move its files; following redirects costs nothing.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    m_reply = m_manager->get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &fileDownloader::sl_newDataArrived);
    connect(m_reply, &QNetworkReply::downloadProgress, this, &fileDownloader::sl_progress);
}

void fileDownloader::failAtOnce(const QString& message)
{
    m_error = message;
    QTimer::singleShot(0, this, [this] {
        emit receivedError(m_error);
        emit finished();
    });
}

void fileDownloader::sl_newDataArrived()
{
    if (!m_reply || !m_reply->isOpen())
        return;
    const QByteArray chunk = m_reply->readAll();
    if (!m_file.isOpen()) {
        m_buffer.append(chunk);
        return;
    }
    // A full disk must not pass for a complete file.
    if (m_file.write(chunk) != chunk.size())
        m_writeFailed = true;
}

void fileDownloader::sl_progress(qint64 bytesReceived, qint64 bytesTotal)
{
    emit progress(bytesReceived, bytesTotal);
}

qint64 fileDownloader::received() const
{
    return m_file.isOpen() ? m_file.size() : m_buffer.size();
}

// A server that closes the connection early can end a reply without an error;
// a file shorter than announced must not pass for a complete one.
QString fileDownloader::shortfall(QNetworkReply* reply, qint64 received)
{
    const QVariant declared = reply->header(QNetworkRequest::ContentLengthHeader);
    if (!declared.isValid() || declared.toLongLong() <= received)
        return QString();
    return tr("The transfer ended after %1 of %2 bytes.").arg(received).arg(declared.toLongLong());
}

void fileDownloader::sl_downloadFinished(QNetworkReply* reply)
{
    if (reply != m_reply) {
        // A transfer aborted earlier; its end means nothing now.
        reply->deleteLater();
        return;
    }
    sl_newDataArrived();
    const qint64 got = received();
    if (m_file.isOpen()) {
        if (!m_file.flush())
            m_writeFailed = true;
        m_file.close();
    }
    if (reply->error() != QNetworkReply::NoError)
        m_error = reply->errorString();
    else if (const QString cut = shortfall(reply, got); !cut.isEmpty())
        m_error = cut;
    else if (m_writeFailed)
        m_error = tr("Could not write file:\n") + m_fileName;
    m_reply = nullptr;
    reply->deleteLater();
    // What a failed transfer wrote (an error page, half a file) is no copy of
    // the file and must not be taken for one later.
    if (!m_error.isEmpty() && !m_fileName.isEmpty())
        QFile::remove(m_fileName);
    if (!m_error.isEmpty())
        emit receivedError(m_error);
    emit finished();
}

void fileDownloader::abort()
{
    if (m_reply)
        m_reply->abort();
}
