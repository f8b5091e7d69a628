#include "hcmeditmdiui.h"

#include "editorfields.h"
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

// The group of the six mask points, frequencies above attenuations.
QGridLayout* maskGroup(FormPage& page, QGroupBox*& group)
{
    group = new QGroupBox(tr("7G Tx/Rx masks"));
    group->setObjectName(QStringLiteral("gb7g"));
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(tr("Frequency, MHz")), 0, 0);
    grid->addWidget(new QLabel(tr("Attenuation, dB")), 1, 0);
    page.form()->addRow(group);
    return grid;
}

} // namespace

QWidget* hcmEditMDIUi::input(const char* name) const
{
    const std::vector<EditorField>& fields = editorFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (qstrcmp(fields[i].name, name) == 0)
            return inputs[i];
    }
    return nullptr;
}

QTabWidget* hcmEditMDIUi::patternTabs()
{
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
    return tabPatterns;
}

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

    const std::vector<EditorField>& fields = editorFields();
    inputs.assign(fields.size(), nullptr);
    for (int p = 0; p < PageCount; ++p) {
        FormPage page(tabDetails, editorPageTitle(p));
        QGridLayout* masks = nullptr;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const EditorField& f = fields[i];
            if (f.page != p)
                continue;
            if (f.maskPoint > 0) {
                if (!masks)
                    masks = maskGroup(page, gb7g);
                auto* edit = new QLineEdit;
                edit->setObjectName(QLatin1String(f.name));
                const bool frequency = f.name[3] == 'f';
                masks->addWidget(edit, frequency ? 0 : 1, f.maskPoint);
                inputs[i] = edit;
            } else {
                inputs[i] = f.multiLine ? static_cast<QWidget*>(page.text(f.name, f.label))
                                        : page.line(f.name, f.label, f.hint);
            }
        }
        if (p == AntennaPage) {
            // The point tables and their plot take the page's height beside
            // the inputs, so a pattern shows many rows and its shape at once.
            page.beside(patternTabs(), 2);
            patternPlot = new PatternPlot;
            patternPlot->setSources(tw9xco->model(), tw9xcr->model());
            page.beside(patternPlot, 3);
        }
    }

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
