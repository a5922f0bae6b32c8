#include "PrivatesView.h"

#include "TreeNodeKinds.h"

#include "ui_PrivatesView.h"

CPrivatesView::CPrivatesView(QWidget* parent) : CContactFolderView("CPrivatesView", "Privates", parent), ui(new Ui::PrivatesView)
{
    ui->setupUi(Form());
    AddButton(ui->addButton, NodeKind::Privates);
    AddButton(ui->addWithScannerButton, NodeKind::ScanAddPrivate);
}

CPrivatesView::~CPrivatesView() = default;
