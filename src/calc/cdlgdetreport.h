#ifndef CDLGDETREPORT_H
#define CDLGDETREPORT_H

#include <QDialog>

class ProfileView;
class QPushButton;
class QTextBrowser;

// Shows the text of a detailed calculation and, beside it, the path profile
// the library wrote into that text.
class CdlgDetReport : public QDialog
{
    Q_OBJECT

public:
    explicit CdlgDetReport(QWidget* parent = nullptr);

    void showReport(const QString& text);
    ProfileView* profileView() const { return m_profile; }

private:
    QTextBrowser* textBrowser;
    ProfileView* m_profile;
    QPushButton* cancelButton;
};

#endif
