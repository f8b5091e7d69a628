#include "parampicker.h"

#include "ui/userprompts.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString titleOf(LookupKind kind)
{
    switch (kind) {
    case LookupKind::Band: return paramPicker::tr("Band management");
    case LookupKind::ChannelSpacing: return paramPicker::tr("Management of channel spacing");
    case LookupKind::Bitrate: return paramPicker::tr("Bitrate management");
    case LookupKind::Class: return paramPicker::tr("Class management");
    }
    return {};
}

} // namespace

paramPicker::paramPicker(MaskDatabase& db, LookupKind kind, QWidget* parent)
    : QDialog(parent), m_db(db), m_kind(kind), m_list(new QListWidget), m_input(new QLineEdit)
{
    setWindowTitle(titleOf(kind));
    auto* add = new QPushButton(tr("Add"));
    auto* remove = new QPushButton(tr("Delete"));
    auto* close = new QPushButton(tr("Close"));
    for (QPushButton* button : {add, remove, close})
        button->setAutoDefault(false);
    auto* row = new QHBoxLayout;
    row->addWidget(m_input);
    row->addWidget(add);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(remove);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(row);
    layout->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, &paramPicker::s_add);
    connect(m_input, &QLineEdit::returnPressed, this, &paramPicker::s_add);
    connect(remove, &QPushButton::clicked, this, &paramPicker::s_delete);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    fill();
}

void paramPicker::fill()
{
    m_list->clear();
    for (const MaskDatabase::Entry& entry : m_db.entries(m_kind)) {
        auto* item = new QListWidgetItem(entry.name, m_list);
        item->setData(Qt::UserRole, entry.id);
    }
}

void paramPicker::s_add()
{
    const QString value = m_input->text().trimmed();
    if (value.isEmpty())
        return;
    if (m_db.contains(m_kind, value)) {
        UserPrompts::warning(this, tr("Input error"), tr("This item already exists!"));
        return;
    }
    if (!m_db.addEntry(m_kind, value)) {
        UserPrompts::warning(this, tr("Input error"), m_db.lastError());
        return;
    }
    m_input->clear();
    fill();
}

void paramPicker::s_delete()
{
    const QListWidgetItem* item = m_list->currentItem();
    if (!item)
        return;
    if (!m_db.removeEntry(m_kind, item->data(Qt::UserRole).toLongLong())) {
        UserPrompts::warning(this, windowTitle(), m_db.lastError());
        return;
    }
    fill();
}
