// CDataItem: the queries the views ask of the whole profile.

#include "DataItem.h"

#include "MessageIds.h"
#include "ModelErrors.h"

using namespace kvx::xml;

namespace {

QString ContactByIdPath(const QString& id)
{
    return QStringLiteral("//dfns:*[@cntct_type and @pid=%1]").arg(CDataItem::XPathLiteral(id));
}

}  // namespace

int CDataItem::GetScrollListCount() const
{
    try {
        return RequireNode().SelectNodes(QStringLiteral("//dfns:*[@cntct_type and @in_scroll_list = 1]")).Length();
    }
    KVX_CATCH_XML(kMsgUnknownError, "CDataItem::GetScrollListCount")
}

int CDataItem::GetScanListCount(int channel) const
{
    try {
        return RequireNode()
            .SelectNodes(QStringLiteral("//dfns:PublicGroup[@channel = %1 and @in_scan_list = 1]").arg(channel))
            .Length();
    }
    KVX_CATCH_XML(kMsgUnknownError, "CDataItem::GetScanListCount")
}

QString CDataItem::GetContactNameByID(const QString& id) const
{
    if (id.isEmpty())
        return QString();
    try {
        const XmlNode contact = RequireNode().SelectSingleNode(ContactByIdPath(id));
        if (contact.IsNull())
            ThrowXmlFailure(QStringLiteral("Object required"), QStringLiteral("No contact has the ID '%1'.").arg(id));
        return contact.GetAttribute(QStringLiteral("name"));
    }
    KVX_CATCH_XML(kMsgUnknownError, "CDataItem::GetContactNameByID")
}

CDataItem* CDataItem::GetContactByID(const QString& id, CDataItem& out) const
{
    if (id.isEmpty())
        return nullptr;
    try {
        out.m_spNode = RequireNode().SelectSingleNode(ContactByIdPath(id));
        out.m_spScript = m_spScript;
        return &out;
    }
    KVX_CATCH_XML(kMsgUnknownError, "CDataItem::GetContactByID")
}

void CDataItem::GetGroupMemeber(const QString& groupId, QStringList& ids, QStringList& names) const
{
    ids.clear();
    names.clear();
    try {
        const XmlNodeList entries =
            RequireNode().SelectNodes(QStringLiteral("//dfns:ParentPrivateGroup[@pid=%1]").arg(XPathLiteral(groupId)));
        for (const XmlNode& entry : entries) {
            const XmlNode member = entry.Parent().Parent();
            if (member.IsNull())
                ThrowXmlFailure(QStringLiteral("Object required"), QStringLiteral("A group entry has no private."));
            ids << member.GetAttribute(QStringLiteral("pid"));
            names << member.GetAttribute(QStringLiteral("name"));
        }
    }
    KVX_CATCH_XML(kMsgUnknownError, "CDataItem::GetGroupMemeber")
}
