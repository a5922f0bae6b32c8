#include "ProfileVersion.h"

#include "ModelErrors.h"
#include "ValueConversion.h"

int ProfileVersionByte(const kvx::xml::XmlNode& version, const QString& name)
{
    const QString text = version.GetAttribute(name);
    if (const auto value = TextToLong(text))
        return *value & 0xFF;
    if (const auto value = TextToUnsignedLong(text))
        return static_cast<int>(*value & 0xFF);
    ThrowXmlFailure(QStringLiteral("Type mismatch"), QStringLiteral("%1='%2' is not a number.").arg(name, text));
}

QString FirmwareVersionText(const kvx::xml::XmlNode& version)
{
    const QString release = QString::number(ProfileVersionByte(version, QStringLiteral("firmware_release")), 16).toUpper();
    return version.GetAttribute(QStringLiteral("firmware_phase")) +
           QStringLiteral("%1.%2.%3")
               .arg(release.rightJustified(2, QLatin1Char('0')))
               .arg(ProfileVersionByte(version, QStringLiteral("firmware_version")), 2, 10, QLatin1Char('0'))
               .arg(ProfileVersionByte(version, QStringLiteral("firmware_revision")), 2, 10, QLatin1Char('0'));
}
