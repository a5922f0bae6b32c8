#pragma once

// What the reports show of a profile, read once through its data items:
// the radio's identity and capacities, every contact and every message,
// each list in the name collation's order.

#include "DataItem.h"
#include "PublicGroupIds.h"

#include <QStringList>
#include <vector>

class CRadioDataModel;

struct ReportContact {
    QString name;
    QString pid;
    int channel = 0;
    int type = 0;   // cntct_type: 0 private, 1 private group, 2 public group
    bool inScrollList = false;
    bool inScanList = false;   // public groups

    // Privates only.
    int alertTone = 0;
    QString homeGroup;   // pid of a group, or empty
    bool showGroupOnly = false;
    bool seeAllGroups = false;
    bool managerMode = false;
    bool privateScrollList = false;
    QStringList parentGroups;   // pids of the private groups it belongs to

    bool IsPublicGroup() const { return type == 2; }
};

struct ReportProfile {
    // Reads the loaded profile of `model`. Raises the data items'
    // CKVXZOTException when an entry lacks what the grammar requires.
    static ReportProfile Read(CRadioDataModel& model);

    CDataItem root;
    int group = 0;   // model group
    QString unitId;
    QString model;   // the limit's model value ("D30")
    QString firmwareVersion;   // "R5E.08.00"
    QString codeplugVersion;   // "CP03.10.05"
    bool managerModeEnabled = false;   // mngr_mode_en
    bool seeAllGroupsEnabled = false;  // see_all_groups_en
    bool publicScanEnabled = false;    // public_scan_en
    bool scanMode = false;             // scan_en of the settings
    PublicGroupBanks banks;

    std::vector<ReportContact> publicGroups;
    std::vector<ReportContact> privateGroups;
    std::vector<ReportContact> privates;
    QStringList messages;

    // The contact of any kind with this pid; null when none.
    const ReportContact* FindContact(const QString& pid) const;
    const ReportContact* FindPrivate(const QString& pid) const;
    // The model as the radio's name shows it: every "D" as "KVX".
    QString DisplayModel() const;
};

// Names in the collation's order; equal names keep their order.
void SortByName(QStringList& names);
