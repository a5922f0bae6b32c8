#include "ProfilePanes.h"

#include "KVXZOTDoc.h"

CProfileTreePane::CProfileTreePane(CKVXZOTDoc& doc, QWidget* parent) : QTreeWidget(parent), m_doc(doc)
{
    setHeaderHidden(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
    Reload();
}

void CProfileTreePane::Reload()
{
    clear();
    auto* root = new QTreeWidgetItem(this, {m_doc.GetTitle()});
    setCurrentItem(root);
}

CProfileFormPane::CProfileFormPane(QWidget* parent) : QWidget(parent)
{
}
