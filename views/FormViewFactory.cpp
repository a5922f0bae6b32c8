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

CBaseView* CreateFormView(int kind, const QString& captionSuffix)
{
    switch (kind) {
    case TreeNode::Radio:
        return new CRadioInfoView;
    case TreeNode::Contacts:
        return new CContactsView;
    case TreeNode::PublicGroups:
        return new CPublicGroupsView;
    case TreeNode::PrivateGroups:
        return new CPrivateGroupsView;
    case TreeNode::Privates:
        return new CPrivatesView;
    case TreeNode::PublicGroup:
        return new CPublicGroupView;
    case TreeNode::PrivateGroup:
        return new CPrivateGroupView;
    case TreeNode::Private:
        return new CPrivateView(captionSuffix);
    default:
        // Nodes whose form view is not built yet show an empty pane.
        return nullptr;
    }
}
