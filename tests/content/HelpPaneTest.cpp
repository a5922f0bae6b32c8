#include "ControlIds.h"
#include "XmlTestDoc.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(HelpPane, MapsEveryControlOfEveryViewToAnExistingPage)
{
    const XmlTestDoc doc(InstallationPath(QStringLiteral("lib/HelpPane.stv")));
    ASSERT_TRUE(doc.IsLoaded());
    std::set<std::string> views;
    for (xmlNodePtr view : XmlTestDoc::ChildElements(doc.Root())) {
        const std::string viewClass = XmlTestDoc::Name(view);
        views.insert(viewClass);
        const std::string_view page = PageOfView(viewClass);
        ASSERT_FALSE(page.empty()) << "no form view " << viewClass;
        std::set<int> mapped;
        for (xmlNodePtr map : XmlTestDoc::ChildElements(view)) {
            const int id = std::stoi(XmlTestDoc::Attr(map, "id"));
            const ControlInfo* control = FindControl(id);
            ASSERT_NE(control, nullptr) << viewClass << " maps unknown control " << id;
            EXPECT_EQ(control->page, page) << viewClass << " maps " << control->name;
            EXPECT_TRUE(mapped.insert(id).second) << id << " mapped twice";
            const QString pageName = QString::fromStdString(XmlTestDoc::Attr(map, "pageName"));
            EXPECT_TRUE(QFileInfo::exists(InstallationPath(QStringLiteral("Help/English/") + pageName)))
                << pageName.toStdString();
        }
        for (const ControlInfo& control : kControls) {
            if (control.page == page) {
                EXPECT_TRUE(mapped.count(control.id)) << viewClass << " lacks " << control.name;
            }
        }
    }
    EXPECT_EQ(views.size(), kViewPages.size());
}

} // namespace
