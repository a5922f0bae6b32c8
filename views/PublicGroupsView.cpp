#include "PublicGroupsView.h"

#include "TreeNodeKinds.h"

#include "ui_PublicGroupsView.h"

CPublicGroupsView::CPublicGroupsView(QWidget* parent) : CContactFolderView("CPublicGroupsView", "PublicGroups", parent), ui(new Ui::PublicGroupsView)
{
    ui->setupUi(Form());
    AddButton(ui->addButton, NodeKind::PublicGroups);
}

CPublicGroupsView::~CPublicGroupsView() = default;
