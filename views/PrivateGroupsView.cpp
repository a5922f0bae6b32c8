#include "PrivateGroupsView.h"

#include "TreeNodeKinds.h"

#include "ui_PrivateGroupsView.h"

CPrivateGroupsView::CPrivateGroupsView(QWidget* parent) : CContactFolderView("CPrivateGroupsView", "PrivateGroups", parent), ui(new Ui::PrivateGroupsView)
{
    ui->setupUi(Form());
    AddButton(ui->addButton, NodeKind::PrivateGroups);
}

CPrivateGroupsView::~CPrivateGroupsView() = default;
