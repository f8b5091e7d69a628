#ifndef EDITORWINDOW_H
#define EDITORWINDOW_H

#include "checks/checkoptions.h"

#include <QFrame>

class QAction;

// What the main window needs of an HCM file editor in its MDI area. The editor
// class derives from this and implements every operation; the main window
// only ever talks to an editor through it.
class EditorWindow : public QFrame
{
    Q_OBJECT
public:
    using QFrame::QFrame;

    // Overview table: number of rows and current row (-1 when none).
    virtual int rowCount() const = 0;
    virtual int currentRow() const = 0;

    virtual QString fileName() const = 0;
    // Also sets the window title and the window action's text.
    virtual void setFileName(const QString& path) = 0;
    virtual bool includeHeader() const = 0;
    virtual bool isModified() const = 0;
    virtual void setModified(bool modified) = 0;

    // The checkable entry of the main window's Window menu. The main window
    // owns it and removes it when the sub-window goes.
    QAction* windowAction() const { return m_windowAction; }
    virtual void setWindowAction(QAction* action) { m_windowAction = action; }

    // Starts the background load; false when it could not be started.
    virtual bool load(const QString& path) = 0;
    virtual bool write(const QString& path, bool includeHeader, bool tableOrder) = 0;

    virtual void addRecord() = 0;
    virtual void duplicateRecords() = 0;
    virtual void removeRecords() = 0;
    // fieldCode is "13Y" or "2Z"; the value is set in every selected record.
    virtual void setValue(const QString& fieldCode, const QString& value) = 0;
    virtual void checkSyntax() = 0;
    virtual void compareWith(const QString& path) = 0;
    virtual void exportToGoogleEarth(bool showTower, const QString& dataFolder) = 0;
    virtual void setOptions(const CheckOptions& options) = 0;
    // Puts six frequency and six attenuation texts (point 1 first) into the
    // 7G mask inputs of the current record as if typed: the record takes
    // them and the window becomes modified. An empty text clears a point.
    virtual void assignMaskPoints(const QStringList& frequencies, const QStringList& attenuations) = 0;

signals:
    // Emitted from the editor's close when the user wants it saved and it has
    // a file name; the main window saves it.
    void subWindowClosing(EditorWindow* window);
    // Emitted from the editor's close when the user wants it saved but it has
    // no file name yet; the main window runs its save dialog for it.
    void saveAsRequested(EditorWindow* window);
    void signalSelectionChanged(long selected);

private:
    QAction* m_windowAction = nullptr;
};

#endif
