#include "StringTable.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

CStringTable::CStringTable() = default;

CStringTable& CStringTable::Instance()
{
    static CStringTable table;
    return table;
}

QString CStringTable::Text(int id) const
{
    auto it = m_overrides.constFind(id);
    if (it != m_overrides.constEnd())
        return *it;
    return English().value(id);
}

bool CStringTable::Has(int id) const
{
    return m_overrides.contains(id) || English().contains(id);
}

bool CStringTable::LoadLanguageResource(const QString& path, QString* error)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot open '%1'").arg(path);
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (doc.isNull() || !doc.isObject() || !doc.object().value(QStringLiteral("strings")).isObject()) {
        if (error)
            *error = parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                                   : QStringLiteral("no \"strings\" object");
        return false;
    }
    QHash<int, QString> texts;
    const QJsonObject strings = doc.object().value(QStringLiteral("strings")).toObject();
    for (auto it = strings.begin(); it != strings.end(); ++it) {
        bool ok = false;
        const int id = it.key().toInt(&ok);
        if (ok && it.value().isString())
            texts.insert(id, it.value().toString());
    }
    m_overrides = std::move(texts);
    return true;
}

void CStringTable::ResetToEnglish()
{
    m_overrides.clear();
}

QString LoadStr(int id)
{
    return CStringTable::Instance().Text(id);
}
