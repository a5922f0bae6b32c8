#include "ControlIds.h"
#include "XmlTestDoc.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <set>

namespace {

// The languages whose help is translated; the others show the English pages.
const QStringList kTranslated = {QStringLiteral("English"), QStringLiteral("German")};

QString Help(const QString& path)
{
    return InstallationPath(QStringLiteral("Help/") + path);
}

QStringList Pages(const QString& language)
{
    return QDir(Help(language)).entryList({QStringLiteral("*.htm")}, QDir::Files, QDir::Name);
}

QString Text(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(HelpPane, MapsEveryControlOfEveryViewToAPageOfEachTranslatedHelp)
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
            // 0: the view while none of its controls has the focus.
            if (id != 0) {
                const ControlInfo* control = FindControl(id);
                ASSERT_NE(control, nullptr) << viewClass << " maps unknown control " << id;
                EXPECT_EQ(control->page, page) << viewClass << " maps " << control->name;
            }
            EXPECT_TRUE(mapped.insert(id).second) << id << " mapped twice";
            const QString pageName = QString::fromStdString(XmlTestDoc::Attr(map, "pageName"));
            for (const QString& language : kTranslated)
                EXPECT_TRUE(QFileInfo::exists(Help(language + QLatin1Char('/') + pageName)))
                    << language.toStdString() << ": " << pageName.toStdString();
        }
        EXPECT_TRUE(mapped.count(0)) << viewClass << " has no page of its own";
        for (const ControlInfo& control : kControls) {
            if (control.page == page) {
                EXPECT_TRUE(mapped.count(control.id)) << viewClass << " lacks " << control.name;
            }
        }
    }
    EXPECT_EQ(views.size(), kViewPages.size());
}

TEST(HelpPages, TranslationsHaveEveryPageAndTheirLinksAndContentsResolve)
{
    const QStringList english = Pages(QStringLiteral("English"));
    ASSERT_FALSE(english.isEmpty());
    static const QRegularExpression link(QStringLiteral("(?:href|ref)=\"([^\"#:]+)[^\"]*\""));
    for (const QString& language : kTranslated) {
        SCOPED_TRACE(language.toStdString());
        EXPECT_EQ(Pages(language), english);
        QStringList files = english;
        files << QStringLiteral("contents.xml");
        for (const QString& file : files) {
            const QString text = Text(Help(language + QLatin1Char('/') + file));
            ASSERT_FALSE(text.isEmpty()) << file.toStdString();
            for (auto it = link.globalMatch(text); it.hasNext();) {
                const QString target = it.next().captured(1);
                EXPECT_TRUE(target == QLatin1String("help.css") || english.contains(target))
                    << file.toStdString() << " links to " << target.toStdString();
            }
        }
        // Every page is in the table of contents.
        const QString contents = Text(Help(language + QStringLiteral("/contents.xml")));
        for (const QString& page : english)
            EXPECT_TRUE(contents.contains(QStringLiteral("ref=\"%1\"").arg(page)))
                << page.toStdString() << " is not in the contents";
    }
}

TEST(HelpPages, EveryOfferedLanguageHasItsHelpOrSaysItShowsTheEnglishOne)
{
    const XmlTestDoc region(InstallationPath(QStringLiteral("lib/Region.stv")));
    ASSERT_TRUE(region.IsLoaded());
    const auto languages = region.Select("//dfns:SupportLanguages/dfns:language");
    ASSERT_FALSE(languages.empty());
    for (xmlNodePtr node : languages) {
        const QString language = QString::fromStdString(XmlTestDoc::Attr(node, "name"));
        if (kTranslated.contains(language))
            continue;
        EXPECT_FALSE(Text(Help(language + QStringLiteral("/untranslated.txt"))).trimmed().isEmpty())
            << language.toStdString() << " neither has its pages nor says that it shows the English help";
    }
}

} // namespace
