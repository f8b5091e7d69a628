#ifndef MASKTESTDB_H
#define MASKTESTDB_H

#include "masks/treemodel.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

// A private copy of the delivered equipment.db and a per-user path beside it.
struct MaskFiles
{
    QTemporaryDir dir;
    QString delivered = dir.filePath(QStringLiteral("delivered.db"));
    QString user = dir.filePath(QStringLiteral("user/equipment.db"));

    MaskFiles() { QFile::copy(QStringLiteral(LINKWISE_BINDIR "/equipment.db"), delivered); }
};

inline qint64 count(TreeModel& model, const QString& sql)
{
    QSqlQuery query(model.database().connection());
    return query.exec(sql) && query.next() ? query.value(0).toLongLong() : -1;
}

// The first item of level `level` in a depth-first walk from parent.
inline QModelIndex firstOfLevel(const TreeModel& model, int level, const QModelIndex& parent = {})
{
    if (parent.isValid() && model.levelOf(parent) == level)
        return parent;
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex item = model.index(row, 0, parent);
        if (model.levelOf(item) == level)
            return item;
        const QModelIndex below = firstOfLevel(model, level, item);
        if (below.isValid())
            return below;
    }
    return {};
}

#endif
