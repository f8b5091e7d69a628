#ifndef HCMFORM_H
#define HCMFORM_H

#include <QMainWindow>

// The main window: menus, tool bars and the MDI area that holds editor and
// report windows.
class hcmForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit hcmForm(QWidget* parent = nullptr);
};

#endif
