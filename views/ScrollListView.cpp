#include "ScrollListView.h"

#include "ui_ScrollListView.h"

CScrollListView::CScrollListView(QWidget* parent)
    : CContactListView("CScrollListView", "in_scroll_list", parent), ui(new Ui::ScrollListView)
{
    ui->setupUi(Form());
    SetUpEditor(ui->availableList, ui->membersList, ui->addButton, ui->removeButton);
}

CScrollListView::~CScrollListView() = default;

void CScrollListView::LoadData()
{
    FillLists();
}

void CScrollListView::SendListHint()
{
    SendHint(HintAction::Refresh, NodeKind::ScrollList, 0);
}
