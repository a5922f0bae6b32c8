// The fields that differ between model groups: which ones a profile of a
// group lacks, adding them on load, taking them off on save, and the
// version of a profile converted to the latest group.

#include "RadioDataModel.h"

#include "MessageIds.h"
#include "ModelErrors.h"
#include "ModelGroup.h"

using namespace kvx::xml;

namespace {

QString NameMatch(const QString& name)
{
    return QStringLiteral("dfns:*[@name=%1]").arg(CDataItem::XPathLiteral(name));
}

}  // namespace

void CRadioDataModel::SelectAddFieldLists()
{
    // The lists of an earlier load are no longer used.
    while (!m_spWorkRoot.FirstChild().IsNull())
        m_spWorkRoot.RemoveChild(m_spWorkRoot.FirstChild());
    m_spAddFields = BuildAddFieldList(m_nGroup);
    m_spAddFieldsLatest = m_nGroup == kLatestModelGroup ? m_spAddFields : BuildAddFieldList(kLatestModelGroup);
}

void CRadioDataModel::AddKeepEntries(XmlNode& keep, const XmlNodeList& candidates)
{
    for (const XmlNode& candidate : candidates) {
        if (keep.SelectSingleNode(NameMatch(candidate.GetAttribute(QStringLiteral("name")))).IsNull())
            keep.AppendChild(candidate.CloneNode(false));
    }
}

void CRadioDataModel::AddCandidates(XmlNode& addFields, const XmlNode& keep, const XmlNodeList& candidates)
{
    for (const XmlNode& candidate : candidates) {
        const QString match = NameMatch(candidate.GetAttribute(QStringLiteral("name")));
        if (addFields.SelectSingleNode(match).IsNull() && keep.SelectSingleNode(match).IsNull())
            addFields.AppendChild(candidate.CloneNode(false));
    }
}

XmlNodeList CRadioDataModel::BuildAddFieldList(int group)
{
    const XmlDocument settings = m_environment->UpDownDocument();
    if (settings.IsNull())
        ThrowXmlFailure(QStringLiteral("Object required"), QStringLiteral("The model-group settings are not loaded."));
    const QString region = m_environment->Region();
    const QString ns = QString::fromLatin1(kProfileNamespace);

    // Fields the group has: own region first, so it wins over the common part.
    XmlNode keep = m_spWorkDoc.CreateElement(QStringLiteral("keepNode"), ns);
    m_spWorkRoot.AppendChild(keep);
    for (const XmlNode& entry :
         settings.SelectNodes(QStringLiteral("//dfns:CodePlugSetting/dfns:G%1/dfns:%2/dfns:*[@isExist='1']").arg(group).arg(region)))
        keep.AppendChild(entry.CloneNode(false));
    AddKeepEntries(keep, settings.SelectNodes(
                             QStringLiteral("//dfns:CodePlugSetting/dfns:G%1/dfns:RegionCommon/dfns:*[@isExist='1']").arg(group)));

    // Fields of later groups that this group lacks; the highest group's entry
    // wins, and G1 (the first group) is never a source.
    const XmlNodeList groups = settings.SelectNodes(QStringLiteral("//dfns:CodePlugSetting/dfns:*"));
    XmlNode addFields = m_spWorkDoc.CreateElement(QStringLiteral("addField_G%1").arg(group), ns);
    m_spWorkRoot.AppendChild(addFields);
    for (int p = groups.Length() - 1; p >= 1; --p) {
        const XmlNode groupElement = groups.Item(p);
        const QString exists = p + 1 == group ? QStringLiteral("0") : QStringLiteral("1");
        AddCandidates(addFields, keep,
                      groupElement.SelectNodes(QStringLiteral("dfns:%1/dfns:*[@isExist='%2']").arg(region, exists)));
        AddCandidates(addFields, keep,
                      groupElement.SelectNodes(QStringLiteral("dfns:RegionCommon/dfns:*[@isExist='%1']").arg(exists)));
    }
    return addFields.SelectNodes(QStringLiteral("dfns:*"));
}

void CRadioDataModel::AddFields(bool fromFile)
{
    const QString ns = QString::fromLatin1(kProfileNamespace);
    for (const XmlNode& entry : m_spAddFields) {
        const QString kind = entry.BaseName();
        if (kind == QLatin1String("CPField")) {
            const QString name = entry.GetAttribute(QStringLiteral("name"));
            const QString replaceBy = entry.GetAttribute(QStringLiteral("replaceby"));
            const QString defaultValue = entry.GetAttribute(QStringLiteral("defaulvalue"));
            for (XmlNode element : m_spOperaDoc.SelectNodes(QStringLiteral("//dfns:") + entry.GetAttribute(QStringLiteral("nodename")))) {
                const QString own = replaceBy.isEmpty() ? QString() : element.GetAttribute(replaceBy);
                XmlNode attribute = m_spOperaDoc.CreateAttribute(name);
                attribute.SetNodeValue(own.isEmpty() ? defaultValue : own);
                element.SetAttributeNode(attribute);
            }
        } else if (kind == QLatin1String("CPTag") && fromFile) {
            const QString name = entry.GetAttribute(QStringLiteral("name"));
            for (XmlNode parent : m_spOperaDoc.SelectNodes(QStringLiteral("//dfns:") + entry.GetAttribute(QStringLiteral("parentNode"))))
                parent.AppendChild(m_spOperaDoc.CreateElement(name, ns));
        }
    }
}

void CRadioDataModel::RemoveAddFields(const XmlNodeList& entries)
{
    for (const XmlNode& entry : entries) {
        const QString kind = entry.BaseName();
        const QString name = entry.GetAttribute(QStringLiteral("name"));
        if (kind == QLatin1String("CPField")) {
            for (XmlNode element : m_spOperaDoc.SelectNodes(QStringLiteral("//dfns:") + entry.GetAttribute(QStringLiteral("nodename"))))
                element.RemoveAttribute(name);
        } else if (kind == QLatin1String("CPTag")) {
            for (XmlNode parent : m_spOperaDoc.SelectNodes(QStringLiteral("//dfns:") + entry.GetAttribute(QStringLiteral("parentNode")))) {
                for (XmlNode child = parent.FirstChild(); !child.IsNull();) {
                    const XmlNode next = child.NextSibling();
                    if (child.NodeName() == name)
                        parent.RemoveChild(child);
                    child = next;
                }
            }
        }
    }
}

void CRadioDataModel::TakeOffDoc(bool convert)
{
    try {
        if (m_spProfileDoc.IsNull() || m_spOperaDoc.IsNull())
            ThrowXmlFailure(QStringLiteral("Object required"), QStringLiteral("No profile is loaded."));
        if (!m_spOperaDoc.LoadXml(m_spProfileDoc.Xml()))
            ThrowXmlFailure(QStringLiteral("Load failed"), m_spOperaDoc.LastParseError().reason);
        RemoveAddFields(convert ? m_spAddFieldsLatest : m_spAddFields);
    }
    KVX_CATCH_XML(kMsgSaveFailed, "CRadioDataModel::TakeOffDoc")
}

void CRadioDataModel::UpgradeVersion()
{
    const XmlDocument settings = m_environment->UpDownDocument();
    if (settings.IsNull() || m_spOperaDoc.IsNull())
        return;
    const QString base = QStringLiteral("//dfns:UpDownGradeSetting/dfns:ZOTVersion/dfns:G%1/").arg(kLatestModelGroup);
    QString target;
    const XmlNode firmware = settings.SelectSingleNode(base + QStringLiteral("dfns:FirmwareVer"));
    if (!firmware.IsNull()) {
        target = firmware.GetAttribute(QStringLiteral("version"));
    } else {
        const XmlNode span = settings.SelectSingleNode(base + QStringLiteral("dfns:VerSpan"));
        target = span.IsNull() ? QString() : span.GetAttribute(QStringLiteral("startVer"));
    }
    if (target.isEmpty())
        return;

    bool ok = false;
    const qint32 release = target.left(2).toInt(&ok, 16);
    XmlNode version = m_spOperaDoc.SelectSingleNode(QStringLiteral("//dfns:version"));
    if (version.IsNull())
        return;
    version.SetAttribute(QStringLiteral("firmware_release"), QString::number(ok ? release : 0));
    version.SetAttribute(QStringLiteral("firmware_version"), target.mid(3, 2));
    version.SetAttribute(QStringLiteral("firmware_revision"), target.right(2));
}
