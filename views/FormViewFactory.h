#pragma once

// The form view of each tree node kind (TreeNodeKinds.h); null for a kind
// without one. captionSuffix is for a private's view.

#include <QString>

class CBaseView;

CBaseView* CreateFormView(int kind, const QString& captionSuffix);
