#include "FormViewFactory.h"

#include "ContactsView.h"
#include "PrivateGroupView.h"
#include "PrivateGroupsView.h"
#include "PrivateView.h"
#include "PrivatesView.h"
#include "PublicGroupView.h"
#include "PublicGroupsView.h"
#include "RadioInfoView.h"
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
    default:
        // Nodes whose form view is not built yet show an empty pane.
        return nullptr;
    }
}
