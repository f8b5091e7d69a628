#ifndef TREEITEM_H
#define TREEITEM_H

#include <QVariant>

#include <memory>
#include <vector>

// One node of the mask tree: a row of one of the five tree tables, with the
// values it shows. Owns its children.
class TreeItem
{
public:
    enum Level { Root = -1, Group = 0, Band = 1, Channel = 2, Mask = 3, Point = 6 };
    static constexpr int kColumns = 3;

    TreeItem(qint64 rowId, int level, TreeItem* parent = nullptr);

    // The level of a new child: group under the root, then band, channel
    // spacing, mask and mask point.
    static int childLevel(int level);

    qint64 rowId() const { return m_rowId; }
    void setRowId(qint64 rowId) { m_rowId = rowId; }
    int level() const { return m_level; }
    TreeItem* parent() const { return m_parent; }
    int row() const;

    int childCount() const { return static_cast<int>(m_children.size()); }
    TreeItem* child(int row) const;
    TreeItem* appendChild(std::unique_ptr<TreeItem> item);
    TreeItem* insertChild(int row, std::unique_ptr<TreeItem> item);
    void removeChild(int row);
    void clearChildren() { m_children.clear(); }
    std::vector<std::unique_ptr<TreeItem>> takeChildren() { return std::move(m_children); }

    QVariant value(int column) const;
    void setValues(const QVariantList& values) { m_values = values; }

private:
    qint64 m_rowId;
    int m_level;
    TreeItem* m_parent;
    std::vector<std::unique_ptr<TreeItem>> m_children;
    QVariantList m_values;
};

#endif
