#ifndef MYRELATIONALEDITOR_H
#define MYRELATIONALEDITOR_H

#include <QStyledItemDelegate>

class TreeModel;

// Edits a band, channel spacing, bitrate or class by choosing from its
// lookup list; group names, remarks and points are typed.
class myRelationalEditor : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit myRelationalEditor(TreeModel* model, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    TreeModel* m_model;
};

#endif
