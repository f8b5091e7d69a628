#include "nonhcmfileprompt.h"

#include "ui/userprompts.h"

#include <QCoreApplication>
#include <QFileInfo>

bool keepWindowOfNonHcmFile(QWidget* parent, const QString& path)
{
    const QString text = QCoreApplication::translate(
        "hcmEditMDI", "%1 does not look like an HCM file: none of its lines holds a semicolon.\n"
                      "Keep its window open?").arg(QFileInfo(path).fileName());
    return UserPrompts::question(parent, QCoreApplication::translate("hcmEditMDI", "Linkwise"), text,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
                                 QMessageBox::No)
        == QMessageBox::Yes;
}
