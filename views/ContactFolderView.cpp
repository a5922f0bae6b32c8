#include "ContactFolderView.h"

#include "TreeNodeKinds.h"

#include <QAbstractButton>

CContactFolderView::CContactFolderView(const char* viewClass, const char* folderName, QWidget* parent)
    : CBaseView(viewClass, parent), m_strFolder(QString::fromLatin1(folderName))
{
}

void CContactFolderView::AddButton(QAbstractButton* button, NodeKind addKind)
{
    m_buttons.append({button, addKind});
    connect(button, &QAbstractButton::clicked, this,
            [this, addKind] { Guarded([&] { SendHint(HintAction::Add, addKind, 0); }); });
}

void CContactFolderView::LoadData()
{
    CDataItem folder = Child(Child(Root(), QStringLiteral("Contacts")), m_strFolder);
    const bool canAdd = folder.CanAddChild();
    for (const auto& [button, kind] : m_buttons)
        button->setEnabled(canAdd);
}
