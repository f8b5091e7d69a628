#include "maskdatabase.h"

#include "maskschema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <atomic>

namespace {

struct LookupTable
{
    const char* table;
    const char* column;
    const char* placeholder; // SQL literal of the -10 row's value
    const char* user;        // the tree table that refers to the list
    const char* userColumn;
    bool numeric;
};

const LookupTable& lookupTable(LookupKind kind)
{
    static const LookupTable tables[] = {
        {"bands", "name", "'|-- select band --|'", "cband", "band", false},
        {"channel_spacing", "mhz", "0", "cchannel", "channel_spacing", true},
        {"bitrate", "bitrate", "'|-- select bitrate --|'", "cmask", "bitrate", false},
        {"class", "name", "'|-- select class --|'", "cmask", "class", false},
    };
    return tables[static_cast<int>(kind) - 1];
}

QString tr(const char* text)
{
    return QCoreApplication::translate("MaskDatabase", text);
}

QString nextConnectionName()
{
    static std::atomic_int counter{0};
    return QStringLiteral("linkwise-masks-%1").arg(++counter);
}

// Spacings are numbers in the database; a typed spacing is compared as one.
QVariant boundValue(const LookupTable& table, const QVariant& value)
{
    if (!table.numeric)
        return value;
    const std::optional<double> number = maskNumber(value.toString());
    return number ? QVariant(*number) : value;
}

} // namespace

std::optional<double> maskNumber(const QString& text)
{
    bool ok = false;
    const double number = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok)
        return std::nullopt;
    return number;
}

MaskDatabase::MaskDatabase() : m_connectionName(nextConnectionName())
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
}

MaskDatabase::~MaskDatabase()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

QString MaskDatabase::open(const QString& delivered, const QString& userCopy)
{
    const QString failure = tr("Could not open mask database equipment.db\n");
    QString warning;
    if (!QFileInfo::exists(userCopy)) {
        QDir().mkpath(QFileInfo(userCopy).absolutePath());
        QFile source(delivered);
        if (!source.open(QIODevice::ReadOnly)) {
            warning = failure + source.errorString();
        } else if (!source.copy(userCopy)) {
            warning = failure + source.errorString();
        } else {
            // The copy keeps the delivered file's permissions, which may be
            // read-only once the program is installed.
            QFile::setPermissions(userCopy, QFile::permissions(userCopy) | QFile::ReadOwner
                                                | QFile::WriteOwner);
        }
    }
    m_db.setDatabaseName(userCopy);
    // A file that is not a database opens; it fails on the first statement.
    if (!m_db.open() || !exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"))) {
        const QString reason = m_db.isOpen() ? m_lastError : m_db.lastError().text();
        m_db.close();
        m_lastError = reason;
        return failure + reason;
    }
    if (!createTables())
        return failure + m_lastError;
    return warning;
}

bool MaskDatabase::createTables()
{
    QStringList lines = QString::fromUtf8(kMaskSchema).split(QLatin1Char('\n'));
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [](const QString& line) {
                                   return line.trimmed().startsWith(QLatin1String("--"));
                               }),
                lines.end());
    const QStringList statements = lines.join(QLatin1Char(' ')).split(QLatin1Char(';'));
    for (const QString& statement : statements) {
        if (!statement.trimmed().isEmpty() && !exec(statement))
            return false;
    }
    return true;
}

bool MaskDatabase::exec(QSqlQuery& query, const QString& sql, const QVariantList& values)
{
    if (!m_db.isOpen()) {
        m_lastError = tr("The mask database is not open.");
        return false;
    }
    if (!query.prepare(sql)) {
        m_lastError = query.lastError().text();
        return false;
    }
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        m_lastError = query.lastError().text();
        return false;
    }
    return true;
}

bool MaskDatabase::exec(const QString& sql, const QVariantList& values)
{
    QSqlQuery query(m_db);
    return exec(query, sql, values);
}

std::optional<QVariant> MaskDatabase::value(const QString& sql, const QVariantList& values)
{
    QSqlQuery query(m_db);
    if (!exec(query, sql, values) || !query.next())
        return std::nullopt;
    return query.value(0);
}

bool MaskDatabase::begin()
{
    if (m_db.transaction())
        return true;
    m_lastError = m_db.lastError().text();
    return false;
}

bool MaskDatabase::commit()
{
    if (m_db.commit())
        return true;
    m_lastError = m_db.lastError().text();
    m_db.rollback();
    return false;
}

void MaskDatabase::rollback()
{
    m_db.rollback();
}

std::optional<qint64> MaskDatabase::placeholderId(LookupKind kind)
{
    const LookupTable& t = lookupTable(kind);
    const QString table = QString::fromLatin1(t.table);
    QSqlQuery query(m_db);
    if (!exec(query, QStringLiteral("SELECT id FROM %1 WHERE id=?").arg(table), {kPlaceholderId}))
        return std::nullopt;
    if (!query.next()
        && !exec(QStringLiteral("INSERT INTO %1 VALUES(%2,%3)")
                     .arg(table)
                     .arg(kPlaceholderId)
                     .arg(QString::fromLatin1(t.placeholder))))
        return std::nullopt;
    return kPlaceholderId;
}

std::optional<qint64> MaskDatabase::lookupId(LookupKind kind, const QVariant& value)
{
    const LookupTable& t = lookupTable(kind);
    QSqlQuery query(m_db);
    if (!exec(query, QStringLiteral("SELECT id FROM %1 WHERE %2=?")
                         .arg(QString::fromLatin1(t.table), QString::fromLatin1(t.column)),
              {boundValue(t, value)}))
        return std::nullopt;
    if (!query.next()) {
        m_lastError = tr("\"%1\" is not in the list.").arg(value.toString());
        return std::nullopt;
    }
    return query.value(0).toLongLong();
}

QStringList MaskDatabase::choices(LookupKind kind)
{
    const LookupTable& t = lookupTable(kind);
    // Spacing 0 (not chosen) stays offered so that a choice can be undone.
    const QString filter = kind == LookupKind::ChannelSpacing ? QString()
                                                              : QStringLiteral(" WHERE id >= 0");
    QSqlQuery query(m_db);
    QStringList list;
    if (!exec(query, QStringLiteral("SELECT id, %1 FROM %2%3 ORDER BY %1 ASC")
                         .arg(QString::fromLatin1(t.column), QString::fromLatin1(t.table), filter)))
        return list;
    while (query.next()) {
        const QString text = query.value(1).toString();
        list << (kind == LookupKind::ChannelSpacing ? text + QStringLiteral(" MHz") : text);
    }
    return list;
}

QList<MaskDatabase::Entry> MaskDatabase::entries(LookupKind kind)
{
    const LookupTable& t = lookupTable(kind);
    QSqlQuery query(m_db);
    QList<Entry> list;
    if (!exec(query, QStringLiteral("SELECT %1 AS name, id FROM %2 WHERE id >=0 ORDER BY name ASC")
                         .arg(QString::fromLatin1(t.column), QString::fromLatin1(t.table))))
        return list;
    while (query.next())
        list.append({query.value(0).toString(), query.value(1).toLongLong()});
    return list;
}

bool MaskDatabase::contains(LookupKind kind, const QString& value)
{
    return lookupId(kind, value).has_value();
}

bool MaskDatabase::addEntry(LookupKind kind, const QString& value)
{
    const LookupTable& t = lookupTable(kind);
    const QVariant bound = boundValue(t, value);
    if (t.numeric && bound.typeId() != QMetaType::Double) {
        m_lastError = tr("\"%1\" is not a number.").arg(value);
        return false;
    }
    const QString table = QString::fromLatin1(t.table);
    // The placeholder's -10 must not make the next id negative: lists show
    // only ids from 0 up.
    const std::optional<QVariant> last = this->value(QStringLiteral("SELECT MAX(id) FROM %1").arg(table));
    if (!last)
        return false;
    const qint64 id = last->isNull() ? 0 : std::max<qint64>(last->toLongLong() + 1, 0);
    return exec(QStringLiteral("INSERT INTO %1 (id, %2) VALUES (?, ?)")
                    .arg(table, QString::fromLatin1(t.column)),
                {id, bound});
}

bool MaskDatabase::removeEntry(LookupKind kind, qint64 id)
{
    const LookupTable& t = lookupTable(kind);
    const std::optional<QVariant> users =
        value(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2=?")
                  .arg(QString::fromLatin1(t.user), QString::fromLatin1(t.userColumn)),
              {id});
    if (!users)
        return false;
    if (users->toLongLong() > 0) {
        m_lastError = tr("This item is in use and cannot be deleted!");
        return false;
    }
    return exec(QStringLiteral("DELETE FROM %1 WHERE id=?").arg(QString::fromLatin1(t.table)), {id});
}

QList<MaskDatabase::Point> MaskDatabase::points(qint64 maskRowId)
{
    QSqlQuery query(m_db);
    QList<Point> list;
    if (!exec(query,
              QStringLiteral("SELECT ROWID, frequency, attenuation FROM mpoints WHERE mask_id=? "
                             "ORDER BY frequency ASC, ROWID"),
              {maskRowId}))
        return list;
    while (query.next())
        list.append({query.value(0).toLongLong(), query.value(1).toDouble(),
                     query.value(2).toDouble()});
    return list;
}

bool MaskDatabase::addPoint(qint64 maskRowId, double frequency, double attenuation)
{
    return exec(QStringLiteral("INSERT INTO mpoints (mask_id, frequency, attenuation) VALUES (?, ?, ?)"),
                {maskRowId, frequency, attenuation});
}

bool MaskDatabase::removePoint(qint64 pointRowId)
{
    return exec(QStringLiteral("DELETE FROM mpoints WHERE ROWID=?"), {pointRowId});
}

bool MaskDatabase::removeAllPoints(qint64 maskRowId)
{
    return exec(QStringLiteral("DELETE FROM mpoints WHERE mask_id=?"), {maskRowId});
}
