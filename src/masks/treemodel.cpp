#include "treemodel.h"

#include <QHash>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

// How each level's rows are read: row id, parent row id, then the shown
// values. Children keep the orders the tree has always shown: bands by name,
// spacings by value, masks by bitrate, points by frequency.
struct LevelSql
{
    const char* table;
    const char* parentColumn;
    const char* select;
    const char* order;
};

const LevelSql& levelSql(int level)
{
    static const LevelSql levels[] = {
        {"maskgroup", nullptr, "SELECT maskgroup.ROWID, NULL, maskgroup.name FROM maskgroup",
         "maskgroup.ROWID"},
        {"cband", "masktype",
         "SELECT cband.ROWID, cband.masktype, bands.name FROM cband "
         "INNER JOIN bands ON bands.id=cband.band",
         "bands.name ASC, cband.ROWID"},
        {"cchannel", "cband",
         "SELECT cchannel.ROWID, cchannel.cband, channel_spacing.mhz FROM cchannel "
         "INNER JOIN channel_spacing ON channel_spacing.id=cchannel.channel_spacing",
         "channel_spacing.mhz ASC, cchannel.ROWID"},
        {"cmask", "cchannel",
         "SELECT cmask.ROWID, cmask.cchannel, bitrate.bitrate, class.name, cmask.remarks FROM cmask "
         "INNER JOIN bitrate ON bitrate.id=cmask.bitrate LEFT JOIN class ON class.id=cmask.class",
         "bitrate.bitrate ASC, cmask.ROWID"},
        {"mpoints", "mask_id",
         "SELECT mpoints.ROWID, mpoints.mask_id, mpoints.frequency, mpoints.attenuation FROM mpoints",
         "mpoints.frequency ASC, mpoints.ROWID"},
    };
    return levels[level == TreeItem::Point ? 4 : level];
}

int depthOf(int level)
{
    return level == TreeItem::Point ? 4 : level;
}

QString column(const LevelSql& sql, const char* name)
{
    return QString::fromLatin1(sql.table) + QLatin1Char('.') + QString::fromLatin1(name);
}

QVariantList shownValues(const QSqlQuery& query)
{
    QVariantList values;
    for (int i = 2; i < query.record().count(); ++i)
        values << query.value(i);
    return values;
}

// The rows below an item at depth `depth`, found from its row id alone, so
// that rows the tree does not show go too.
QString rowsBelow(int depth, int itemDepth)
{
    static const int levels[] = {TreeItem::Group, TreeItem::Band, TreeItem::Channel,
                                 TreeItem::Mask, TreeItem::Point};
    if (depth == itemDepth)
        return QStringLiteral("ROWID=?");
    const LevelSql& parent = levelSql(levels[depth - 1]);
    return QStringLiteral("%1 IN (SELECT ROWID FROM %2 WHERE %3)")
        .arg(QString::fromLatin1(levelSql(levels[depth]).parentColumn),
             QString::fromLatin1(parent.table), rowsBelow(depth - 1, itemDepth));
}

bool sortsBefore(int level, const QVariant& a, const QVariant& b)
{
    if (level == TreeItem::Channel)
        return a.toDouble() < b.toDouble();
    return a.toString() < b.toString();
}

} // namespace

TreeModel::TreeModel(QObject* parent)
    : QAbstractItemModel(parent), m_root(std::make_unique<TreeItem>(-1, TreeItem::Root))
{
}

TreeModel::~TreeModel() = default;

void TreeModel::open(const QString& delivered, const QString& userCopy)
{
    const QString warning = m_db.open(delivered, userCopy);
    build();
    if (!warning.isEmpty())
        emit openFailed(warning);
}

// One statement per level rather than one per item: the delivered tree has
// thousands of items.
void TreeModel::build()
{
    beginResetModel();
    m_root->clearChildren();
    QHash<qint64, TreeItem*> parents;
    for (int level : {TreeItem::Group, TreeItem::Band, TreeItem::Channel, TreeItem::Mask,
                      TreeItem::Point}) {
        const LevelSql& sql = levelSql(level);
        QSqlQuery query(m_db.connection());
        if (!m_db.isOpen()
            || !m_db.exec(query, QStringLiteral("%1 ORDER BY %2")
                                     .arg(QString::fromLatin1(sql.select), QString::fromLatin1(sql.order))))
            break;
        QHash<qint64, TreeItem*> items;
        while (query.next()) {
            TreeItem* parent = level == TreeItem::Group ? m_root.get()
                                                        : parents.value(query.value(1).toLongLong());
            if (!parent)
                continue;
            const qint64 rowId = query.value(0).toLongLong();
            TreeItem* item = parent->appendChild(std::make_unique<TreeItem>(rowId, level));
            item->setValues(shownValues(query));
            items.insert(rowId, item);
        }
        parents = std::move(items);
    }
    endResetModel();
}

// The subtree of one item, for pasted items and re-read points.
void TreeModel::loadChildren(TreeItem* item)
{
    const int level = TreeItem::childLevel(item->level());
    const LevelSql& sql = levelSql(level);
    QSqlQuery query(m_db.connection());
    if (!m_db.exec(query, QStringLiteral("%1 WHERE %2=? ORDER BY %3")
                              .arg(QString::fromLatin1(sql.select),
                                   column(sql, sql.parentColumn), QString::fromLatin1(sql.order)),
                   {item->rowId()}))
        return;
    while (query.next()) {
        TreeItem* child =
            item->appendChild(std::make_unique<TreeItem>(query.value(0).toLongLong(), level));
        child->setValues(shownValues(query));
        if (level != TreeItem::Point)
            loadChildren(child);
    }
}

void TreeModel::refresh(TreeItem* item)
{
    const LevelSql& sql = levelSql(item->level());
    QSqlQuery query(m_db.connection());
    QVariantList values;
    if (m_db.exec(query, QStringLiteral("%1 WHERE %2=?")
                             .arg(QString::fromLatin1(sql.select), column(sql, "ROWID")),
                  {item->rowId()})
        && query.next())
        values = shownValues(query);
    item->setValues(values);
}

void TreeModel::fail()
{
    emit errorOccured(m_db.lastError());
}

TreeItem* TreeModel::itemAt(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<TreeItem*>(index.internalPointer()) : m_root.get();
}

QModelIndex TreeModel::indexOf(TreeItem* item) const
{
    return item == m_root.get() ? QModelIndex() : createIndex(item->row(), 0, item);
}

QModelIndex TreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column < 0 || column >= TreeItem::kColumns || (parent.isValid() && parent.column() != 0))
        return {};
    TreeItem* child = itemAt(parent)->child(row);
    return child ? createIndex(row, column, child) : QModelIndex();
}

QModelIndex TreeModel::parent(const QModelIndex& index) const
{
    if (!index.isValid())
        return {};
    return indexOf(itemAt(index)->parent());
}

int TreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() && parent.column() != 0)
        return 0;
    return itemAt(parent)->childCount();
}

int TreeModel::columnCount(const QModelIndex&) const
{
    return TreeItem::kColumns;
}

QVariant TreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const TreeItem* item = itemAt(index);
    const QVariant value = item->value(index.column());
    if (value.isNull())
        return {};
    if (item->level() == TreeItem::Channel && index.column() == 0)
        return value.toString() + QStringLiteral(" MHz");
    return value.toString();
}

QVariant TreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case 0: return tr("Mask group");
    case 1: return tr("Equipment class");
    case 2: return tr("Remarks");
    default: return {};
    }
}

Qt::ItemFlags TreeModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const int level = itemAt(index)->level();
    const int editableColumns = level == TreeItem::Mask ? 3 : level == TreeItem::Point ? 2 : 1;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() < editableColumns)
        flags |= Qt::ItemIsEditable;
    return flags;
}

int TreeModel::levelOf(const QModelIndex& index) const
{
    return itemAt(index)->level();
}

qint64 TreeModel::rowIdOf(const QModelIndex& index) const
{
    return itemAt(index)->rowId();
}

QModelIndex TreeModel::maskOf(const QModelIndex& index) const
{
    switch (levelOf(index)) {
    case TreeItem::Mask: return index.siblingAtColumn(0);
    case TreeItem::Point: return index.parent();
    default: return {};
    }
}

QList<QPair<QString, QString>> TreeModel::pointTexts(const QModelIndex& mask) const
{
    QList<QPair<QString, QString>> points;
    const QModelIndex parent = mask.siblingAtColumn(0);
    for (int row = 0; row < rowCount(parent); ++row)
        points.append({index(row, 0, parent).data().toString(),
                       index(row, 1, parent).data().toString()});
    return points;
}

QStringList TreeModel::choices(const QModelIndex& index)
{
    const int level = levelOf(index);
    const int col = index.column();
    if (level == TreeItem::Band && col == 0)
        return m_db.choices(LookupKind::Band);
    if (level == TreeItem::Channel && col == 0)
        return m_db.choices(LookupKind::ChannelSpacing);
    if (level == TreeItem::Mask && col < 2)
        return m_db.choices(col == 0 ? LookupKind::Bitrate : LookupKind::Class);
    return {};
}

bool TreeModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    TreeItem* item = itemAt(index);
    const qint64 before = item->rowId();
    if (!m_db.begin() || !store(item, index.column(), value) || !m_db.commit()) {
        m_db.rollback();
        item->setRowId(before);
        fail();
        return false;
    }
    refresh(item);
    emit dataChanged(index.siblingAtColumn(0), index.siblingAtColumn(TreeItem::kColumns - 1));
    return true;
}

// A new item's row is made with the -10 placeholders and then set like any
// other edit.
bool TreeModel::createRow(TreeItem* item)
{
    const qint64 parentId = item->parent()->rowId();
    if (item->level() != TreeItem::Group && parentId < 0) {
        m_db.setError(tr("The item above has not been stored yet: edit it first."));
        return false;
    }
    QSqlQuery query(m_db.connection());
    bool ok = false;
    switch (item->level()) {
    case TreeItem::Group:
        ok = m_db.exec(query, QStringLiteral("INSERT INTO maskgroup (name) VALUES ('<- New ->')"));
        break;
    case TreeItem::Band:
        if (const auto band = m_db.placeholderId(LookupKind::Band))
            ok = m_db.exec(query, QStringLiteral("INSERT INTO cband (masktype, band) VALUES (?, ?)"),
                           {parentId, *band});
        break;
    case TreeItem::Channel:
        if (const auto spacing = m_db.placeholderId(LookupKind::ChannelSpacing))
            ok = m_db.exec(query,
                           QStringLiteral("INSERT INTO cchannel (cband, channel_spacing) VALUES (?, ?)"),
                           {parentId, *spacing});
        break;
    case TreeItem::Mask: {
        const auto bitrate = m_db.placeholderId(LookupKind::Bitrate);
        const auto cls = m_db.placeholderId(LookupKind::Class);
        ok = bitrate && cls
             && m_db.exec(query,
                          QStringLiteral("INSERT INTO cmask (cchannel, bitrate, class, remarks) "
                                         "VALUES (?, ?, ?, '- remarks -')"),
                          {parentId, *bitrate, *cls});
        break;
    }
    default: break;
    }
    if (ok)
        item->setRowId(query.lastInsertId().toLongLong());
    return ok;
}

bool TreeModel::store(TreeItem* item, int column, const QVariant& value)
{
    const int level = item->level();
    QString sql;
    QVariant bound = value;
    if (level == TreeItem::Group) {
        sql = QStringLiteral("UPDATE maskgroup SET name=? WHERE ROWID=?");
    } else if (level == TreeItem::Point) {
        const std::optional<double> number = maskNumber(value.toString());
        if (!number) {
            m_db.setError(tr("\"%1\" is not a number.").arg(value.toString()));
            return false;
        }
        bound = *number;
        sql = column == 0 ? QStringLiteral("UPDATE mpoints SET frequency=? WHERE ROWID=?")
                          : QStringLiteral("UPDATE mpoints SET attenuation=? WHERE ROWID=?");
    } else if (level == TreeItem::Mask && column == 2) {
        sql = QStringLiteral("UPDATE cmask SET remarks=? WHERE ROWID=?");
    } else {
        LookupKind kind = LookupKind::Band;
        QString text = value.toString();
        if (level == TreeItem::Band) {
            sql = QStringLiteral("UPDATE cband SET band=? WHERE ROWID=?");
        } else if (level == TreeItem::Channel) {
            kind = LookupKind::ChannelSpacing;
            if (text.endsWith(QLatin1String(" MHz")))
                text.chop(4);
            sql = QStringLiteral("UPDATE cchannel SET channel_spacing=? WHERE ROWID=?");
        } else {
            kind = column == 0 ? LookupKind::Bitrate : LookupKind::Class;
            sql = column == 0 ? QStringLiteral("UPDATE cmask SET bitrate=? WHERE ROWID=?")
                              : QStringLiteral("UPDATE cmask SET class=? WHERE ROWID=?");
        }
        const std::optional<qint64> id = m_db.lookupId(kind, text);
        if (!id)
            return false;
        bound = *id;
    }
    if (item->rowId() < 0 && !createRow(item))
        return false;
    return m_db.exec(sql, {bound, item->rowId()});
}

bool TreeModel::deleteRows(const TreeItem* item)
{
    if (item->rowId() < 0)
        return true; // never stored, and nothing below it can be
    const int itemDepth = depthOf(item->level());
    static const int levels[] = {TreeItem::Group, TreeItem::Band, TreeItem::Channel,
                                 TreeItem::Mask, TreeItem::Point};
    for (int depth = 4; depth >= itemDepth; --depth) {
        const QString sql = QStringLiteral("DELETE FROM %1 WHERE %2")
                                .arg(QString::fromLatin1(levelSql(levels[depth]).table),
                                     rowsBelow(depth, itemDepth));
        if (!m_db.exec(sql, {item->rowId()}))
            return false;
    }
    return true;
}

bool TreeModel::removeRows(int row, int count, const QModelIndex& parent)
{
    TreeItem* parentItem = itemAt(parent);
    if (row < 0 || count < 1 || row + count > parentItem->childCount())
        return false;
    bool ok = m_db.begin();
    for (int i = 0; ok && i < count; ++i)
        ok = deleteRows(parentItem->child(row + i));
    if (!ok || !m_db.commit()) {
        m_db.rollback();
        fail();
        return false;
    }
    beginRemoveRows(parent, row, row + count - 1);
    for (int i = 0; i < count; ++i)
        parentItem->removeChild(row);
    endRemoveRows();
    return true;
}

QModelIndex TreeModel::addItem(const QModelIndex& parent)
{
    TreeItem* parentItem = itemAt(parent.siblingAtColumn(0));
    if (parentItem->level() == TreeItem::Mask || parentItem->level() == TreeItem::Point)
        return {}; // points are added in the points editor
    const int row = parentItem->childCount();
    beginInsertRows(indexOf(parentItem), row, row);
    TreeItem* item = parentItem->appendChild(
        std::make_unique<TreeItem>(-1, TreeItem::childLevel(parentItem->level())));
    endInsertRows();
    return indexOf(item);
}

bool TreeModel::canPaste(int source, int target)
{
    switch (source) {
    case TreeItem::Group: // always becomes a new group
        return target == TreeItem::Group || target == TreeItem::Root;
    case TreeItem::Band: return target == TreeItem::Group;
    case TreeItem::Channel: return target == TreeItem::Band;
    case TreeItem::Mask: return target == TreeItem::Channel;
    case TreeItem::Point: return target == TreeItem::Mask || target == TreeItem::Point;
    default: return false;
    }
}

// Copies the rows of source under the row targetRowId; returns the new row id
// (for points, the target mask's).
std::optional<qint64> TreeModel::copyRows(const TreeItem* source, qint64 targetRowId)
{
    QSqlQuery query(m_db.connection());
    const qint64 from = source->rowId();
    switch (source->level()) {
    case TreeItem::Group:
        if (!m_db.exec(query, QStringLiteral("INSERT INTO maskgroup (name) SELECT name FROM maskgroup WHERE ROWID=?"), {from}))
            return std::nullopt;
        break;
    case TreeItem::Band:
        if (!m_db.exec(query, QStringLiteral("INSERT INTO cband (masktype, band) SELECT ?, band FROM cband WHERE ROWID=?"), {targetRowId, from}))
            return std::nullopt;
        break;
    case TreeItem::Channel:
        if (!m_db.exec(query, QStringLiteral("INSERT INTO cchannel (cband, channel_spacing) SELECT ?, channel_spacing FROM cchannel WHERE ROWID=?"), {targetRowId, from}))
            return std::nullopt;
        break;
    case TreeItem::Mask:
        if (!m_db.exec(query, QStringLiteral("INSERT INTO cmask (cchannel, bitrate, class, remarks) SELECT ?, bitrate, class, remarks FROM cmask WHERE ROWID=?"), {targetRowId, from}))
            return std::nullopt;
        break;
    default: // the points of the copied point's mask
        if (!m_db.exec(QStringLiteral("INSERT INTO mpoints (mask_id, frequency, attenuation) SELECT ?, frequency, attenuation FROM mpoints WHERE mask_id=?"),
                       {targetRowId, source->parent()->rowId()}))
            return std::nullopt;
        return targetRowId;
    }
    const qint64 newId = query.lastInsertId().toLongLong();
    if (source->level() == TreeItem::Mask) {
        if (!m_db.exec(QStringLiteral("INSERT INTO mpoints (mask_id, frequency, attenuation) SELECT ?, frequency, attenuation FROM mpoints WHERE mask_id=?"),
                       {newId, from}))
            return std::nullopt;
        return newId;
    }
    for (int i = 0; i < source->childCount(); ++i) {
        const TreeItem* child = source->child(i);
        if (child->rowId() >= 0 && !copyRows(child, newId))
            return std::nullopt;
    }
    return newId;
}

QModelIndex TreeModel::paste(const QModelIndex& source, const QModelIndex& target)
{
    const TreeItem* from = itemAt(source.siblingAtColumn(0));
    const int level = from->level();
    if (!source.isValid() || !canPaste(level, levelOf(target)))
        return {};
    TreeItem* parentItem = level == TreeItem::Group ? m_root.get()
                           : level == TreeItem::Point ? itemAt(maskOf(target))
                                                      : itemAt(target.siblingAtColumn(0));
    if (from->rowId() < 0 || (level != TreeItem::Group && parentItem->rowId() < 0)) {
        m_db.setError(tr("Only stored items can be copied, and only onto stored items."));
        fail();
        return {};
    }
    std::optional<qint64> newId;
    if (!m_db.begin() || !(newId = copyRows(from, parentItem->rowId())) || !m_db.commit()) {
        m_db.rollback();
        fail();
        return {};
    }
    if (level == TreeItem::Point) {
        reloadPoints(indexOf(parentItem));
        return indexOf(parentItem);
    }
    auto item = std::make_unique<TreeItem>(*newId, level);
    refresh(item.get());
    loadChildren(item.get());
    int row = 0;
    while (row < parentItem->childCount()
           && (level == TreeItem::Group
               || !sortsBefore(level, item->value(0), parentItem->child(row)->value(0))))
        ++row;
    beginInsertRows(indexOf(parentItem), row, row);
    TreeItem* inserted = parentItem->insertChild(row, std::move(item));
    endInsertRows();
    return indexOf(inserted);
}

void TreeModel::reloadPoints(const QModelIndex& mask)
{
    TreeItem* item = itemAt(mask);
    if (item->level() != TreeItem::Mask)
        return;
    const QModelIndex parent = indexOf(item);
    if (item->childCount() > 0) {
        beginRemoveRows(parent, 0, item->childCount() - 1);
        item->clearChildren();
        endRemoveRows();
    }
    TreeItem loaded(item->rowId(), TreeItem::Mask);
    loadChildren(&loaded);
    if (loaded.childCount() == 0)
        return;
    beginInsertRows(parent, 0, loaded.childCount() - 1);
    for (auto& point : loaded.takeChildren())
        item->appendChild(std::move(point));
    endInsertRows();
}
