#include "ContactsView.h"

#include "ui_ContactsView.h"

CContactsView::CContactsView(QWidget* parent) : CBaseView("CContactsView", parent), ui(new Ui::ContactsView)
{
    ui->setupUi(Form());
}

CContactsView::~CContactsView() = default;

void CContactsView::LoadData()
{
    const CDataItem limit = Limit();
    const QString maxContacts = Attribute(limit, QStringLiteral("max_num_of_contacts"));
    ui->maxContactsValue->setText(maxContacts);
    ui->maxPrivateGroupsValue->setText(Attribute(limit, QStringLiteral("max_num_of_private_grps")));
    ui->maxPublicGroupsValue->setText(Attribute(limit, QStringLiteral("max_num_of_public_grps")));
    ui->maxPrivatesValue->setText(maxContacts);

    const CDataItem contacts = Child(Root(), QStringLiteral("Contacts"));
    const int privateGroups = Child(contacts, QStringLiteral("PrivateGroups")).GetChildCount();
    const int publicGroups = Child(contacts, QStringLiteral("PublicGroups")).GetChildCount();
    const int privates = Child(contacts, QStringLiteral("Privates")).GetChildCount();
    ui->curPrivateGroupsValue->setText(QString::number(privateGroups));
    ui->curPublicGroupsValue->setText(QString::number(publicGroups));
    ui->curPrivatesValue->setText(QString::number(privates));
    ui->curContactsValue->setText(QString::number(privateGroups + publicGroups + privates));
}
