#ifndef MASKDATABASE_H
#define MASKDATABASE_H

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

// The four lookup lists that bands, channel spacings and masks refer to.
enum class LookupKind { Band = 1, ChannelSpacing = 2, Bitrate = 3, Class = 4 };

// The SQLite file of equipment masks on a connection of its own. Every value
// reaches SQL as a bound parameter, never as statement text. A failed
// statement leaves its driver text in lastError().
class MaskDatabase
{
public:
    // The id of the row that stands for a value not chosen yet.
    static constexpr qint64 kPlaceholderId = -10;

    struct Entry
    {
        QString name;
        qint64 id = 0;
    };
    struct Point
    {
        qint64 rowId = 0;
        double frequency = 0;
        double attenuation = 0;
    };

    MaskDatabase();
    ~MaskDatabase();
    MaskDatabase(const MaskDatabase&) = delete;
    MaskDatabase& operator=(const MaskDatabase&) = delete;

    // Opens the per-user copy, made from the delivered file on first use; the
    // delivered file is only ever read. Creates the tables a new or empty
    // copy lacks. Returns the warning for the user, empty when all went well.
    QString open(const QString& delivered, const QString& userCopy);
    bool isOpen() const { return m_db.isOpen(); }
    QSqlDatabase connection() const { return m_db; }
    QString lastError() const { return m_lastError; }
    void setError(const QString& text) { m_lastError = text; }

    // Runs sql with the values bound in order; false (and lastError) on failure.
    bool exec(QSqlQuery& query, const QString& sql, const QVariantList& values = {});
    bool exec(const QString& sql, const QVariantList& values = {});
    // The first column of the first row, or nothing.
    std::optional<QVariant> value(const QString& sql, const QVariantList& values = {});
    bool begin();
    bool commit();
    void rollback();

    // The -10 row of the list, inserted when missing.
    std::optional<qint64> placeholderId(LookupKind kind);
    std::optional<qint64> lookupId(LookupKind kind, const QVariant& value);
    // The values offered when an item is edited (with " MHz" for spacings).
    QStringList choices(LookupKind kind);

    // The lists of the management dialog (placeholders left out).
    QList<Entry> entries(LookupKind kind);
    bool contains(LookupKind kind, const QString& value);
    bool addEntry(LookupKind kind, const QString& value);
    // Refused (false, lastError set) while a band, spacing or mask uses it.
    bool removeEntry(LookupKind kind, qint64 id);

    QList<Point> points(qint64 maskRowId);
    bool addPoint(qint64 maskRowId, double frequency, double attenuation);
    bool removePoint(qint64 pointRowId);
    bool removeAllPoints(qint64 maskRowId);

private:
    bool createTables();
    QString m_connectionName;
    QSqlDatabase m_db;
    QString m_lastError;
};

// A number as typed, in the C locale; nothing when it is not one.
std::optional<double> maskNumber(const QString& text);

#endif
