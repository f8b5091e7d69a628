#ifndef SAVEPRM_H
#define SAVEPRM_H

#include <QDialog>
#include <QMdiSubWindow>
#include <QPointer>

class QCheckBox;
class QPushButton;
class QRadioButton;

// How an editor's file is written: with or without the HCM header, in table
// order or in record-number order. The main window tells it which sub-window
// it serves before each use and connects pbSave to the saving.
class SavePrm : public QDialog
{
    Q_OBJECT
public:
    explicit SavePrm(QWidget* parent = nullptr);

    bool includeHeader() const;
    void setIncludeHeader(bool include);
    bool tableOrder() const;

    QMdiSubWindow* subWindow() const { return m_subWindow; }
    void setSubWindow(QMdiSubWindow* window) { m_subWindow = window; }

    QCheckBox* cbIncludeHeader;
    QRadioButton* rbTableOrder;
    QRadioButton* rbNumberOrder;
    QPushButton* pbSave;
    QPushButton* pbCancel;

private:
    QPointer<QMdiSubWindow> m_subWindow;
};

#endif
