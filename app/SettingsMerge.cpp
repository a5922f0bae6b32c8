// Selection of a model group: the merge of the group's code-plug and
// visible settings (its region part and its common part) onto those of G1,
// leaving one visible-settings fragment for the form views.

#include "KVXZOTApp.h"

#include "KVXZOTException.h"
#include "MessageIds.h"
#include "Messages.h"
#include "StringTable.h"

using namespace kvx::xml;

namespace {

XmlNode SelectRequired(const XmlNode& from, const QString& path)
{
    XmlNode node = from.SelectSingleNode(path);
    if (node.IsNull())
        throw XmlError(QStringLiteral("Object required"), QStringLiteral("No node matches '%1'").arg(path),
                       QStringLiteral("CKVXZOTApp"));
    return node;
}

// An attribute read as an unsigned number; text that is not a number fails
// like a failed type conversion.
uint UnsignedAttribute(const XmlNode& node, const QString& name, bool absentIsZero)
{
    bool present = false;
    const QString text = node.GetAttribute(name, &present).trimmed();
    if (!present && absentIsZero)
        return 0;
    bool ok = false;
    const uint value = text.toUInt(&ok);
    if (!ok)
        throw XmlError(QStringLiteral("Type mismatch"),
                       QStringLiteral("Attribute %1='%2' is not a number").arg(name, text), QStringLiteral("CKVXZOTApp"));
    return value;
}

// The source and target of one merge step; false when the source has nothing
// to merge. A missing source, or a missing target of a non-empty source,
// fails like any failed selection.
bool SelectMergePair(const XmlDocument& doc, const QString& sourcePath, const QString& targetPath, XmlNode& source, XmlNode& target)
{
    target = doc.SelectSingleNode(targetPath);
    source = SelectRequired(doc.AsNode(), sourcePath);
    if (!source.HasChildNodes())
        return false;
    if (target.IsNull())
        SelectRequired(doc.AsNode(), targetPath);
    return true;
}

}  // namespace

XmlDocument CKVXZOTApp::SelectGroup(int group)
{
    const QString region = m_strRegion;
    const QString gn = QStringLiteral("G%1").arg(group);
    try {
        if (m_spMergeDoc.IsNull())
            m_spMergeDoc = XmlDocument::Create();
        if (!m_spMergeDoc.LoadXml(m_spUpDownDoc.Xml()))
            throw XmlError(QStringLiteral("Load failed"), m_spMergeDoc.LastParseError().reason, QStringLiteral("CKVXZOTApp"));
        m_spVisibleBase = m_spMergeDoc;

        CodePlugMergeToBase(QStringLiteral("//dfns:CodePlugSetting/dfns:G1/dfns:%1").arg(region),
                            QStringLiteral("//dfns:CodePlugSetting/dfns:G1/dfns:RegionCommon"));
        CodePlugMergeToBase(QStringLiteral("//dfns:CodePlugSetting/dfns:%1/dfns:%2").arg(gn, region),
                            QStringLiteral("//dfns:CodePlugSetting/dfns:%1/dfns:RegionCommon").arg(gn));
        CodePlugMergeToBase(QStringLiteral("//dfns:CodePlugSetting/dfns:%1/dfns:RegionCommon").arg(gn),
                            QStringLiteral("//dfns:CodePlugSetting/dfns:G1/dfns:RegionCommon"));
        VisibleMergeToBase(QStringLiteral("//dfns:VisibleSetting/dfns:G1/dfns:%1").arg(region),
                           QStringLiteral("//dfns:VisibleSetting/dfns:G1/dfns:RegionCommon"));
        VisibleMergeToBase(QStringLiteral("//dfns:VisibleSetting/dfns:%1/dfns:%2").arg(gn, region),
                           QStringLiteral("//dfns:VisibleSetting/dfns:%1/dfns:RegionCommon").arg(gn));
        VisibleMergeToBase(QStringLiteral("//dfns:VisibleSetting/dfns:%1/dfns:RegionCommon").arg(gn),
                           QStringLiteral("//dfns:VisibleSetting/dfns:G1/dfns:RegionCommon"));
        MergeCpToBase();

        const XmlNode fragment = SelectRequired(m_spVisibleBase.AsNode(),
                                                QStringLiteral("//dfns:VisibleSetting/dfns:G1/dfns:RegionCommon"));
        if (!m_spVisibleBase.LoadXml(fragment.Xml()))
            throw XmlError(QStringLiteral("Load failed"), m_spVisibleBase.LastParseError().reason, QStringLiteral("CKVXZOTApp"));
        m_nCurrentGroup = group;
        return m_spVisibleBase;
    } catch (const CKVXZOTException& e) {
        kvx::ShowMessage(e.GetTrace());
    } catch (const XmlError&) {
        kvx::ShowMessageId(kMsgUnknownError);
    }
    return XmlDocument();
}

void CKVXZOTApp::CodePlugMergeToBase(const QString& sourcePath, const QString& targetPath)
{
    XmlNode source;
    XmlNode target;
    if (!SelectMergePair(m_spVisibleBase, sourcePath, targetPath, source, target))
        return;
    for (XmlNode field : source.SelectNodes(QStringLiteral("dfns:CPField"))) {
        bool hasName = false;
        bool hasExist = false;
        const QString name = field.GetAttribute(QStringLiteral("name"), &hasName);
        const QString isExist = field.GetAttribute(QStringLiteral("isExist"), &hasExist);
        if (!hasName || !hasExist)
            KVX_RAISE(kMsgSettingsBadNode, LoadStr(kMsgSettingsBadNode), "CKVXZOTApp::CodePlugMergeToBase");
        XmlNode existing = name.contains(QLatin1Char('\''))
                                     ? XmlNode()
                                     : target.SelectSingleNode(QStringLiteral("dfns:CPField[@name='%1']").arg(name));
        if (!existing.IsNull())
            existing.SetAttribute(QStringLiteral("isExist"), isExist);
        else
            target.AppendChild(field);
    }
}

void CKVXZOTApp::VisibleMergeToBase(const QString& sourcePath, const QString& targetPath)
{
    XmlNode source;
    XmlNode target;
    if (!SelectMergePair(m_spVisibleBase, sourcePath, targetPath, source, target))
        return;
    for (XmlNode control : source.SelectNodes(QStringLiteral("dfns:*/dfns:Control"))) {
        const uint id = UnsignedAttribute(control, QStringLiteral("ID"), false);
        const uint visible = UnsignedAttribute(control, QStringLiteral("isVisible"), true);
        const QString page = control.Parent().BaseName();
        XmlNode existing = target.SelectSingleNode(QStringLiteral("dfns:%1/dfns:Control[@ID='%2']").arg(page).arg(id));
        if (!existing.IsNull()) {
            existing.SetAttribute(QStringLiteral("isVisible"), QString::number(visible));
        } else {
            SelectRequired(target, QStringLiteral("dfns:%1").arg(page)).AppendChild(control);
        }
    }
}

void CKVXZOTApp::MergeCpToBase()
{
    XmlNode visible = SelectRequired(m_spVisibleBase.AsNode(), QStringLiteral("//dfns:VisibleSetting/dfns:G1/dfns:RegionCommon"));
    XmlNode codeplug = SelectRequired(m_spVisibleBase.AsNode(), QStringLiteral("//dfns:CodePlugSetting/dfns:G1/dfns:RegionCommon"));
    if (!codeplug.HasChildNodes())
        return;
    for (XmlNode control : codeplug.SelectNodes(QStringLiteral("dfns:CPField[@isExist='1']/dfns:Control"))) {
        const uint id = UnsignedAttribute(control, QStringLiteral("ID"), false);
        const QString page = control.GetAttribute(QStringLiteral("RightView"));
        if (!visible.SelectSingleNode(QStringLiteral("dfns:%1/dfns:Control[@ID='%2']").arg(page).arg(id)).IsNull())
            KVX_RAISE(kMsgSettingsDuplicateNode, LoadStr(kMsgSettingsDuplicateNode), "CKVXZOTApp::MergeCpToBase");
        control.RemoveAttribute(QStringLiteral("RightView"));
        control.SetAttribute(QStringLiteral("isVisible"), QStringLiteral("1"));
        SelectRequired(visible, QStringLiteral("dfns:%1").arg(page)).AppendChild(control);
    }
}
