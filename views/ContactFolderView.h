#pragma once

// The frame of the three contact folder views (Public Groups, Private Groups,
// Privates): add buttons that are enabled when the rules let the folder take
// another entry (read when the view is shown) and that ask the tree to add
// one.

#include "BaseView.h"

#include <QList>
#include <QPair>

class QAbstractButton;

class CContactFolderView : public CBaseView {
    Q_OBJECT
protected:
    // folderName: the folder's element under Contacts.
    CContactFolderView(const char* viewClass, const char* folderName, QWidget* parent);

    // A click sends the add hint for this node kind.
    void AddButton(QAbstractButton* button, NodeKind addKind);
    void LoadData() override;

private:
    QString m_strFolder;
    QList<QPair<QAbstractButton*, NodeKind>> m_buttons;
};
