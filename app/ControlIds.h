#pragma once

// The controls of every form page, by identifier. One table shared by the
// settings documents of the installation ("UpDownGradeSetting.stv" names the
// controls a model group shows, "HelpPane.stv" maps them to help pages) and by
// the form views that build the controls. Identifiers are decimal, unique
// across all pages and grouped in one block per page; a control keeps its
// identifier for good, because installed settings documents refer to it.

#include <array>
#include <cstddef>
#include <string_view>

namespace ControlId {

// Page "RadioInfo"
inline constexpr int RadioInfoTitle = 1100;  // title
inline constexpr int RadioInfoUnitIdLabel = 1101;
inline constexpr int RadioInfoUnitIdColon = 1102;
inline constexpr int RadioInfoUnitIdValue = 1103;
inline constexpr int RadioInfoNameLabel = 1104;
inline constexpr int RadioInfoNameColon = 1105;
inline constexpr int RadioInfoNameValue = 1106;
inline constexpr int RadioInfoFirmwareLabel = 1107;
inline constexpr int RadioInfoFirmwareColon = 1108;
inline constexpr int RadioInfoFirmwareValue = 1109;
inline constexpr int RadioInfoCodeplugLabel = 1110;
inline constexpr int RadioInfoCodeplugColon = 1111;
inline constexpr int RadioInfoCodeplugValue = 1112;

// Page "Settings"
inline constexpr int SettingsTitle = 1200;  // title
inline constexpr int SettingsDisplaySection = 1201;  // section
inline constexpr int SettingsVibraCallCheck = 1202;
inline constexpr int SettingsPasswordLabel = 1203;
inline constexpr int SettingsPasswordEdit = 1204;
inline constexpr int SettingsConfirmPasswordLabel = 1205;
inline constexpr int SettingsConfirmPasswordEdit = 1206;
inline constexpr int SettingsContrastLabel = 1207;
inline constexpr int SettingsContrastCombo = 1208;
inline constexpr int SettingsBacklightLabel = 1209;
inline constexpr int SettingsBacklightCombo = 1210;
inline constexpr int SettingsClockSection = 1211;  // section
inline constexpr int SettingsTimeFormatLabel = 1212;
inline constexpr int SettingsTimeFormatCombo = 1213;
inline constexpr int SettingsTimeLabel = 1214;
inline constexpr int SettingsTimePicker = 1215;
inline constexpr int SettingsDateFormatLabel = 1216;
inline constexpr int SettingsDateFormatCombo = 1217;
inline constexpr int SettingsDateLabel = 1218;
inline constexpr int SettingsDatePicker = 1219;
inline constexpr int SettingsPcClockCheck = 1220;
inline constexpr int SettingsAlarmCheck = 1221;
inline constexpr int SettingsAlarmTimeLabel = 1222;
inline constexpr int SettingsAlarmTimePicker = 1223;
inline constexpr int SettingsVolumeSection = 1224;  // section
inline constexpr int SettingsRingerVolLabel = 1225;
inline constexpr int SettingsRingerVolCombo = 1226;
inline constexpr int SettingsSpeakerVolLabel = 1227;
inline constexpr int SettingsSpeakerVolCombo = 1228;
inline constexpr int SettingsKeypadVolLabel = 1229;
inline constexpr int SettingsKeypadVolCombo = 1230;
inline constexpr int SettingsAlarmVolLabel = 1231;
inline constexpr int SettingsAlarmVolCombo = 1232;
inline constexpr int SettingsEarpieceVolLabel = 1233;
inline constexpr int SettingsEarpieceVolCombo = 1234;
inline constexpr int SettingsAdvancedSection = 1235;  // section
inline constexpr int SettingsTptOffsetLabel = 1236;
inline constexpr int SettingsTptOffsetCombo = 1237;
inline constexpr int SettingsAmbientNoiseFrame = 1238;  // group frame
inline constexpr int SettingsNoiseAccessoryLabel = 1239;
inline constexpr int SettingsNoiseAccessoryCombo = 1240;
inline constexpr int SettingsNoiseRadioLabel = 1241;
inline constexpr int SettingsNoiseRadioCombo = 1242;
inline constexpr int SettingsLanguageLabel = 1243;
inline constexpr int SettingsLanguageCombo = 1244;
inline constexpr int SettingsInternalPttCheck = 1245;
inline constexpr int SettingsProgModeCheck = 1246;
inline constexpr int SettingsTxTimeoutDisableCheck = 1247;
inline constexpr int SettingsTxTimeoutLabel = 1248;
inline constexpr int SettingsTxTimeoutCombo = 1249;
inline constexpr int SettingsPrivilegeNote = 1250;
inline constexpr int SettingsManagerModeLabel = 1251;
inline constexpr int SettingsManagerAllPrivatesLabel = 1252;
inline constexpr int SettingsManagerAllPrivatesList = 1253;
inline constexpr int SettingsManagerModeList = 1254;
inline constexpr int SettingsManagerAddButton = 1255;
inline constexpr int SettingsManagerRemoveButton = 1256;
inline constexpr int SettingsSeeAllGroupsLabel = 1257;
inline constexpr int SettingsSeeAllAllPrivatesLabel = 1258;
inline constexpr int SettingsSeeAllAllPrivatesList = 1259;
inline constexpr int SettingsSeeAllGroupsList = 1260;
inline constexpr int SettingsSeeAllAddButton = 1261;
inline constexpr int SettingsSeeAllRemoveButton = 1262;

// Page "Contacts"
inline constexpr int ContactsTitle = 1300;  // title
inline constexpr int ContactsMaxContactsLabel = 1301;
inline constexpr int ContactsMaxContactsValue = 1302;
inline constexpr int ContactsMaxPrivateGroupsLabel = 1303;
inline constexpr int ContactsMaxPrivateGroupsValue = 1304;
inline constexpr int ContactsMaxPublicGroupsLabel = 1305;
inline constexpr int ContactsMaxPublicGroupsValue = 1306;
inline constexpr int ContactsMaxPrivatesLabel = 1307;
inline constexpr int ContactsMaxPrivatesValue = 1308;
inline constexpr int ContactsCurPrivateGroupsLabel = 1309;
inline constexpr int ContactsCurPrivateGroupsValue = 1310;
inline constexpr int ContactsCurPublicGroupsLabel = 1311;
inline constexpr int ContactsCurPublicGroupsValue = 1312;
inline constexpr int ContactsCurPrivatesLabel = 1313;
inline constexpr int ContactsCurPrivatesValue = 1314;
inline constexpr int ContactsCurContactsLabel = 1315;
inline constexpr int ContactsCurContactsValue = 1316;

// Page "PublicGroups"
inline constexpr int PublicGroupsTitle = 1400;  // title
inline constexpr int PublicGroupsAddButton = 1401;

// Page "PrivateGroups"
inline constexpr int PrivateGroupsTitle = 1450;  // title
inline constexpr int PrivateGroupsAddButton = 1451;

// Page "Privates"
inline constexpr int PrivatesTitle = 1500;  // title
inline constexpr int PrivatesAddButton = 1501;
inline constexpr int PrivatesAddWithScannerButton = 1502;

// Page "PublicGroupX"
inline constexpr int PublicGroupTitle = 1600;  // title
inline constexpr int PublicGroupNameLabel = 1601;
inline constexpr int PublicGroupNameEdit = 1602;
inline constexpr int PublicGroupChannelLabel = 1603;
inline constexpr int PublicGroupChannelCombo = 1604;
inline constexpr int PublicGroupIdLabel = 1605;
inline constexpr int PublicGroupIdCombo = 1606;
inline constexpr int PublicGroupDeleteButton = 1607;
inline constexpr int PublicGroupDeleteLabel = 1608;

// Page "PrivateGroupX"
inline constexpr int PrivateGroupTitle = 1700;  // title
inline constexpr int PrivateGroupNameLabel = 1701;
inline constexpr int PrivateGroupNameEdit = 1702;
inline constexpr int PrivateGroupChannelLabel = 1703;
inline constexpr int PrivateGroupChannelCombo = 1704;
inline constexpr int PrivateGroupIdLabel = 1705;
inline constexpr int PrivateGroupIdCombo = 1706;
inline constexpr int PrivateGroupAllPrivatesLabel = 1707;
inline constexpr int PrivateGroupAllPrivatesList = 1708;
inline constexpr int PrivateGroupMembersLabel = 1709;
inline constexpr int PrivateGroupMembersList = 1710;
inline constexpr int PrivateGroupAddButton = 1711;
inline constexpr int PrivateGroupRemoveButton = 1712;
inline constexpr int PrivateGroupDeleteButton = 1713;
inline constexpr int PrivateGroupDeleteLabel = 1714;

// Page "PrivateX"
inline constexpr int PrivateTitle = 1800;  // title
inline constexpr int PrivateNameLabel = 1801;
inline constexpr int PrivateNameEdit = 1802;
inline constexpr int PrivateChannelLabel = 1803;
inline constexpr int PrivateChannelCombo = 1804;
inline constexpr int PrivateIdLabel = 1805;
inline constexpr int PrivateIdEdit = 1806;
inline constexpr int PrivateReadIdButton = 1807;
inline constexpr int PrivateHomeGroupLabel = 1808;
inline constexpr int PrivateHomeGroupCombo = 1809;
inline constexpr int PrivateGroupOnlyCheck = 1810;
inline constexpr int PrivateRingerLabel = 1811;
inline constexpr int PrivateRingerCombo = 1812;
inline constexpr int PrivateScrollFrame = 1813;  // group frame
inline constexpr int PrivateScrollEnableCheck = 1814;
inline constexpr int PrivateScrollAvailableLabel = 1815;
inline constexpr int PrivateScrollAvailableList = 1816;
inline constexpr int PrivateScrollMembersLabel = 1817;
inline constexpr int PrivateScrollMembersList = 1818;
inline constexpr int PrivateScrollAddButton = 1819;
inline constexpr int PrivateScrollRemoveButton = 1820;
inline constexpr int PrivateDeleteButton = 1821;
inline constexpr int PrivateDeleteLabel = 1822;

// Page "Lists"
inline constexpr int ListsTitle = 1900;  // title
inline constexpr int ListsScrollListLabel = 1901;
inline constexpr int ListsScrollList = 1902;
inline constexpr int ListsScanListLabel = 1903;
inline constexpr int ListsScanGrid = 1904;
inline constexpr int ListsScanModeLabel = 1905;
inline constexpr int ListsScanModeCheck = 1906;

// Page "Scroll"
inline constexpr int ScrollTitle = 2000;  // title
inline constexpr int ScrollAvailableLabel = 2001;
inline constexpr int ScrollAvailableList = 2002;
inline constexpr int ScrollMembersLabel = 2003;
inline constexpr int ScrollMembersList = 2004;
inline constexpr int ScrollAddButton = 2005;
inline constexpr int ScrollRemoveButton = 2006;

// Page "ScanList"
inline constexpr int ScanListTitle = 2100;  // title
inline constexpr int ScanListScanModeCheck = 2101;

// Page "ChannelX"
inline constexpr int ChannelTitle = 2200;  // title
inline constexpr int ChannelAvailableLabel = 2201;
inline constexpr int ChannelAvailableList = 2202;
inline constexpr int ChannelMembersLabel = 2203;
inline constexpr int ChannelMembersList = 2204;
inline constexpr int ChannelAddButton = 2205;
inline constexpr int ChannelRemoveButton = 2206;

// Page "TextMsgs"
inline constexpr int TextMsgsTitle = 2300;  // title
inline constexpr int TextMsgsMaxLabel = 2301;
inline constexpr int TextMsgsMaxValue = 2302;
inline constexpr int TextMsgsCurLabel = 2303;
inline constexpr int TextMsgsCurValue = 2304;
inline constexpr int TextMsgsAddButton = 2305;

// Page "TextMsgX"
inline constexpr int TextMsgTitle = 2400;  // title
inline constexpr int TextMsgLabel = 2401;
inline constexpr int TextMsgEdit = 2402;
inline constexpr int TextMsgDeleteButton = 2403;
inline constexpr int TextMsgAddButton = 2404;

} // namespace ControlId

struct ControlInfo {
    int id;
    std::string_view page; // the form page (element name in the settings documents)
    std::string_view name; // the constant's name in ControlId
};

inline constexpr std::array<ControlInfo, 181> kControls = {{
    {ControlId::RadioInfoTitle, "RadioInfo", "RadioInfoTitle"},
    {ControlId::RadioInfoUnitIdLabel, "RadioInfo", "RadioInfoUnitIdLabel"},
    {ControlId::RadioInfoUnitIdColon, "RadioInfo", "RadioInfoUnitIdColon"},
    {ControlId::RadioInfoUnitIdValue, "RadioInfo", "RadioInfoUnitIdValue"},
    {ControlId::RadioInfoNameLabel, "RadioInfo", "RadioInfoNameLabel"},
    {ControlId::RadioInfoNameColon, "RadioInfo", "RadioInfoNameColon"},
    {ControlId::RadioInfoNameValue, "RadioInfo", "RadioInfoNameValue"},
    {ControlId::RadioInfoFirmwareLabel, "RadioInfo", "RadioInfoFirmwareLabel"},
    {ControlId::RadioInfoFirmwareColon, "RadioInfo", "RadioInfoFirmwareColon"},
    {ControlId::RadioInfoFirmwareValue, "RadioInfo", "RadioInfoFirmwareValue"},
    {ControlId::RadioInfoCodeplugLabel, "RadioInfo", "RadioInfoCodeplugLabel"},
    {ControlId::RadioInfoCodeplugColon, "RadioInfo", "RadioInfoCodeplugColon"},
    {ControlId::RadioInfoCodeplugValue, "RadioInfo", "RadioInfoCodeplugValue"},
    {ControlId::SettingsTitle, "Settings", "SettingsTitle"},
    {ControlId::SettingsDisplaySection, "Settings", "SettingsDisplaySection"},
    {ControlId::SettingsVibraCallCheck, "Settings", "SettingsVibraCallCheck"},
    {ControlId::SettingsPasswordLabel, "Settings", "SettingsPasswordLabel"},
    {ControlId::SettingsPasswordEdit, "Settings", "SettingsPasswordEdit"},
    {ControlId::SettingsConfirmPasswordLabel, "Settings", "SettingsConfirmPasswordLabel"},
    {ControlId::SettingsConfirmPasswordEdit, "Settings", "SettingsConfirmPasswordEdit"},
    {ControlId::SettingsContrastLabel, "Settings", "SettingsContrastLabel"},
    {ControlId::SettingsContrastCombo, "Settings", "SettingsContrastCombo"},
    {ControlId::SettingsBacklightLabel, "Settings", "SettingsBacklightLabel"},
    {ControlId::SettingsBacklightCombo, "Settings", "SettingsBacklightCombo"},
    {ControlId::SettingsClockSection, "Settings", "SettingsClockSection"},
    {ControlId::SettingsTimeFormatLabel, "Settings", "SettingsTimeFormatLabel"},
    {ControlId::SettingsTimeFormatCombo, "Settings", "SettingsTimeFormatCombo"},
    {ControlId::SettingsTimeLabel, "Settings", "SettingsTimeLabel"},
    {ControlId::SettingsTimePicker, "Settings", "SettingsTimePicker"},
    {ControlId::SettingsDateFormatLabel, "Settings", "SettingsDateFormatLabel"},
    {ControlId::SettingsDateFormatCombo, "Settings", "SettingsDateFormatCombo"},
    {ControlId::SettingsDateLabel, "Settings", "SettingsDateLabel"},
    {ControlId::SettingsDatePicker, "Settings", "SettingsDatePicker"},
    {ControlId::SettingsPcClockCheck, "Settings", "SettingsPcClockCheck"},
    {ControlId::SettingsAlarmCheck, "Settings", "SettingsAlarmCheck"},
    {ControlId::SettingsAlarmTimeLabel, "Settings", "SettingsAlarmTimeLabel"},
    {ControlId::SettingsAlarmTimePicker, "Settings", "SettingsAlarmTimePicker"},
    {ControlId::SettingsVolumeSection, "Settings", "SettingsVolumeSection"},
    {ControlId::SettingsRingerVolLabel, "Settings", "SettingsRingerVolLabel"},
    {ControlId::SettingsRingerVolCombo, "Settings", "SettingsRingerVolCombo"},
    {ControlId::SettingsSpeakerVolLabel, "Settings", "SettingsSpeakerVolLabel"},
    {ControlId::SettingsSpeakerVolCombo, "Settings", "SettingsSpeakerVolCombo"},
    {ControlId::SettingsKeypadVolLabel, "Settings", "SettingsKeypadVolLabel"},
    {ControlId::SettingsKeypadVolCombo, "Settings", "SettingsKeypadVolCombo"},
    {ControlId::SettingsAlarmVolLabel, "Settings", "SettingsAlarmVolLabel"},
    {ControlId::SettingsAlarmVolCombo, "Settings", "SettingsAlarmVolCombo"},
    {ControlId::SettingsEarpieceVolLabel, "Settings", "SettingsEarpieceVolLabel"},
    {ControlId::SettingsEarpieceVolCombo, "Settings", "SettingsEarpieceVolCombo"},
    {ControlId::SettingsAdvancedSection, "Settings", "SettingsAdvancedSection"},
    {ControlId::SettingsTptOffsetLabel, "Settings", "SettingsTptOffsetLabel"},
    {ControlId::SettingsTptOffsetCombo, "Settings", "SettingsTptOffsetCombo"},
    {ControlId::SettingsAmbientNoiseFrame, "Settings", "SettingsAmbientNoiseFrame"},
    {ControlId::SettingsNoiseAccessoryLabel, "Settings", "SettingsNoiseAccessoryLabel"},
    {ControlId::SettingsNoiseAccessoryCombo, "Settings", "SettingsNoiseAccessoryCombo"},
    {ControlId::SettingsNoiseRadioLabel, "Settings", "SettingsNoiseRadioLabel"},
    {ControlId::SettingsNoiseRadioCombo, "Settings", "SettingsNoiseRadioCombo"},
    {ControlId::SettingsLanguageLabel, "Settings", "SettingsLanguageLabel"},
    {ControlId::SettingsLanguageCombo, "Settings", "SettingsLanguageCombo"},
    {ControlId::SettingsInternalPttCheck, "Settings", "SettingsInternalPttCheck"},
    {ControlId::SettingsProgModeCheck, "Settings", "SettingsProgModeCheck"},
    {ControlId::SettingsTxTimeoutDisableCheck, "Settings", "SettingsTxTimeoutDisableCheck"},
    {ControlId::SettingsTxTimeoutLabel, "Settings", "SettingsTxTimeoutLabel"},
    {ControlId::SettingsTxTimeoutCombo, "Settings", "SettingsTxTimeoutCombo"},
    {ControlId::SettingsPrivilegeNote, "Settings", "SettingsPrivilegeNote"},
    {ControlId::SettingsManagerModeLabel, "Settings", "SettingsManagerModeLabel"},
    {ControlId::SettingsManagerAllPrivatesLabel, "Settings", "SettingsManagerAllPrivatesLabel"},
    {ControlId::SettingsManagerAllPrivatesList, "Settings", "SettingsManagerAllPrivatesList"},
    {ControlId::SettingsManagerModeList, "Settings", "SettingsManagerModeList"},
    {ControlId::SettingsManagerAddButton, "Settings", "SettingsManagerAddButton"},
    {ControlId::SettingsManagerRemoveButton, "Settings", "SettingsManagerRemoveButton"},
    {ControlId::SettingsSeeAllGroupsLabel, "Settings", "SettingsSeeAllGroupsLabel"},
    {ControlId::SettingsSeeAllAllPrivatesLabel, "Settings", "SettingsSeeAllAllPrivatesLabel"},
    {ControlId::SettingsSeeAllAllPrivatesList, "Settings", "SettingsSeeAllAllPrivatesList"},
    {ControlId::SettingsSeeAllGroupsList, "Settings", "SettingsSeeAllGroupsList"},
    {ControlId::SettingsSeeAllAddButton, "Settings", "SettingsSeeAllAddButton"},
    {ControlId::SettingsSeeAllRemoveButton, "Settings", "SettingsSeeAllRemoveButton"},
    {ControlId::ContactsTitle, "Contacts", "ContactsTitle"},
    {ControlId::ContactsMaxContactsLabel, "Contacts", "ContactsMaxContactsLabel"},
    {ControlId::ContactsMaxContactsValue, "Contacts", "ContactsMaxContactsValue"},
    {ControlId::ContactsMaxPrivateGroupsLabel, "Contacts", "ContactsMaxPrivateGroupsLabel"},
    {ControlId::ContactsMaxPrivateGroupsValue, "Contacts", "ContactsMaxPrivateGroupsValue"},
    {ControlId::ContactsMaxPublicGroupsLabel, "Contacts", "ContactsMaxPublicGroupsLabel"},
    {ControlId::ContactsMaxPublicGroupsValue, "Contacts", "ContactsMaxPublicGroupsValue"},
    {ControlId::ContactsMaxPrivatesLabel, "Contacts", "ContactsMaxPrivatesLabel"},
    {ControlId::ContactsMaxPrivatesValue, "Contacts", "ContactsMaxPrivatesValue"},
    {ControlId::ContactsCurPrivateGroupsLabel, "Contacts", "ContactsCurPrivateGroupsLabel"},
    {ControlId::ContactsCurPrivateGroupsValue, "Contacts", "ContactsCurPrivateGroupsValue"},
    {ControlId::ContactsCurPublicGroupsLabel, "Contacts", "ContactsCurPublicGroupsLabel"},
    {ControlId::ContactsCurPublicGroupsValue, "Contacts", "ContactsCurPublicGroupsValue"},
    {ControlId::ContactsCurPrivatesLabel, "Contacts", "ContactsCurPrivatesLabel"},
    {ControlId::ContactsCurPrivatesValue, "Contacts", "ContactsCurPrivatesValue"},
    {ControlId::ContactsCurContactsLabel, "Contacts", "ContactsCurContactsLabel"},
    {ControlId::ContactsCurContactsValue, "Contacts", "ContactsCurContactsValue"},
    {ControlId::PublicGroupsTitle, "PublicGroups", "PublicGroupsTitle"},
    {ControlId::PublicGroupsAddButton, "PublicGroups", "PublicGroupsAddButton"},
    {ControlId::PrivateGroupsTitle, "PrivateGroups", "PrivateGroupsTitle"},
    {ControlId::PrivateGroupsAddButton, "PrivateGroups", "PrivateGroupsAddButton"},
    {ControlId::PrivatesTitle, "Privates", "PrivatesTitle"},
    {ControlId::PrivatesAddButton, "Privates", "PrivatesAddButton"},
    {ControlId::PrivatesAddWithScannerButton, "Privates", "PrivatesAddWithScannerButton"},
    {ControlId::PublicGroupTitle, "PublicGroupX", "PublicGroupTitle"},
    {ControlId::PublicGroupNameLabel, "PublicGroupX", "PublicGroupNameLabel"},
    {ControlId::PublicGroupNameEdit, "PublicGroupX", "PublicGroupNameEdit"},
    {ControlId::PublicGroupChannelLabel, "PublicGroupX", "PublicGroupChannelLabel"},
    {ControlId::PublicGroupChannelCombo, "PublicGroupX", "PublicGroupChannelCombo"},
    {ControlId::PublicGroupIdLabel, "PublicGroupX", "PublicGroupIdLabel"},
    {ControlId::PublicGroupIdCombo, "PublicGroupX", "PublicGroupIdCombo"},
    {ControlId::PublicGroupDeleteButton, "PublicGroupX", "PublicGroupDeleteButton"},
    {ControlId::PublicGroupDeleteLabel, "PublicGroupX", "PublicGroupDeleteLabel"},
    {ControlId::PrivateGroupTitle, "PrivateGroupX", "PrivateGroupTitle"},
    {ControlId::PrivateGroupNameLabel, "PrivateGroupX", "PrivateGroupNameLabel"},
    {ControlId::PrivateGroupNameEdit, "PrivateGroupX", "PrivateGroupNameEdit"},
    {ControlId::PrivateGroupChannelLabel, "PrivateGroupX", "PrivateGroupChannelLabel"},
    {ControlId::PrivateGroupChannelCombo, "PrivateGroupX", "PrivateGroupChannelCombo"},
    {ControlId::PrivateGroupIdLabel, "PrivateGroupX", "PrivateGroupIdLabel"},
    {ControlId::PrivateGroupIdCombo, "PrivateGroupX", "PrivateGroupIdCombo"},
    {ControlId::PrivateGroupAllPrivatesLabel, "PrivateGroupX", "PrivateGroupAllPrivatesLabel"},
    {ControlId::PrivateGroupAllPrivatesList, "PrivateGroupX", "PrivateGroupAllPrivatesList"},
    {ControlId::PrivateGroupMembersLabel, "PrivateGroupX", "PrivateGroupMembersLabel"},
    {ControlId::PrivateGroupMembersList, "PrivateGroupX", "PrivateGroupMembersList"},
    {ControlId::PrivateGroupAddButton, "PrivateGroupX", "PrivateGroupAddButton"},
    {ControlId::PrivateGroupRemoveButton, "PrivateGroupX", "PrivateGroupRemoveButton"},
    {ControlId::PrivateGroupDeleteButton, "PrivateGroupX", "PrivateGroupDeleteButton"},
    {ControlId::PrivateGroupDeleteLabel, "PrivateGroupX", "PrivateGroupDeleteLabel"},
    {ControlId::PrivateTitle, "PrivateX", "PrivateTitle"},
    {ControlId::PrivateNameLabel, "PrivateX", "PrivateNameLabel"},
    {ControlId::PrivateNameEdit, "PrivateX", "PrivateNameEdit"},
    {ControlId::PrivateChannelLabel, "PrivateX", "PrivateChannelLabel"},
    {ControlId::PrivateChannelCombo, "PrivateX", "PrivateChannelCombo"},
    {ControlId::PrivateIdLabel, "PrivateX", "PrivateIdLabel"},
    {ControlId::PrivateIdEdit, "PrivateX", "PrivateIdEdit"},
    {ControlId::PrivateReadIdButton, "PrivateX", "PrivateReadIdButton"},
    {ControlId::PrivateHomeGroupLabel, "PrivateX", "PrivateHomeGroupLabel"},
    {ControlId::PrivateHomeGroupCombo, "PrivateX", "PrivateHomeGroupCombo"},
    {ControlId::PrivateGroupOnlyCheck, "PrivateX", "PrivateGroupOnlyCheck"},
    {ControlId::PrivateRingerLabel, "PrivateX", "PrivateRingerLabel"},
    {ControlId::PrivateRingerCombo, "PrivateX", "PrivateRingerCombo"},
    {ControlId::PrivateScrollFrame, "PrivateX", "PrivateScrollFrame"},
    {ControlId::PrivateScrollEnableCheck, "PrivateX", "PrivateScrollEnableCheck"},
    {ControlId::PrivateScrollAvailableLabel, "PrivateX", "PrivateScrollAvailableLabel"},
    {ControlId::PrivateScrollAvailableList, "PrivateX", "PrivateScrollAvailableList"},
    {ControlId::PrivateScrollMembersLabel, "PrivateX", "PrivateScrollMembersLabel"},
    {ControlId::PrivateScrollMembersList, "PrivateX", "PrivateScrollMembersList"},
    {ControlId::PrivateScrollAddButton, "PrivateX", "PrivateScrollAddButton"},
    {ControlId::PrivateScrollRemoveButton, "PrivateX", "PrivateScrollRemoveButton"},
    {ControlId::PrivateDeleteButton, "PrivateX", "PrivateDeleteButton"},
    {ControlId::PrivateDeleteLabel, "PrivateX", "PrivateDeleteLabel"},
    {ControlId::ListsTitle, "Lists", "ListsTitle"},
    {ControlId::ListsScrollListLabel, "Lists", "ListsScrollListLabel"},
    {ControlId::ListsScrollList, "Lists", "ListsScrollList"},
    {ControlId::ListsScanListLabel, "Lists", "ListsScanListLabel"},
    {ControlId::ListsScanGrid, "Lists", "ListsScanGrid"},
    {ControlId::ListsScanModeLabel, "Lists", "ListsScanModeLabel"},
    {ControlId::ListsScanModeCheck, "Lists", "ListsScanModeCheck"},
    {ControlId::ScrollTitle, "Scroll", "ScrollTitle"},
    {ControlId::ScrollAvailableLabel, "Scroll", "ScrollAvailableLabel"},
    {ControlId::ScrollAvailableList, "Scroll", "ScrollAvailableList"},
    {ControlId::ScrollMembersLabel, "Scroll", "ScrollMembersLabel"},
    {ControlId::ScrollMembersList, "Scroll", "ScrollMembersList"},
    {ControlId::ScrollAddButton, "Scroll", "ScrollAddButton"},
    {ControlId::ScrollRemoveButton, "Scroll", "ScrollRemoveButton"},
    {ControlId::ScanListTitle, "ScanList", "ScanListTitle"},
    {ControlId::ScanListScanModeCheck, "ScanList", "ScanListScanModeCheck"},
    {ControlId::ChannelTitle, "ChannelX", "ChannelTitle"},
    {ControlId::ChannelAvailableLabel, "ChannelX", "ChannelAvailableLabel"},
    {ControlId::ChannelAvailableList, "ChannelX", "ChannelAvailableList"},
    {ControlId::ChannelMembersLabel, "ChannelX", "ChannelMembersLabel"},
    {ControlId::ChannelMembersList, "ChannelX", "ChannelMembersList"},
    {ControlId::ChannelAddButton, "ChannelX", "ChannelAddButton"},
    {ControlId::ChannelRemoveButton, "ChannelX", "ChannelRemoveButton"},
    {ControlId::TextMsgsTitle, "TextMsgs", "TextMsgsTitle"},
    {ControlId::TextMsgsMaxLabel, "TextMsgs", "TextMsgsMaxLabel"},
    {ControlId::TextMsgsMaxValue, "TextMsgs", "TextMsgsMaxValue"},
    {ControlId::TextMsgsCurLabel, "TextMsgs", "TextMsgsCurLabel"},
    {ControlId::TextMsgsCurValue, "TextMsgs", "TextMsgsCurValue"},
    {ControlId::TextMsgsAddButton, "TextMsgs", "TextMsgsAddButton"},
    {ControlId::TextMsgTitle, "TextMsgX", "TextMsgTitle"},
    {ControlId::TextMsgLabel, "TextMsgX", "TextMsgLabel"},
    {ControlId::TextMsgEdit, "TextMsgX", "TextMsgEdit"},
    {ControlId::TextMsgDeleteButton, "TextMsgX", "TextMsgDeleteButton"},
    {ControlId::TextMsgAddButton, "TextMsgX", "TextMsgAddButton"},
}};

// The form pages, in the order of the profile tree.
inline constexpr std::array<std::string_view, 15> kFormPages = {
    "RadioInfo", "Settings", "Contacts", "PublicGroups", "PrivateGroups", "Privates",
    "PublicGroupX", "PrivateGroupX", "PrivateX", "Lists", "Scroll", "ScanList",
    "ChannelX", "TextMsgs", "TextMsgX",
};

struct ViewPage {
    std::string_view viewClass;
    std::string_view page;
};

// The form view class that shows each page.
inline constexpr std::array<ViewPage, 15> kViewPages = {{
    {"CRadioInfoView", "RadioInfo"},
    {"CSettingsView", "Settings"},
    {"CContactsView", "Contacts"},
    {"CPublicGroupsView", "PublicGroups"},
    {"CPrivateGroupsView", "PrivateGroups"},
    {"CPrivatesView", "Privates"},
    {"CPublicGroupView", "PublicGroupX"},
    {"CPrivateGroupView", "PrivateGroupX"},
    {"CPrivateView", "PrivateX"},
    {"CListsView", "Lists"},
    {"CScrollListView", "Scroll"},
    {"CScanListView", "ScanList"},
    {"CScanChannelView", "ChannelX"},
    {"CTextMessagesView", "TextMsgs"},
    {"CTextMessageView", "TextMsgX"},
}};

// The control with this identifier, or nullptr.
constexpr const ControlInfo* FindControl(int id)
{
    for (const ControlInfo& control : kControls) {
        if (control.id == id)
            return &control;
    }
    return nullptr;
}

// The page a form view class shows; empty for any other class.
constexpr std::string_view PageOfView(std::string_view viewClass)
{
    for (const ViewPage& entry : kViewPages) {
        if (entry.viewClass == viewClass)
            return entry.page;
    }
    return {};
}

constexpr bool IsFormPage(std::string_view page)
{
    for (std::string_view known : kFormPages) {
        if (known == page)
            return true;
    }
    return false;
}

// Compile-time guarantees: identifiers are unique and every control names a
// known page.
namespace ControlIdChecks {
constexpr bool IdsAreUnique()
{
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        for (std::size_t j = i + 1; j < kControls.size(); ++j) {
            if (kControls[i].id == kControls[j].id)
                return false;
        }
    }
    return true;
}
constexpr bool PagesAreKnown()
{
    for (const ControlInfo& control : kControls) {
        if (!IsFormPage(control.page))
            return false;
    }
    return true;
}
static_assert(IdsAreUnique(), "duplicate control identifier");
static_assert(PagesAreKnown(), "control on an unknown page");
} // namespace ControlIdChecks
