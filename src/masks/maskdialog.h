#ifndef MASKDIALOG_H
#define MASKDIALOG_H

#include <QDialog>
#include <QPersistentModelIndex>

#include <functional>

class EditorWindow;
class QAction;
class QPushButton;
class QTreeView;
class TreeModel;

// The equipment mask database as a tree: groups, bands, channel spacings,
// masks and their points are added, renamed, deleted, copied and pasted
// here, and "Assign mask" copies the selected mask into the current record
// of the active editor window.
class maskDialog : public QDialog
{
    Q_OBJECT
public:
    // activeEditor gives the editor of the active sub-window, or nullptr
    // when none (or a report window) is active.
    maskDialog(const QString& delivered, const QString& userCopy,
               std::function<EditorWindow*()> activeEditor, QWidget* parent = nullptr);

    TreeModel* model() const { return m_model; }
    QTreeView* view() const { return treeView; }
    QAction* pasteAction() const { return m_paste; }

public slots:
    void s_maskgroup_add();
    void s_item_delete();
    void s_band_add();
    void s_channel_add();
    void s_bitrate_add();
    void s_menu_show();
    void s_manage_points();
    void s_copy();
    void s_paste();
    void s_manage_bands();
    void s_manage_channel();
    void s_manage_bitrates();
    void s_manage_classes();
    void s_change_item(const QModelIndex& index);
    void s_showTreeContextMenu(const QPoint& position);
    void s_showErrorMessage(const QString& message);
    void s_resize(const QModelIndex& index);
    void s_item_clicked(const QModelIndex& index);
    void s_copy_mask();

private:
    QAction* addMenuAction(const QString& text, void (maskDialog::*slot)());
    void addChild(const QModelIndex& parent);
    void manageList(int kind);
    QModelIndex current() const;

    TreeModel* m_model;
    QTreeView* treeView;
    std::function<EditorWindow*()> m_activeEditor;
    QList<QAction*> m_actions;
    QAction* m_paste = nullptr;
    QPersistentModelIndex m_copied;
};

#endif
