#include "KVXZOTException.h"

#include "StringTable.h"

CKVXZOTException::CKVXZOTException(qint32 code, const QString& message, const char* operation, int line)
    : m_nCode(code)
{
    AddTrace(message, operation, line);
}

void CKVXZOTException::AddTrace(const QString& message, const char* operation, int line)
{
    m_strTrace += QStringLiteral("\n(%1:%2) %3").arg(QString::fromUtf8(operation)).arg(line).arg(message);
}

const char* CKVXZOTException::what() const noexcept
{
    m_whatCache = QStringLiteral("code %1:%2").arg(m_nCode).arg(m_strTrace).toStdString();
    return m_whatCache.c_str();
}

QString CKVXZOTException::UserText() const
{
    const QString text = LoadStr(m_nCode);
    return m_strReason.isEmpty() ? text : text + QLatin1Char('\n') + m_strReason;
}
