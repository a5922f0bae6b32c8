#pragma once

// The form view of each tree node kind (TreeNodeKinds.h); null for a kind
// without one. captionSuffix is for a private's view.

#include "UpdateHint.h"

#include <QString>

class CBaseView;

CBaseView* CreateFormView(NodeKind kind, const QString& captionSuffix);
