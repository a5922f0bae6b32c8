// Mapping of firmware versions to model groups through the ZOTVersion
// section of the up/downgrade settings.

#include "KVXZOTApp.h"

using namespace kvx::xml;

namespace {

// Reads a hexadecimal number the way a "0x"-prefixed C conversion does:
// the longest valid prefix, 0 when there is none.
qint64 ReadHexPrefix(const QString& part)
{
    qint64 value = 0;
    for (QChar c : part) {
        const int digit = QStringLiteral("0123456789abcdef").indexOf(c.toLower());
        if (digit < 0)
            break;
        value = value * 16 + digit;
    }
    return value;
}

int GroupNumberOf(const XmlNode& groupElement)
{
    QString name = groupElement.BaseName();
    while (name.startsWith(QLatin1Char('G')))
        name.remove(0, 1);
    return name.toInt();
}

}  // namespace

qint64 CKVXZOTApp::VersionToNumber(const QString& version)
{
    const qint64 a = ReadHexPrefix(version.left(2));
    const qint64 b = ReadHexPrefix(version.mid(3, 2));
    const qint64 c = ReadHexPrefix(version.right(2));
    return a * 10000 + b * 100 + c;
}

int CKVXZOTApp::GetVersionGroup(const QString& version) const
{
    if (m_spUpDownDoc.IsNull())
        return 0;
    QString bare = version;
    while (bare.startsWith(QLatin1Char('D')) || bare.startsWith(QLatin1Char('R')))
        bare.remove(0, 1);
    // A quote would end the XPath literal; no version text contains one.
    if (bare.contains(QLatin1Char('\'')))
        return 0;

    const XmlNode exact = m_spUpDownDoc.SelectSingleNode(
        QStringLiteral("//dfns:ZOTVersion/dfns:*/dfns:FirmwareVer[@version='%1']").arg(bare));
    if (!exact.IsNull())
        return GroupNumberOf(exact.Parent());

    const qint64 number = VersionToNumber(bare);
    for (const XmlNode& span : m_spUpDownDoc.SelectNodes(QStringLiteral("//dfns:ZOTVersion/dfns:*/dfns:VerSpan[@startVer]"))) {
        const qint64 start = VersionToNumber(span.GetAttribute(QStringLiteral("startVer")));
        const qint64 end = VersionToNumber(span.GetAttribute(QStringLiteral("endVer")));
        if (start <= number && number <= end)
            return GroupNumberOf(span.Parent());
    }
    return 0;
}
