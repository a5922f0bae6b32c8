#include "XmlService.h"

namespace kvx::xml {

XmlError::XmlError(QString errorMessage, QString description, QString source)
    : m_errorMessage(std::move(errorMessage)), m_description(std::move(description)), m_source(std::move(source))
{
}

const char* XmlError::what() const noexcept
{
    if (m_what.empty()) {
        m_what = QStringLiteral("ErrorMsg: %1\nDesc: %2\nSource: %3")
                     .arg(m_errorMessage, m_description, m_source)
                     .toStdString();
    }
    return m_what.c_str();
}

}  // namespace kvx::xml
