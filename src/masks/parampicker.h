#ifndef PARAMPICKER_H
#define PARAMPICKER_H

#include "maskdatabase.h"

#include <QDialog>

class QLineEdit;
class QListWidget;

// Manages one lookup list of the mask database: bands, channel spacings,
// bitrates or equipment classes.
class paramPicker : public QDialog
{
    Q_OBJECT
public:
    paramPicker(MaskDatabase& db, LookupKind kind, QWidget* parent = nullptr);

    QListWidget* list() const { return m_list; }
    QLineEdit* input() const { return m_input; }

public slots:
    void s_add();
    void s_delete();

private:
    void fill();

    MaskDatabase& m_db;
    LookupKind m_kind;
    QListWidget* m_list;
    QLineEdit* m_input;
};

#endif
