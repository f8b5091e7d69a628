#include "treeitem.h"

#include <algorithm>

TreeItem::TreeItem(qint64 rowId, int level, TreeItem* parent)
    : m_rowId(rowId), m_level(level), m_parent(parent)
{
}

int TreeItem::childLevel(int level)
{
    switch (level) {
    case Root: return Group;
    case Group: return Band;
    case Band: return Channel;
    case Channel: return Mask;
    default: return Point;
    }
}

int TreeItem::row() const
{
    if (!m_parent)
        return 0;
    const auto& siblings = m_parent->m_children;
    const auto it = std::find_if(siblings.begin(), siblings.end(),
                                 [this](const std::unique_ptr<TreeItem>& c) { return c.get() == this; });
    return static_cast<int>(it - siblings.begin());
}

TreeItem* TreeItem::child(int row) const
{
    if (row < 0 || row >= childCount())
        return nullptr;
    return m_children[static_cast<size_t>(row)].get();
}

TreeItem* TreeItem::appendChild(std::unique_ptr<TreeItem> item)
{
    return insertChild(childCount(), std::move(item));
}

TreeItem* TreeItem::insertChild(int row, std::unique_ptr<TreeItem> item)
{
    item->m_parent = this;
    return m_children.insert(m_children.begin() + row, std::move(item))->get();
}

void TreeItem::removeChild(int row)
{
    m_children.erase(m_children.begin() + row);
}

QVariant TreeItem::value(int column) const
{
    return m_values.value(column);
}
