// The form view frame and the read-only views: the GUI page, the layout, the
// control identifiers and accessible names of every view, radio information,
// the contacts summary and the folder views' buttons.

#include "ViewTestSupport.h"

#include "ControlIds.h"
#include "FormViewFactory.h"
#include "PrivateView.h"
#include "RadioInfoView.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

namespace {

using namespace TreeNode;

class FrameTest : public ViewTest {
protected:
    // Replaces the document's visible settings by one page.
    void UsePage(const QString& page, const QString& controls)
    {
        kvx::xml::XmlDocument visible = m_doc->GetVisibleSettings();
        ASSERT_TRUE(visible.LoadXml(QStringLiteral("<RegionCommon xmlns=\"urn:varnholt:kvxzot:profile\"><%1>%2</%1></RegionCommon>")
                                        .arg(page, controls)));
    }
};

TEST_F(FrameTest, GuiPageHidesWhatItDoesNotListOrSwitchesOffAndNeverShowsAControl)
{
    NewDoc();
    Add(QStringLiteral("Privates"), QStringLiteral("Adam"));
    UsePage(QStringLiteral("PrivateX"),
            QStringLiteral("<Control ID='1800' isVisible='1'/><Control ID='1801' isVisible='1'/>"
                           "<Control ID='1802'/><Control ID='1803' isVisible='0'/><Control ID='1804' isVisible='1'/>"
                           "<Control ID='1806' isVisible='1'/>"));
    OpenWindow();
    auto* view = static_cast<CBaseView*>(CreateFormView(Private, QString()));
    view->Control(ControlId::PrivateIdEdit)->hide();   // hidden by the template
    view->InitialUpdate(m_pane, 0);
    view->show();

    EXPECT_FALSE(view->Title()->isHidden());
    EXPECT_FALSE(view->Control(ControlId::PrivateNameLabel)->isHidden());
    EXPECT_FALSE(view->Control(ControlId::PrivateNameEdit)->isHidden());      // listed without isVisible
    EXPECT_TRUE(view->Control(ControlId::PrivateChannelLabel)->isHidden());   // isVisible 0
    EXPECT_FALSE(view->Control(ControlId::PrivateChannelCombo)->isHidden());
    EXPECT_TRUE(view->Control(ControlId::PrivateIdEdit)->isHidden());         // never shown by the page
    EXPECT_TRUE(view->Control(ControlId::PrivateRingerCombo)->isHidden());    // not listed
    EXPECT_TRUE(view->Control(ControlId::PrivateScrollFrame)->isHidden());
    EXPECT_TRUE(view->Control(ControlId::PrivateDeleteButton)->isHidden());
    // Hidden rows leave no gap: the channel combo moves up to the name's row height.
    const int nameBottom = view->Control(ControlId::PrivateNameEdit)->geometry().bottom();
    EXPECT_LT(view->Control(ControlId::PrivateChannelCombo)->geometry().top() - nameBottom, 20);
    delete view;
}

TEST_F(FrameTest, GroupsHideThePrivateScrollListAndTheOverTheAirReadOnlyOnTheFirstGroup)
{
    NewDoc(QStringLiteral("KVX10"));
    ASSERT_EQ(m_doc->GetDataModel().GetGroup(), 1);
    Add(QStringLiteral("Privates"), QStringLiteral("Adam"));
    OpenWindow();
    ASSERT_TRUE(Select(Private, 0));
    EXPECT_TRUE(View()->Control(ControlId::PrivateScrollFrame)->isHidden());
    EXPECT_TRUE(View()->Control(ControlId::PrivateReadIdButton)->isHidden());
    EXPECT_FALSE(View()->Control(ControlId::PrivateHomeGroupCombo)->isHidden());
    m_window.reset();
    Settle();

    NewDoc(QStringLiteral("KVX30"));
    Add(QStringLiteral("Privates"), QStringLiteral("Adam"));
    OpenWindow();
    ASSERT_TRUE(Select(Private, 0));
    EXPECT_FALSE(View()->Control(ControlId::PrivateScrollFrame)->isHidden());
    EXPECT_FALSE(View()->Control(ControlId::PrivateReadIdButton)->isHidden());
}

TEST_F(FrameTest, TitleBandSpansTheViewAndTheColumnKeepsTwentyPixelsFromTheLeftEdge)
{
    NewDoc();
    OpenWindow();
    CBaseView* view = View();
    ASSERT_NE(view, nullptr);
    QLabel* title = view->Title();
    EXPECT_EQ(title->text(), QStringLiteral("KVX Radio Information"));
    EXPECT_EQ(title->height(), 28);
    EXPECT_EQ(title->palette().color(QPalette::Window), QColor(192, 192, 255));
    EXPECT_EQ(title->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_TRUE(title->font().bold());
    EXPECT_DOUBLE_EQ(title->font().pointSizeF(), 12.0);
    EXPECT_EQ(title->mapTo(view->widget(), QPoint(0, 0)).x(), 10);
    EXPECT_EQ(title->width(), view->viewport()->width() - 20);

    // Wide: the form is centred.
    QWidget* form = view->Form();
    const int left = form->mapTo(view->viewport(), QPoint(0, 0)).x();
    const int right = view->viewport()->width() - (left + form->width());
    EXPECT_GT(left, 20);
    EXPECT_LE(std::abs(left - right), 1);

    // Narrow: the pane scrolls, the column stays 20 px from the edge.
    m_pane->resize(80, 500);
    Settle();
    EXPECT_EQ(form->mapTo(view->viewport(), QPoint(0, 0)).x(), 20);
    EXPECT_EQ(title->mapTo(view->widget(), QPoint(0, 0)).x(), 10);
}

// Every control of every view carries an identifier of its page, and every
// input is named by its label for a screen reader.
TEST_F(FrameTest, EveryViewsControlsCarryTheirPagesIdentifiersAndInputsTheirLabelsAsNames)
{
    NewDoc();
    CDataItem adam = Add(QStringLiteral("Privates"), QStringLiteral("Adam"));
    Join(adam, Add(QStringLiteral("PrivateGroups"), QStringLiteral("Crew")));
    OpenWindow();
    int views = 0;
    for (int kind = int(Radio); kind <= int(ScanChannel); ++kind) {
        if (!Select(NodeKind(kind), 0) || !View())
            continue;
        ++views;
        const std::string page = View()->PageName().toStdString();
        for (QWidget* widget : View()->Form()->findChildren<QWidget*>()) {
            if (widget->parentWidget() != View()->Form() && !qobject_cast<QGroupBox*>(widget->parentWidget()))
                continue;   // parts of a control (a combo's list, a list's viewport)
            const int id = CBaseView::ControlIdOf(widget);
            const ControlInfo* info = FindControl(id);
            ASSERT_NE(info, nullptr) << page << ": " << widget->objectName().toStdString();
            EXPECT_EQ(std::string(info->page), page) << widget->objectName().toStdString();
            if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget) ||
                qobject_cast<QAbstractItemView*>(widget) || qobject_cast<QAbstractSpinBox*>(widget) ||
                qobject_cast<QToolButton*>(widget)) {
                EXPECT_FALSE(widget->accessibleName().isEmpty()) << page << ": " << widget->objectName().toStdString();
            }
        }
    }
    EXPECT_EQ(views, int(kViewPages.size()));
    ASSERT_TRUE(Select(Private, 0));
    EXPECT_EQ(Control<QLineEdit>(ControlId::PrivateIdEdit)->accessibleName(), QStringLiteral("ID"));
    EXPECT_EQ(Control<QToolButton>(ControlId::PrivateDeleteButton)->accessibleName(), QStringLiteral("Delete Current Contact"));
}

TEST_F(FrameTest, RadioInformationShowsVersionsAndTheOwnPrivatesName)
{
    EXPECT_EQ(CRadioInfoView::FirmwareText(QStringLiteral("R"), 2, 5, 7), QStringLiteral("R02.05.07"));
    EXPECT_EQ(CRadioInfoView::CodeplugText(1, 0x1A, 3), QStringLiteral("CP01.1A.03"));

    NewDoc();
    OpenWindow();
    EXPECT_EQ(View()->ViewClass(), QStringLiteral("CRadioInfoView"));
    EXPECT_EQ(Control<QLineEdit>(ControlId::RadioInfoUnitIdValue)->text(), QStringLiteral("XXXXXXXXXXX"));
    EXPECT_EQ(Control<QLineEdit>(ControlId::RadioInfoNameValue)->text(), QStringLiteral("XXXXXXXXXXX"));
    EXPECT_EQ(Control<QLineEdit>(ControlId::RadioInfoFirmwareValue)->text(), QStringLiteral("R5E.08.00"));
    EXPECT_EQ(Control<QLineEdit>(ControlId::RadioInfoCodeplugValue)->text(), QStringLiteral("CP03.10.05"));
    m_window.reset();

    SimulatedDoc();
    OpenWindow();
    const QString unitId = m_doc->GetUnitId();
    EXPECT_EQ(Control<QLineEdit>(ControlId::RadioInfoUnitIdValue)->text(), unitId);
    QString ownName;
    for (int i = 0; i < Folder(QStringLiteral("Privates")).GetChildCount(); ++i) {
        if (Entry(QStringLiteral("Privates"), i).GetAttributeValue(QStringLiteral("pid")).toString() == unitId)
            ownName = Name(Entry(QStringLiteral("Privates"), i));
    }
    ASSERT_FALSE(ownName.isEmpty());
    EXPECT_EQ(Control<QLineEdit>(ControlId::RadioInfoNameValue)->text(), ownName);
}

TEST_F(FrameTest, RadioInformationOfAProfileWithoutVersionReportsItsLoadError)
{
    NewDoc();
    CDataItem version;
    kvx::xml::XmlNode node = m_doc->GetRootItem().GetChildByName(QStringLiteral("version"), version).GetNode();
    node.RemoveAttribute(QStringLiteral("firmware_revision"));
    m_script.Expect(20004);
    OpenWindow();
    EXPECT_EQ(View()->ViewClass(), QStringLiteral("CRadioInfoView"));
    EXPECT_TRUE(m_closeRequests.isEmpty());
}

TEST_F(FrameTest, ContactsSummaryAndFolderButtonsFollowTheProfile)
{
    SimulatedDoc();
    OpenWindow();
    ASSERT_TRUE(Select(Contacts));
    EXPECT_EQ(Control<QLineEdit>(ControlId::ContactsMaxContactsValue)->text(), QStringLiteral("150"));
    EXPECT_EQ(Control<QLineEdit>(ControlId::ContactsMaxPrivatesValue)->text(), QStringLiteral("150"));
    EXPECT_EQ(Control<QLineEdit>(ControlId::ContactsCurPrivateGroupsValue)->text(), QStringLiteral("10"));
    EXPECT_EQ(Control<QLineEdit>(ControlId::ContactsCurPublicGroupsValue)->text(), QStringLiteral("10"));
    EXPECT_EQ(Control<QLineEdit>(ControlId::ContactsCurPrivatesValue)->text(), QStringLiteral("130"));
    EXPECT_EQ(Control<QLineEdit>(ControlId::ContactsCurContactsValue)->text(), QStringLiteral("150"));
    // A full radio takes no more contacts.
    ASSERT_TRUE(Select(Privates));
    EXPECT_FALSE(Control<QPushButton>(ControlId::PrivatesAddButton)->isEnabled());
    EXPECT_FALSE(Control<QPushButton>(ControlId::PrivatesAddWithScannerButton)->isEnabled());
    m_window.reset();

    NewDoc();
    OpenWindow();
    ASSERT_TRUE(Select(PublicGroups));
    auto* add = Control<QPushButton>(ControlId::PublicGroupsAddButton);
    ASSERT_TRUE(add->isEnabled());
    QTest::mouseClick(add, Qt::LeftButton);
    Settle();
    EXPECT_EQ(Folder(QStringLiteral("PublicGroups")).GetChildCount(), 4);
    EXPECT_EQ(KindOf(m_tree->ItemValue()), PublicGroup);
    EXPECT_EQ(IndexOf(m_tree->ItemValue()), 3);
    EXPECT_EQ(View()->ViewClass(), QStringLiteral("CPublicGroupView"));
    EXPECT_TRUE(m_doc->IsModified());
}

}  // namespace
