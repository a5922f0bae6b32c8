#include "StringTable.h"

// The built-in English string table.
const QHash<int, QString>& CStringTable::English()
{
    static const QHash<int, QString> table = {
        {100, QStringLiteral("OLE initialization failed. Make sure that the OLE libraries are the correct version.")},
    };
    return table;
}
