#include "myrelationaleditor.h"

#include "treemodel.h"

#include <QComboBox>

myRelationalEditor::myRelationalEditor(TreeModel* model, QObject* parent)
    : QStyledItemDelegate(parent), m_model(model)
{
}

QWidget* myRelationalEditor::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const
{
    const int level = m_model->levelOf(index);
    const bool typed = level == TreeItem::Group || level == TreeItem::Point
                       || (level == TreeItem::Mask && index.column() == 2);
    if (typed)
        return QStyledItemDelegate::createEditor(parent, option, index);
    const QStringList choices = m_model->choices(index);
    if (choices.isEmpty())
        return nullptr; // the list has nothing to choose from yet
    auto* box = new QComboBox(parent);
    box->addItems(choices);
    return box;
}

void myRelationalEditor::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        const int at = box->findText(index.data(Qt::EditRole).toString());
        box->setCurrentIndex(at < 0 ? 0 : at);
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void myRelationalEditor::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const
{
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        if (box->currentText() != index.data(Qt::EditRole).toString())
            model->setData(index, box->currentText());
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}
