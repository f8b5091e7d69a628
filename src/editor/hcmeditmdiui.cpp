#include "hcmeditmdiui.h"

#include "patternplot.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("hcmEditMDI", text);
}

// One page of inputs, each under its label. The page scrolls, so a small
// window still shows the station list and the status strip whole.
class FormPage
{
public:
    explicit FormPage(QTabWidget* tabs, const char* title) : m_page(new QWidget)
    {
        m_row = new QHBoxLayout(m_page);
        m_form = new QFormLayout;
        m_row->addLayout(m_form);
        m_form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        auto* scroll = new QScrollArea;
        scroll->setWidget(m_page);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        tabs->addTab(scroll, tr(title));
    }

    QLineEdit* line(const char* name, const char* label, const char* hint = nullptr)
    {
        auto* edit = new QLineEdit;
        edit->setObjectName(QLatin1String(name));
        if (hint)
            edit->setPlaceholderText(tr(hint));
        m_form->addRow(tr(label), edit);
        return edit;
    }

    QPlainTextEdit* text(const char* name, const char* label)
    {
        auto* edit = new QPlainTextEdit;
        edit->setObjectName(QLatin1String(name));
        edit->setMaximumHeight(80);
        m_form->addRow(tr(label), edit);
        return edit;
    }

    // A widget to the right of the inputs, taking the page's full height.
    void beside(QWidget* widget, int stretch) { m_row->addWidget(widget, stretch); }

    QWidget* page() const { return m_page; }
    QFormLayout* form() const { return m_form; }

private:
    QWidget* m_page;
    QHBoxLayout* m_row;
    QFormLayout* m_form;
};

// A pattern page: the code box, the delete and add buttons, the point table.
QWidget* patternPage(const char* comboName, const QStringList& codes, const char* deleteName,
                     const char* addName, const char* tableName, QComboBox*& combo,
                     QToolButton*& deleteButton, QPushButton*& addButton, QTableWidget*& table)
{
    auto* page = new QWidget;
    combo = new QComboBox;
    combo->setObjectName(QLatin1String(comboName));
    combo->setEditable(true);
    combo->addItems(codes);
    combo->setInsertPolicy(QComboBox::NoInsert);
    deleteButton = new QToolButton;
    deleteButton->setObjectName(QLatin1String(deleteName));
    deleteButton->setIcon(QIcon(QStringLiteral(":/main/pics/delete-item.png")));
    addButton = new QPushButton;
    addButton->setObjectName(QLatin1String(addName));
    addButton->setIcon(QIcon(QStringLiteral(":/main/pics/list-add.png")));
    table = new QTableWidget(0, 2);
    table->setObjectName(QLatin1String(tableName));
    table->setHorizontalHeaderLabels({tr("Angle"), tr("Attenuation")});
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("Radiation pattern")));
    top->addWidget(combo, 1);
    top->addWidget(deleteButton);
    top->addWidget(addButton);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(table);
    return page;
}

} // namespace

void hcmEditMDIUi::setupUi(QFrame* window)
{
    window->setObjectName(QStringLiteral("hcmEdit"));
    window->setWindowIcon(QIcon(QStringLiteral(":/main/pics/syntax-check.png")));
    window->resize(840, 530);

    twList = new QTableView;
    twList->setObjectName(QStringLiteral("twList"));
    twList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    twList->setAlternatingRowColors(true);
    twList->setSelectionBehavior(QAbstractItemView::SelectRows);
    twList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    twList->setAcceptDrops(false);
    twList->setDragDropMode(QAbstractItemView::NoDragDrop);
    twList->setWordWrap(false);
    // Every row has the same height, so the view never measures a hundred
    // thousand rows one by one.
    twList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    twList->verticalHeader()->setDefaultSectionSize(twList->fontMetrics().height() + 6);
    twList->horizontalHeader()->setResizeContentsPrecision(200);

    tabDetails = new QTabWidget;
    tabDetails->setObjectName(QStringLiteral("tabDetails"));

    FormPage general1(tabDetails, "General (1)");
    le4a = general1.line("le4a", "4A: Name of station ");
    le1a = general1.line("le1a", "1A: Frequency");
    le1a1 = general1.line("le1a1", "1A1: Frequency unit");
    le0a = general1.line("le0a", "0A: Type of entry");
    le4clo = general1.line("le4clo", "4C: Longitude");
    le4cla = general1.line("le4cla", "4C: Latitude");
    le9a = general1.line("le9a", "9A: Azimuth");
    le9b = general1.line("le9b", "9B: Elevation");
    le9d = general1.line("le9d", "9D: Polarization");
    le4z = general1.line("le4z", "4Z: Height of st. above sea level");
    le9l = general1.line("le9l", "9L: Branches and line losses");

    FormPage general2(tabDetails, "General (2)");
    le6a = general2.line("le6a", "6A: Class of station");
    le6b = general2.line("le6b", "6B: Nature of service");
    le6z = general2.line("le6z", "6Z: Category of use");
    le1z = general2.line("le1z", "1Z: Frequency category");
    le4b = general2.line("le4b", "4B: Country");
    le13x = general2.line("le13x", "13X: Co-ordination reference");
    le2c = general2.line("le2c", "2C: Date of bringing into use", "DDMMYYYY");
    le13y = general2.line("le13y", "13Y: Status of co-ordination");
    le2w = general2.line("le2w", "2W: Date of co-ord. request", "DDMMYYYY");
    le2z = general2.line("le2z", "2Z: Final date of ach. co-ord.", "DDMMYYYY");
    te13z = general2.text("te13z", "13Z: Remarks");

    FormPage equipment(tabDetails, "Equipment");
    le7h = equipment.line("le7h", "7H Manufacturer name");
    le7i = equipment.line("le7i", "7I Type");
    le8b = equipment.line("le8b", "8B Max. p. tx. power");
    le8b3 = equipment.line("le8b3", "8B3 ATPC");
    le7g1 = equipment.line("le7g1", "7G1 Equipment class");
    le7g2 = equipment.line("le7g2", "7G2 (unused)");
    le9h = equipment.line("le9h", "9H FkTB");
    le7k = equipment.line("le7k", "7K Max capacity of the link");
    le7a = equipment.line("le7a", "7A Designation of emission");
    le7g3 = equipment.line("le7g3", "7G3 Channel spacing");
    gb7g = new QGroupBox(tr("7G Tx/Rx masks"));
    gb7g->setObjectName(QStringLiteral("gb7g"));
    auto* masks = new QGridLayout(gb7g);
    masks->addWidget(new QLabel(tr("Frequency, MHz")), 0, 0);
    masks->addWidget(new QLabel(tr("Attenuation, dB")), 1, 0);
    for (int i = 0; i < 6; ++i) {
        le7gf[i] = new QLineEdit;
        le7gf[i]->setObjectName(QStringLiteral("le7gf%1").arg(i + 1));
        le7ga[i] = new QLineEdit;
        le7ga[i]->setObjectName(QStringLiteral("le7ga%1").arg(i + 1));
        masks->addWidget(le7gf[i], 0, i + 1);
        masks->addWidget(le7ga[i], 1, i + 1);
    }
    equipment.form()->addRow(gb7g);

    FormPage antenna(tabDetails, "Antenna");
    le9xm = antenna.line("le9xm", "9XM Manufacturer name");
    le9xt = antenna.line("le9xt", "9XT Type");
    le9y = antenna.line("le9y", "9Y Height of ant. above ground");
    le9xfu = antenna.line("le9xfu", "9XFU Upper freq, MHz");
    le9xfl = antenna.line("le9xfl", "9XFL Lower freq, MHz");
    le9x1 = antenna.line("le9x1", "9X1 Gain");
    tabPatterns = new QTabWidget;
    tabPatterns->setObjectName(QStringLiteral("tabPatterns"));
    tabPatterns->addTab(patternPage("leRadPatCo", {QStringLiteral("HH"), QStringLiteral("VV"),
                                                   QStringLiteral("CP")},
                                    "tbDelCp", "pbAddCp", "tw9xco", leRadPatCo, tbDelCp, pbAddCp,
                                    tw9xco),
                        tr("Co-polar"));
    tabPatterns->addTab(patternPage("leRadPatCr", {QStringLiteral("HV"), QStringLiteral("VH"),
                                                   QStringLiteral("XP")},
                                    "tbDelXp", "pbAddXp", "tw9xcr", leRadPatCr, tbDelXp, pbAddXp,
                                    tw9xcr),
                        tr("Cross-polar"));
    // The point tables and their plot take the page's height beside the
    // inputs, so a pattern shows many rows and its shape at once.
    antenna.beside(tabPatterns, 2);
    patternPlot = new PatternPlot;
    patternPlot->setSources(tw9xco->model(), tw9xcr->model());
    antenna.beside(patternPlot, 3);

    FormPage header(tabDetails, "File header");
    leFileNumber = header.line("leFileNumber", "File number");
    leResponsiblePerson = header.line("leResponsiblePerson", "Responsible person");
    lePhone = header.line("lePhone", "Phone");
    leTelefax = header.line("leTelefax", "Telefax");
    leEmail = header.line("leEmail", "E-mail");
    leNumberOfRecords = header.line("leNumberOfRecords", "Number of records");
    leWritingDate = header.line("leWritingDate", "Writing date", "DDMMYYYY");
    leCountry = header.line("leCountry", "Country");
    leFileContentsCode = header.line("leFileContentsCode", "File contents code");
    teFileContents = header.text("teFileContents", "File contents");

    gbStatus = new QGroupBox;
    gbStatus->setObjectName(QStringLiteral("gbStatus"));
    totalCount = new QLabel;
    totalCount->setObjectName(QStringLiteral("totalCount"));
    selectedCount = new QLabel;
    selectedCount->setObjectName(QStringLiteral("selectedCount"));
    info = new QLabel;
    info->setObjectName(QStringLiteral("info"));
    progress = new QProgressBar;
    progress->setObjectName(QStringLiteral("progress"));
    buttonCancel = new QPushButton(tr("Cancel"));
    buttonCancel->setObjectName(QStringLiteral("buttonCancel"));
    auto* status = new QHBoxLayout(gbStatus);
    status->setContentsMargins(6, 2, 6, 2);
    status->addWidget(totalCount);
    status->addWidget(selectedCount);
    status->addStretch();
    status->addWidget(info);
    status->addWidget(progress);
    status->addWidget(buttonCancel);

    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->addWidget(twList);
    splitter->addWidget(tabDetails);
    // The station list keeps a useful height; room beyond that is shared, so
    // a larger window also shows more of a pattern table.
    twList->setMinimumHeight(150);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({180, 370});
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter, 1);
    layout->addWidget(gbStatus);
}
