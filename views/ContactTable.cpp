#include "ContactTable.h"

#include "BaseView.h"
#include "TreeNodeKinds.h"

void CContactTable::Build(const CDataItem& root, const ListedTest& listed, const QStringList& folders,
                          const Filter& filter)
{
    m_rows.clear();
    m_strOwnId = CBaseView::Attribute(CBaseView::Child(root, QStringLiteral("limit")), QStringLiteral("pid"));
    const CDataItem contacts = CBaseView::Child(root, QStringLiteral("Contacts"));
    const int folderCount = contacts.GetChildCount();
    for (int f = 0; f < folderCount; ++f) {
        const CDataItem folder = CBaseView::ChildAt(contacts, f);
        if (!folders.isEmpty() && !folders.contains(folder.GetNode().BaseName()))
            continue;
        const int count = folder.GetChildCount();
        for (int i = 0; i < count; ++i) {
            const CDataItem entry = CBaseView::ChildAt(folder, i);
            if (filter && !filter(entry))
                continue;
            Row row;
            row.type = CBaseView::NumberAttribute(entry, QStringLiteral("cntct_type"));
            row.index = i;
            row.name = CBaseView::Attribute(entry, QStringLiteral("name"));
            row.pid = CBaseView::Attribute(entry, QStringLiteral("pid"));
            row.listed = listed(entry);
            row.entry = entry;
            m_rows << row;
        }
    }
}

const CContactTable::Row& CContactTable::At(int globalIndex) const
{
    if (globalIndex < 0 || globalIndex >= m_rows.size())
        throw ProfileDataFault();
    return m_rows[globalIndex];
}

void CContactTable::SetListed(int globalIndex, bool listed)
{
    At(globalIndex);
    m_rows[globalIndex].listed = listed;
}

int CContactTable::Image(const Row& row) const
{
    switch (row.type) {
    case PublicGroupContact:
        return TreeNode::ImagePublicGroup;
    case PrivateGroupContact:
        return TreeNode::ImagePrivateGroup;
    default:
        return row.pid == m_strOwnId ? TreeNode::ImageOwnPrivate : TreeNode::ImagePrivate;
    }
}

CTwoListEditor::Entry CContactTable::EntryOf(int globalIndex) const
{
    const Row& row = At(globalIndex);
    return {row.name, Image(row), globalIndex};
}

QList<CTwoListEditor::Entry> CContactTable::Entries(bool listed) const
{
    QList<CTwoListEditor::Entry> entries;
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].listed == listed)
            entries << EntryOf(i);
    }
    return entries;
}
