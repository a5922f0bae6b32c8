#pragma once

#include <QHash>
#include <QString>

// Every user-visible text of the program, by number. The English table is
// built in; a language resource may replace any text by its number.
class CStringTable {
public:
    // The process-wide table used by every subsystem.
    static CStringTable& Instance();

    // Text of a string number; an unknown number gives an empty text.
    QString Text(int id) const;
    bool Has(int id) const;

    // Loads a language resource (a JSON object {"strings": {"223": "..."}})
    // over the English table. False leaves the table unchanged.
    bool LoadLanguageResource(const QString& path, QString* error = nullptr);

    // Back to the built-in English texts.
    void ResetToEnglish();

    // The built-in English table (number → text).
    static const QHash<int, QString>& English();

private:
    CStringTable();
    QHash<int, QString> m_overrides;
};

// Shorthand for CStringTable::Instance().Text(id).
QString LoadStr(int id);
