#include "PublicGroupsView.h"

#include "TreeNodeKinds.h"

#include "ui_PublicGroupsView.h"

CPublicGroupsView::CPublicGroupsView(QWidget* parent) : CContactFolderView("CPublicGroupsView", "PublicGroups", parent), ui(new Ui::PublicGroupsView)
{
    ui->setupUi(Form());
    AddButton(ui->addButton, TreeNode::PublicGroups);
}

CPublicGroupsView::~CPublicGroupsView() = default;
