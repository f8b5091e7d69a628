#ifndef SETVALUE_H
#define SETVALUE_H

#include <QDialog>

class QComboBox;
class QPushButton;

// Chooses one field (13Y status of co-ordination or 2Z final date) and one
// value to write into every selected record of an editor. The main window
// connects pbOk to the operation that does the writing.
class SetValue : public QDialog
{
    Q_OBJECT
public:
    explicit SetValue(QWidget* parent = nullptr);

    QString parameterText() const;
    QString valueText() const;

    QComboBox* cbParameters;
    QComboBox* cbValue;
    QPushButton* pbOk;
    QPushButton* pbCancel;

private slots:
    void cbParametersChanged(const QString& text);
    void cbValueChanged(const QString& text);

private:
    static QStringList statusEntries();
    bool m_statusList = false;
};

#endif
