#ifndef TREEMODEL_H
#define TREEMODEL_H

#include "maskdatabase.h"
#include "treeitem.h"

#include <QAbstractItemModel>

#include <memory>

// The mask database as a tree: groups, their frequency bands, channel
// spacings, masks and mask points, in three columns. Each edit is stored at
// once; a failed statement leaves the item as the database holds it and is
// reported through errorOccured.
class TreeModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    explicit TreeModel(QObject* parent = nullptr);
    ~TreeModel() override;

    // Opens the per-user copy (made from the delivered file on first use)
    // and builds the tree; a problem is reported through openFailed, and the
    // tree is then empty.
    void open(const QString& delivered, const QString& userCopy);
    MaskDatabase& database() { return m_db; }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    // Also deletes the rows below each removed item, all in one transaction.
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

    // TreeItem::Level of the item; Root for an invalid index.
    int levelOf(const QModelIndex& index) const;
    qint64 rowIdOf(const QModelIndex& index) const;
    // The mask of a mask or mask point; invalid for any other item.
    QModelIndex maskOf(const QModelIndex& index) const;
    // The (frequency, attenuation) texts of a mask's points, as shown.
    QList<QPair<QString, QString>> pointTexts(const QModelIndex& mask) const;

    // Adds an item not stored yet under parent (a group under the root); its
    // row is created when it is first edited. Returns its column-0 index.
    QModelIndex addItem(const QModelIndex& parent);
    // Whether an item of level source may be pasted at an item of level target.
    static bool canPaste(int source, int target);
    // Copies source with everything below it: a group as a new group, mask
    // points into the mask at target, anything else as a child of target.
    // Returns the new item, or an invalid index when nothing was copied.
    QModelIndex paste(const QModelIndex& source, const QModelIndex& target);
    // Rebuilds the points of a mask from the database (after the points
    // editor has changed them).
    void reloadPoints(const QModelIndex& mask);
    // The values offered when the item's column is edited; empty when the
    // column takes free text.
    QStringList choices(const QModelIndex& index);

signals:
    void errorOccured(const QString& message);
    void openFailed(const QString& message);

private:
    TreeItem* itemAt(const QModelIndex& index) const;
    QModelIndex indexOf(TreeItem* item) const;
    void build();
    void loadChildren(TreeItem* item);
    bool store(TreeItem* item, int column, const QVariant& value);
    bool createRow(TreeItem* item);
    bool deleteRows(const TreeItem* item);
    std::optional<qint64> copyRows(const TreeItem* source, qint64 targetRowId);
    void refresh(TreeItem* item);
    void fail();

    MaskDatabase m_db;
    std::unique_ptr<TreeItem> m_root;
};

#endif
