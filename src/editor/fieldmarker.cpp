#include "fieldmarker.h"

#include "checks/checkmessages.h"

#include <QTableWidgetItem>
#include <QWidget>

namespace {

QPalette withBase(QPalette palette, const QColor& colour)
{
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, colour);
    return palette;
}

QString messageOf(int code)
{
    return QString::fromLatin1(checkMessage(code));
}

} // namespace

FieldMarker::FieldMarker(const QPalette& normal)
    : m_normal(normal), m_error(withBase(normal, errorColor())),
      m_warning(withBase(normal, warningColor()))
{
}

void FieldMarker::mark(QWidget* input, int code) const
{
    if (!input)
        return;
    if (code == 0) {
        input->setPalette(m_normal);
        input->setToolTip(QString());
        return;
    }
    input->setPalette(isWarningCode(code) ? m_warning : m_error);
    input->setToolTip(messageOf(code));
}

void FieldMarker::markCell(QTableWidgetItem* cell, int code) const
{
    if (!cell)
        return;
    if (code == 0) {
        // No colour of its own: the table's background shows through.
        cell->setData(Qt::BackgroundRole, QVariant());
        cell->setToolTip(QString());
        return;
    }
    cell->setBackground(isWarningCode(code) ? warningColor() : errorColor());
    cell->setToolTip(messageOf(code));
}
