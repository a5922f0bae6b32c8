#include "RadioInfoView.h"

#include "ui_RadioInfoView.h"

namespace {

QString Hex2(int value)
{
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

QString Dec2(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// The unit ID of a profile not yet read from a radio, and the name shown
// when no private has the unit ID.
const QString kUnknownId = QStringLiteral("XXXXXXXXXXX");

}  // namespace

CRadioInfoView::CRadioInfoView(QWidget* parent) : CBaseView("CRadioInfoView", parent), ui(new Ui::RadioInfoView)
{
    ui->setupUi(Form());
}

CRadioInfoView::~CRadioInfoView() = default;

QString CRadioInfoView::FirmwareText(const QString& phase, int release, int version, int revision)
{
    return phase + Hex2(release) + QLatin1Char('.') + Dec2(version) + QLatin1Char('.') + Dec2(revision);
}

QString CRadioInfoView::CodeplugText(int structure, int version, int devVersion)
{
    return QStringLiteral("CP") + Hex2(structure) + QLatin1Char('.') + Hex2(version) + QLatin1Char('.') + Hex2(devVersion);
}

QString CRadioInfoView::OwnName(const QString& unitId) const
{
    if (unitId.contains(QLatin1Char('X')))
        return unitId;
    const CDataItem privates = Child(Child(Root(), QStringLiteral("Contacts")), QStringLiteral("Privates"));
    const int count = privates.GetChildCount();
    for (int i = 0; i < count; ++i) {
        const CDataItem entry = ChildAt(privates, i);
        if (Attribute(entry, QStringLiteral("pid")) == unitId)
            return Attribute(entry, QStringLiteral("name"));
    }
    return kUnknownId;
}

void CRadioInfoView::LoadData()
{
    try {
        const QString unitId = Attribute(Limit(), QStringLiteral("pid"));
        ui->unitIdValue->setText(unitId);
        ui->nameValue->setText(OwnName(unitId));
        const CDataItem version = Child(Root(), QStringLiteral("version"));
        ui->firmwareValue->setText(FirmwareText(Attribute(version, QStringLiteral("firmware_phase")),
                                                NumberAttribute(version, QStringLiteral("firmware_release")),
                                                NumberAttribute(version, QStringLiteral("firmware_version")),
                                                NumberAttribute(version, QStringLiteral("firmware_revision"))));
        ui->codeplugValue->setText(CodeplugText(NumberAttribute(version, QStringLiteral("codeplug_structure")),
                                                NumberAttribute(version, QStringLiteral("codeplug_version")),
                                                NumberAttribute(version, QStringLiteral("codeplug_dev_version"))));
    } catch (const ProfileDataFault&) {
        KVX_RAISE(20004, QStringLiteral("a radio information field is missing"), "CRadioInfoView::LoadData");
    } catch (CKVXZOTException& e) {
        throw CKVXZOTException(20004, e.GetTrace(), "CRadioInfoView::LoadData", __LINE__);
    }
}
