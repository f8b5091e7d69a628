#ifndef HCMFORMUI_H
#define HCMFORMUI_H

class QAction;
class QMainWindow;
class QMdiArea;
class QMenu;
class QToolBar;

// The main window's widget set: MDI area, actions, menus and tool bars, built
// in code the way a form would be. It holds no behaviour; hcmForm connects it.
struct hcmFormUi
{
    void setupUi(QMainWindow* window);

    QMdiArea* mdiArea = nullptr;

    QAction* actionNew = nullptr;
    QAction* actionEdit_View_HCM_file = nullptr;
    QAction* actionSave = nullptr;
    QAction* actionSave_As = nullptr;
    QAction* actionAdd_record = nullptr;
    QAction* actionRemove_records = nullptr;
    QAction* actionDublicate_record = nullptr;
    QAction* actionSet_value = nullptr;
    QAction* actionChech_file_syntax = nullptr;
    QAction* actionComapre_with_auxilary_file = nullptr;
    QAction* act1to1 = nullptr;
    QAction* actLtoL = nullptr;
    QAction* actionTrigger_for_co_ordination = nullptr;
    QAction* actionOptions = nullptr;
    QAction* actionCheck_for_new_version = nullptr;
    QAction* actionShow_on_Google_Earth = nullptr;
    QAction* actionETSI_TX_Masks = nullptr;
    QAction* actionTile = nullptr;
    QAction* actionCascade_windows = nullptr;
    QAction* actionClose_Current_Window = nullptr;
    QAction* actionClose_All_Windows = nullptr;
    QAction* actionAbout = nullptr;
    QAction* actionAbout_QT = nullptr;
    QAction* actionInterference_calculation = nullptr;
    QAction* actionHCM_file_editing = nullptr;

    QMenu* menuFile = nullptr;
    QMenu* menuEdit = nullptr;
    QMenu* menuInterference_calculations = nullptr;
    QMenu* menuOptions = nullptr;
    QMenu* menuWindow = nullptr;
    QMenu* menuHelp = nullptr;

    QToolBar* toolBarFileEdit = nullptr;
    QToolBar* toolBarCalculations = nullptr;
    QToolBar* toolBarTools = nullptr;

private:
    void createActions(QMainWindow* window);
    void createMenus(QMainWindow* window);
    void createToolBars(QMainWindow* window);
};

#endif
