#ifndef FILEDOWNLOADER_H
#define FILEDOWNLOADER_H

#include <QByteArray>
#include <QFile>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;


// Fetches one file at a time over HTTP, into a file or into memory. Each
// download ends with exactly one finished(), preceded by receivedError() when
// it failed; a download that cannot even start (target not writable) reports
// its error and finishes at once, through the event loop, so that callers
// always continue from finished().
class fileDownloader : public QObject
{
    Q_OBJECT
public:
    explicit fileDownloader(QObject* parent = nullptr);
    ~fileDownloader() override;

    // Starts a GET of url into targetFile; an empty name keeps the body in
    // memory (data()). A transfer that receives nothing for stallTimeoutMs
    // fails.
    void download(const QUrl& url, const QString& targetFile = QString());

    QString errorText() const { return m_error; }
    bool hasError() const { return !m_error.isEmpty(); }
    QString fileName() const { return m_fileName; }
    QByteArray data() const { return m_buffer; }
    bool isBusy() const { return m_reply != nullptr; }

    void setStallTimeout(int ms) { m_stallTimeoutMs = ms; }

public slots:
    void sl_downloadFinished(QNetworkReply* reply);
    void sl_newDataArrived();
    void sl_progress(qint64 bytesReceived, qint64 bytesTotal);
    void abort();

signals:
    void finished();
    void receivedError(QString message);
    void progress(qint64 bytesReceived, qint64 bytesTotal);

private:
    void failAtOnce(const QString& message);
    qint64 received() const;
    static QString shortfall(QNetworkReply* reply, qint64 received);

    QNetworkAccessManager* m_manager;
    QPointer<QNetworkReply> m_reply;
    QFile m_file;
    QString m_error;
    QString m_fileName;
    QByteArray m_buffer;
    bool m_writeFailed = false;
    int m_stallTimeoutMs = 60000;
};

#endif
