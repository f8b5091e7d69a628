#include "maskdialog.h"

#include "maskassignment.h"
#include "maskpoints.h"
#include "myrelationaleditor.h"
#include "parampicker.h"
#include "treemodel.h"
#include "ui/closebuttonrow.h"
#include "ui/editorwindow.h"
#include "ui/userprompts.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// Context-menu entries, in the order the actions are created.
enum MenuEntry {
    AddGroup, DeleteGroup, AddBand, DeleteBand, AddChannel, DeleteChannel, AddMask, DeleteMask,
    ManagePoints, Copy, Paste
};


} // namespace

maskDialog::maskDialog(const QString& delivered, const QString& userCopy,
                       std::function<EditorWindow*()> activeEditor, QWidget* parent)
    : QDialog(parent), m_model(new TreeModel(this)), treeView(new QTreeView),
      m_activeEditor(std::move(activeEditor))
{
    setWindowTitle(tr("Mask dialog box"));
    resize(680, 520);
    treeView->setObjectName(QStringLiteral("treeView"));
    treeView->setModel(m_model);
    treeView->setItemDelegate(new myRelationalEditor(m_model, this));
    // A double-click edits the item (s_change_item); the arrows expand.
    treeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    treeView->setExpandsOnDoubleClick(false);
    treeView->setContextMenuPolicy(Qt::CustomContextMenu);
    // Fitting the columns looks at the rows in view only, so expanding stays
    // instant however much of the tree is open.
    treeView->header()->setResizeContentsPrecision(0);

    auto* manageBands = namedButton(tr("Bands"), "manageBands");
    auto* manageChannels = namedButton(tr("Ch. spacings"), "manageChannels");
    auto* manageBitrates = namedButton(tr("Bitrates"), "manageBitrates");
    auto* manageClasses = namedButton(tr("Classes"), "manageClasses");
    auto* btnCopy = namedButton(tr("Assign mask"), "btnCopy");
    auto* close = namedButton(tr("Close"), "close");
    auto* data = new QGroupBox(tr("Data management"));
    auto* dataRow = new QHBoxLayout(data);
    for (QPushButton* b : {manageBands, manageChannels, manageBitrates, manageClasses})
        dataRow->addWidget(b);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(btnCopy);
    bottom->addStretch();
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(treeView);
    layout->addWidget(data);
    layout->addLayout(bottom);

    addMenuAction(tr("Add mask group"), &maskDialog::s_maskgroup_add);
    addMenuAction(tr("Delete mask group"), &maskDialog::s_item_delete);
    addMenuAction(tr("Add frequency band"), &maskDialog::s_band_add);
    addMenuAction(tr("Delete frequency band"), &maskDialog::s_item_delete);
    addMenuAction(tr("Add channel spacing"), &maskDialog::s_channel_add);
    addMenuAction(tr("Delete channel spacing"), &maskDialog::s_item_delete);
    addMenuAction(tr("Add bitrate"), &maskDialog::s_bitrate_add);
    addMenuAction(tr("Delete bitrate"), &maskDialog::s_item_delete);
    addMenuAction(tr("Add/delete mask points"), &maskDialog::s_manage_points);
    addMenuAction(tr("Copy"), &maskDialog::s_copy);
    m_paste = addMenuAction(tr("Paste"), &maskDialog::s_paste);

    connect(manageBands, &QPushButton::clicked, this, &maskDialog::s_manage_bands);
    connect(manageChannels, &QPushButton::clicked, this, &maskDialog::s_manage_channel);
    connect(manageBitrates, &QPushButton::clicked, this, &maskDialog::s_manage_bitrates);
    connect(manageClasses, &QPushButton::clicked, this, &maskDialog::s_manage_classes);
    connect(btnCopy, &QPushButton::clicked, this, &maskDialog::s_copy_mask);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(treeView, &QTreeView::doubleClicked, this, &maskDialog::s_change_item);
    connect(treeView, &QTreeView::customContextMenuRequested, this,
            &maskDialog::s_showTreeContextMenu);
    connect(treeView, &QTreeView::expanded, this, &maskDialog::s_resize);
    connect(treeView, &QTreeView::clicked, this, &maskDialog::s_item_clicked);
    connect(m_model, &TreeModel::errorOccured, this, &maskDialog::s_showErrorMessage);
    connect(m_model, &TreeModel::openFailed, this, [this](const QString& message) {
        UserPrompts::warning(this, tr("Linkwise"), message);
    });

    m_model->open(delivered, userCopy);
    s_resize({});
}

QAction* maskDialog::addMenuAction(const QString& text, void (maskDialog::*slot)())
{
    auto* action = new QAction(text, this);
    connect(action, &QAction::triggered, this, slot);
    m_actions.append(action);
    return action;
}

QModelIndex maskDialog::current() const
{
    const QModelIndex index = treeView->currentIndex();
    return index.isValid() ? index.siblingAtColumn(0) : index;
}

void maskDialog::s_menu_show()
{
    static const QList<MenuEntry> shown[] = {
        {AddGroup, DeleteGroup, AddBand}, {DeleteBand, AddChannel}, {DeleteChannel, AddMask},
        {DeleteMask, ManagePoints}, {ManagePoints}};
    const QModelIndex item = current();
    const int level = m_model->levelOf(item);
    const int row = level == TreeItem::Point ? 4 : level;
    const QList<MenuEntry> entries = level == TreeItem::Root ? QList<MenuEntry>{AddGroup} : shown[row];
    for (int i = AddGroup; i <= ManagePoints; ++i)
        m_actions[i]->setVisible(entries.contains(static_cast<MenuEntry>(i)));
    m_actions[Copy]->setVisible(item.isValid());
    m_paste->setEnabled(m_copied.isValid() && TreeModel::canPaste(m_model->levelOf(m_copied), level));
}

void maskDialog::s_showTreeContextMenu(const QPoint& position)
{
    s_menu_show();
    QMenu menu(this);
    for (QAction* action : std::as_const(m_actions)) {
        if (action->isVisible())
            menu.addAction(action);
    }
    menu.exec(treeView->viewport()->mapToGlobal(position));
}

void maskDialog::addChild(const QModelIndex& parent)
{
    const QModelIndex item = m_model->addItem(parent);
    if (!item.isValid())
        return;
    treeView->expand(parent);
    treeView->setCurrentIndex(item);
    treeView->edit(item);
}

void maskDialog::s_maskgroup_add() { addChild({}); }
void maskDialog::s_band_add() { addChild(current()); }
void maskDialog::s_channel_add() { addChild(current()); }
void maskDialog::s_bitrate_add() { addChild(current()); }

void maskDialog::s_item_delete()
{
    const QModelIndex item = current();
    if (!item.isValid())
        return;
    if (!m_model->removeRows(item.row(), 1, item.parent()))
        UserPrompts::warning(this, tr("Error removing the item"),
                             tr("Error occured while removing the record!"));
}

void maskDialog::s_copy()
{
    static const char* const labels[] = {
        QT_TR_NOOP("Paste mask group"), QT_TR_NOOP("Paste frequency band"),
        QT_TR_NOOP("Paste channel spacing"), QT_TR_NOOP("Paste bitrate"),
        QT_TR_NOOP("Paste mask points")};
    m_copied = current();
    const int level = m_model->levelOf(m_copied);
    if (level != TreeItem::Root)
        m_paste->setText(tr(labels[level == TreeItem::Point ? 4 : level]));
}

void maskDialog::s_paste()
{
    QApplication::processEvents();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QModelIndex pasted = m_model->paste(m_copied, current());
    QApplication::restoreOverrideCursor();
    if (pasted.isValid()) {
        treeView->expand(pasted.parent());
        treeView->setCurrentIndex(pasted);
    }
}

void maskDialog::s_manage_points()
{
    const QModelIndex mask = m_model->maskOf(current());
    if (!mask.isValid())
        return;
    if (m_model->rowIdOf(mask) < 0) {
        s_showErrorMessage(tr("Choose the mask's bitrate or class first, so that it is stored."));
        return;
    }
    MASKPOINTS points(m_model->database(), m_model->rowIdOf(mask), this);
    points.exec();
    m_model->reloadPoints(mask);
    treeView->expand(mask);
}

void maskDialog::manageList(int kind)
{
    paramPicker picker(m_model->database(), static_cast<LookupKind>(kind), this);
    picker.exec();
}

void maskDialog::s_manage_bands() { manageList(static_cast<int>(LookupKind::Band)); }
void maskDialog::s_manage_channel() { manageList(static_cast<int>(LookupKind::ChannelSpacing)); }
void maskDialog::s_manage_bitrates() { manageList(static_cast<int>(LookupKind::Bitrate)); }
void maskDialog::s_manage_classes() { manageList(static_cast<int>(LookupKind::Class)); }

void maskDialog::s_change_item(const QModelIndex& index)
{
    if (m_model->flags(index) & Qt::ItemIsEditable)
        treeView->edit(index);
}

void maskDialog::s_showErrorMessage(const QString& message)
{
    UserPrompts::warning(this, tr("Linkwise"), message);
}

void maskDialog::s_resize(const QModelIndex&)
{
    for (int column = 0; column < m_model->columnCount(); ++column)
        treeView->resizeColumnToContents(column);
}

void maskDialog::s_item_clicked(const QModelIndex&)
{
    s_menu_show();
}

void maskDialog::s_copy_mask()
{
    const QModelIndex mask = m_model->maskOf(current());
    const MaskAssignment plan = planMaskAssignment(mask.isValid(), m_model->pointTexts(mask));
    if (plan.outcome == MaskAssignment::Outcome::NotAMask) {
        UserPrompts::warning(this, maskCopyErrorTitle(), plan.warning());
        return;
    }
    EditorWindow* editor = m_activeEditor ? m_activeEditor() : nullptr;
    if (!editor || editor->currentRow() < 0)
        return;
    if (!plan.warning().isEmpty())
        UserPrompts::warning(this, maskCopyErrorTitle(), plan.warning());
    if (plan.outcome == MaskAssignment::Outcome::Assign)
        editor->assignMaskPoints(plan.frequencies, plan.attenuations);
}
