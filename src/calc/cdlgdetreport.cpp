#include "cdlgdetreport.h"

#include "pathprofile.h"
#include "profileview.h"
#include "ui/closebuttonrow.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

CdlgDetReport::CdlgDetReport(QWidget* parent)
    : QDialog(parent), textBrowser(new QTextBrowser), m_profile(new ProfileView)
{
    setObjectName(QStringLiteral("dlgDetReport"));
    setWindowTitle(tr("Detailed Calculation Report"));
    setWindowIcon(QIcon(QStringLiteral(":/main/pics/hcmfs1.png")));
    textBrowser->setObjectName(QStringLiteral("textBrowser"));
    textBrowser->setReadOnly(true);
    textBrowser->setLineWrapMode(QTextEdit::NoWrap);
    textBrowser->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(textBrowser);
    splitter->addWidget(m_profile);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    layout->addLayout(closeButtonRow(this, cancelButton));
    resize(1100, 650);
}

void CdlgDetReport::showReport(const QString& text)
{
    setWindowTitle(tr("Detailed Calculation Report"));
    textBrowser->setPlainText(text);
    const QList<PathProfile> profiles = parsePathProfiles(text);
    m_profile->setProfiles(profiles);
    // A library that writes no profile gets the whole width for its text.
    m_profile->setVisible(!profiles.isEmpty());
    show();
    raise();
}

void CdlgDetReport::showText(const QString& title, const QString& text)
{
    setWindowTitle(title);
    textBrowser->setPlainText(text);
    m_profile->setVisible(false);
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
}

QString CdlgDetReport::text() const
{
    return textBrowser->toPlainText();
}
