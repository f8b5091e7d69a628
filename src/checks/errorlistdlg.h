#ifndef ERRORLISTDLG_H
#define ERRORLISTDLG_H

#include <QDialog>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The findings of a whole-file check: one multi-line item for the header and
// for each record with findings, and the error and warning totals. An editor
// window keeps one and reuses it for every run. Double-clicking a record's
// item asks the window to show that record.
class ErrorListDlg : public QDialog
{
    Q_OBJECT
public:
    explicit ErrorListDlg(QWidget* parent = nullptr);

    void clear();
    void setResult(int errors, int warnings, const QString& title);
    // recordNumber is the record the item belongs to (-1 for the header);
    // it serves items whose text does not name the record after its first
    // colon, such as the reader's findings.
    void addItem(const QString& text, int recordNumber = -1);
    int itemCount() const;

    QListWidget* lwErrors;
    QLabel* lblErrors;
    QLabel* lblWarnings;
    QPushButton* pbClose;

signals:
    void itemDoubleclicked(int recordNumber);

private slots:
    void itemActivated(QListWidgetItem* item);
};

#endif
