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

namespace {

// The ZOTVersion section as plain data: exact firmware versions first, then
// the version spans, each in document order.
struct VersionGroupTable {
    struct Span {
        qint64 start;
        qint64 end;
        int group;
    };
    QList<QPair<QString, int>> exact;
    QList<Span> spans;

    static VersionGroupTable Read(const XmlDocument& upDown)
    {
        VersionGroupTable table;
        if (upDown.IsNull())
            return table;
        for (const XmlNode& version : upDown.SelectNodes(QStringLiteral("//dfns:ZOTVersion/dfns:*/dfns:FirmwareVer[@version]")))
            table.exact.append({version.GetAttribute(QStringLiteral("version")), GroupNumberOf(version.Parent())});
        for (const XmlNode& span : upDown.SelectNodes(QStringLiteral("//dfns:ZOTVersion/dfns:*/dfns:VerSpan[@startVer]")))
            table.spans.append({CKVXZOTApp::VersionToNumber(span.GetAttribute(QStringLiteral("startVer"))),
                                CKVXZOTApp::VersionToNumber(span.GetAttribute(QStringLiteral("endVer"))), GroupNumberOf(span.Parent())});
        return table;
    }

    int GroupOf(const QString& version) const
    {
        QString bare = version;
        while (bare.startsWith(QLatin1Char('D')) || bare.startsWith(QLatin1Char('R')))
            bare.remove(0, 1);
        for (const auto& [text, group] : exact) {
            if (text == bare)
                return group;
        }
        const qint64 number = CKVXZOTApp::VersionToNumber(bare);
        for (const Span& span : spans) {
            if (span.start <= number && number <= span.end)
                return span.group;
        }
        return 0;
    }
};

}  // namespace

int CKVXZOTApp::GetVersionGroup(const QString& version) const
{
    return VersionGroupTable::Read(m_spUpDownDoc).GroupOf(version);
}

std::function<int(const QString& version)> CKVXZOTApp::VersionGroupResolver() const
{
    return [table = VersionGroupTable::Read(m_spUpDownDoc)](const QString& version) { return table.GroupOf(version); };
}
