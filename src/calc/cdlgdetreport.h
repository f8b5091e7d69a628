#ifndef CDLGDETREPORT_H
#define CDLGDETREPORT_H

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// A read-only text in a fixed-width font: a detailed calculation report or a
// list of stations, laid out in columns.
class CdlgDetReport : public QDialog
{
    Q_OBJECT
public:
    explicit CdlgDetReport(QWidget* parent = nullptr);

    // Shows text under title, modally, without blocking the caller.
    void showText(const QString& title, const QString& text);
    QString text() const;

    QPlainTextEdit* teReport;
    QPushButton* pbClose;
};

#endif
