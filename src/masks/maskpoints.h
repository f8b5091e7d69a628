#ifndef MASKPOINTS_H
#define MASKPOINTS_H

#include <QDialog>

class MaskDatabase;
class QLineEdit;
class QListWidget;

// Edits the points of one mask: Return in the frequency moves on to the
// attenuation, Return there adds the point.
class MASKPOINTS : public QDialog
{
    Q_OBJECT
public:
    MASKPOINTS(MaskDatabase& db, qint64 maskRowId, QWidget* parent = nullptr);

    QLineEdit* inputFrequency() const { return input_freq; }
    QLineEdit* inputAttenuation() const { return input_att; }
    QListWidget* points() const { return box_points; }

public slots:
    void s_add();
    void s_delete_selected();
    void s_delete_all();

private:
    void fill();
    void report();

    MaskDatabase& m_db;
    qint64 m_mask;
    QLineEdit* input_freq;
    QLineEdit* input_att;
    QListWidget* box_points;
};

#endif
