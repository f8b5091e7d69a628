#ifndef CDLGDETREPORT_H
#define CDLGDETREPORT_H

#include <QDialog>

class ProfileView;
class QPushButton;
class QTextBrowser;

// A read-only text in a fixed-width font: the text of a detailed calculation,
// with the path profile the library wrote into it drawn beside it, or a list
// of stations laid out in columns.
class CdlgDetReport : public QDialog
{
    Q_OBJECT

public:
    explicit CdlgDetReport(QWidget* parent = nullptr);

    // A detailed calculation report, with its profile when it holds one.
    void showReport(const QString& text);
    // Any other text under title, modally, without blocking the caller.
    void showText(const QString& title, const QString& text);
    QString text() const;
    ProfileView* profileView() const { return m_profile; }

private:
    QTextBrowser* textBrowser;
    ProfileView* m_profile;
    QPushButton* cancelButton;
};

#endif
