#pragma once

// CContactTable: the table of contacts the list views build when shown: for
// each folder under Contacts in document order and each entry in it, one
// row with the contact's type (cntct_type), its index in its folder, name,
// ID and list flag. A row's number is its global index, which the items of
// the two-list editor carry to find their entry again.
//
// A missing node or attribute raises ProfileDataFault.

#include "DataItem.h"
#include "TwoListEditor.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class CContactTable {
public:
    enum ContactType { PrivateContact = 0, PrivateGroupContact = 1, PublicGroupContact = 2 };
    struct Row {
        int type = PrivateContact;
        int index = 0;   // position in its folder
        QString name;
        QString pid;
        bool listed = false;
        CDataItem entry;
    };
    // Whether a contact is in the list the view edits.
    using ListedTest = std::function<bool(const CDataItem& entry)>;
    // Whether a contact belongs in the table at all.
    using Filter = std::function<bool(const CDataItem& entry)>;

    // Builds the rows from the profile root: the named folders under
    // Contacts (every folder when none are named).
    void Build(const CDataItem& root, const ListedTest& listed, const QStringList& folders = {},
               const Filter& filter = {});

    int Count() const { return int(m_rows.size()); }
    // The row of a global index; ProfileDataFault when there is none.
    const Row& At(int globalIndex) const;
    void SetListed(int globalIndex, bool listed);

    // The two-list editor's entries of the rows listed or not listed.
    QList<CTwoListEditor::Entry> Entries(bool listed) const;
    CTwoListEditor::Entry EntryOf(int globalIndex) const;
    // The image of a contact: private 10 (11 for the radio's own), private
    // group 8, public group 6.
    int Image(const Row& row) const;

private:
    QList<Row> m_rows;
    QString m_strOwnId;
};
