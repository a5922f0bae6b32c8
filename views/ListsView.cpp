#include "ListsView.h"

#include "ContactTable.h"
#include "MessageFormat.h"
#include "StringTable.h"
#include "ViewImages.h"

#include "ui_ListsView.h"

#include <QEvent>
#include <QHeaderView>
#include <algorithm>

namespace {

// The grid holds at least this many channel columns' width.
constexpr int kVisibleChannels = 10;

}  // namespace

CListsView::CListsView(QWidget* parent) : CBaseView("CListsView", parent), ui(new Ui::ListsView)
{
    ui->setupUi(Form());
    ui->scanGrid->verticalHeader()->hide();
    // The viewport's own size decides the columns.
    ui->scanGrid->viewport()->installEventFilter(this);
}

CListsView::~CListsView() = default;

int CListsView::ChannelColumnWidth(int gridWidth, int channels)
{
    return channels > 0 ? std::max(gridWidth / channels, gridWidth / kVisibleChannels) : 0;
}

void CListsView::LoadData()
{
    FillScrollList();
    if (!FlagAttribute(Limit(), QStringLiteral("public_scan_en"))) {
        for (QWidget* control : {static_cast<QWidget*>(ui->scanListLabel), static_cast<QWidget*>(ui->scanGrid),
                                 static_cast<QWidget*>(ui->scanModeLabel), static_cast<QWidget*>(ui->scanModeCheck)})
            control->hide();
        return;
    }
    FillScanGrid();
    ui->scanModeCheck->setChecked(FlagAttribute(Child(Root(), QStringLiteral("setting")), QStringLiteral("scan_en")));
}

void CListsView::FillScrollList()
{
    CContactTable table;
    table.Build(Root(), [](const CDataItem& entry) { return FlagAttribute(entry, QStringLiteral("in_scroll_list")); });
    ui->scrollList->clear();
    for (const CTwoListEditor::Entry& entry : table.Entries(true))
        ui->scrollList->addItem(new QListWidgetItem(ViewImages::TreeIcon(entry.image), entry.name));
}

void CListsView::FillScanGrid()
{
    const int channels = NumberAttribute(Limit(), QStringLiteral("max_num_of_channels"));
    QList<QStringList> columns(std::max(channels, 0));
    const CDataItem groups = Child(Child(Root(), QStringLiteral("Contacts")), QStringLiteral("PublicGroups"));
    const int count = groups.GetChildCount();
    for (int i = 0; i < count; ++i) {
        const CDataItem group = ChildAt(groups, i);
        const int channel = NumberAttribute(group, QStringLiteral("channel"));
        if (channel >= 1 && channel <= channels && FlagAttribute(group, QStringLiteral("in_scan_list")))
            columns[channel - 1] << Attribute(group, QStringLiteral("name"));
    }
    QTableWidget* grid = ui->scanGrid;
    grid->clear();
    grid->setColumnCount(int(columns.size()));
    int rows = 0;
    for (const QStringList& names : columns)
        rows = std::max(rows, int(names.size()));
    grid->setRowCount(rows);
    QStringList headers;
    for (int c = 0; c < columns.size(); ++c) {
        headers << FormatMessage(LoadStr(116), {QString::number(c + 1)});
        for (int r = 0; r < columns[c].size(); ++r)
            grid->setItem(r, c, new QTableWidgetItem(columns[c][r]));
    }
    grid->setHorizontalHeaderLabels(headers);
    SetColumnWidths();
}

void CListsView::SetColumnWidths()
{
    QTableWidget* grid = ui->scanGrid;
    const int width = ChannelColumnWidth(grid->viewport()->width(), grid->columnCount());
    for (int c = 0; c < grid->columnCount(); ++c)
        grid->setColumnWidth(c, width);
}

bool CListsView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->scanGrid->viewport() && event->type() == QEvent::Resize)
        SetColumnWidths();
    return CBaseView::eventFilter(watched, event);
}
