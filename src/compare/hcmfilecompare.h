#ifndef HCMFILECOMPARE_H
#define HCMFILECOMPARE_H

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

// The summary of a comparison with an auxiliary file: its path, how many of
// its records there are, how many found a partner and how many did not, each
// with a View button, and the action to perform on the pairs.
class HCMFileCompare : public QDialog
{
    Q_OBJECT
public:
    explicit HCMFileCompare(QWidget* parent = nullptr);

    void setFileName(const QString& path);
    void setCounts(int total, int matched);
    // The index of the chosen action: 0 delete, 1 append, 2 replace, 3 details.
    int action() const;

    QLabel* lblFileName;
    QLabel* lblTotal;
    QLabel* lblMatched;
    QLabel* lblNotMatched;
    QComboBox* cbAction;
    QPushButton* pbViewTotal;
    QPushButton* pbViewMatched;
    QPushButton* pbViewNotMatched;
    QPushButton* pbDo;
    QPushButton* pbClose;

signals:
    void viewTotal();
    void viewFound();
    void viewNotFound();
    void doAction();
};

#endif
