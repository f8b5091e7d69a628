#ifndef FIELDMARKER_H
#define FIELDMARKER_H

#include <QColor>
#include <QPalette>

class QTableWidgetItem;
class QWidget;

// Colours an input by its check code: an error gets a pink base, a warning a
// yellow one, and the code's message becomes the tool tip; code 0 brings back
// the input's normal look. Table cells get the same colours as background.
class FieldMarker
{
public:
    // normal is the palette of an unmarked input, taken when the window is built.
    explicit FieldMarker(const QPalette& normal);

    void mark(QWidget* input, int code) const;
    void markCell(QTableWidgetItem* cell, int code) const;

    static QColor errorColor() { return QColor(252, 200, 205); }
    static QColor warningColor() { return QColor(254, 251, 151); }

private:
    QPalette m_normal;
    QPalette m_error;
    QPalette m_warning;
};

#endif
