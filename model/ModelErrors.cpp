#include "ModelErrors.h"

QString XmlErrorText(const kvx::xml::XmlError& error)
{
    return QStringLiteral("ErrorMsg: %1\nDesc: %2\nSource: %3").arg(error.ErrorMessage(), error.Description(), error.Source());
}

void RaiseXmlError(qint32 code, const kvx::xml::XmlError& error, const char* operation, int line)
{
    throw CKVXZOTException(code, XmlErrorText(error), operation, line);
}

void ThrowXmlFailure(const QString& errorMessage, const QString& description)
{
    throw kvx::xml::XmlError(errorMessage, description, QStringLiteral("KVXZOT data model"));
}
