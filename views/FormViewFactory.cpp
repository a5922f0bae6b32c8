#include "FormViewFactory.h"

#include "ContactsView.h"
#include "ListsView.h"
#include "PrivateGroupView.h"
#include "PrivateGroupsView.h"
#include "PrivateView.h"
#include "PrivatesView.h"
#include "PublicGroupView.h"
#include "PublicGroupsView.h"
#include "RadioInfoView.h"
#include "ScanChannelView.h"
#include "ScanListView.h"
#include "ScrollListView.h"
#include "SettingsView.h"
#include "TextMessageView.h"
#include "TextMessagesView.h"
#include "TreeNodeKinds.h"

CBaseView* CreateFormView(NodeKind kind, const QString& captionSuffix)
{
    switch (kind) {
    case NodeKind::Radio:
        return new CRadioInfoView;
    case NodeKind::Contacts:
        return new CContactsView;
    case NodeKind::PublicGroups:
        return new CPublicGroupsView;
    case NodeKind::PrivateGroups:
        return new CPrivateGroupsView;
    case NodeKind::Privates:
        return new CPrivatesView;
    case NodeKind::PublicGroup:
        return new CPublicGroupView;
    case NodeKind::PrivateGroup:
        return new CPrivateGroupView;
    case NodeKind::Private:
        return new CPrivateView(captionSuffix);
    case NodeKind::Settings:
        return new CSettingsView;
    case NodeKind::TextMessages:
        return new CTextMessagesView;
    case NodeKind::TextMessage:
        return new CTextMessageView;
    case NodeKind::Lists:
        return new CListsView;
    case NodeKind::ScrollList:
        return new CScrollListView;
    case NodeKind::ScanList:
        return new CScanListView;
    case NodeKind::ScanChannel:
        return new CScanChannelView;
    default:
        return nullptr;
    }
}
