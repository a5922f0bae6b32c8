#pragma once

// Reports of profiles built from codeplug images, against a copy of the
// installation (the builder writes into its Report folder).

#include "../datamodel/ModelTestSupport.h"

#include "DataAdaptor.h"
#include "ReportBuilder.h"
#include "VirtualCP.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QStringDecoder>

// Fonts, pictures and their plugins need a GUI application; offscreen needs
// no display.
inline void EnsureGuiApplication()
{
    if (QGuiApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "test_reports";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(argc, argv);   // lives as long as the test process
}

// A radio of the latest model group: unit ID 10000001, model D30, manager
// mode, see-all-groups and public scanning available, one public ID bank
// counting down from the top of the ID space.
inline VirtualCP ReportImage()
{
    VirtualCP cp;
    cp.radioInfo.pid = QStringLiteral("10000001");
    cp.radioInfo.model = QStringLiteral("D30");
    cp.radioInfo.clone_compatibility_version = 1;
    cp.radioInfo.max_num_of_contacts = kMaxContacts;
    cp.radioInfo.max_num_of_private_grps = 30;
    cp.radioInfo.max_num_of_public_grps = 30;
    cp.radioInfo.max_num_of_predefined_msgs = kMaxTextMessages;
    cp.radioInfo.max_num_of_channels = 16;
    cp.radioInfo.max_vol_level = 7;
    cp.radioInfo.limitFlags = (1u << kLimitMngrModeEn) | (1u << kLimitSeeAllGroupsEn) | (1u << kLimitPublicScanEn);
    return cp;
}

// Fills the first free slot.
inline void AddContact(VirtualCP& cp, quint8 type, const QString& name, const QString& pid, quint8 channel, quint8 flags = 0,
                       quint8 role = 0, const QString& home = QString(), const QStringList& parents = {})
{
    for (ContactRecord& c : cp.contacts) {
        if (c.cntct_type != kContactEmpty)
            continue;
        c.cntct_type = type;
        c.name = name;
        c.pid = pid;
        c.channel = channel;
        c.contactFlags = flags;   // kContact... bits
        c.roleFlags = role;       // kRole... bits
        c.home_grp = home;
        for (qsizetype i = 0; i < parents.size(); ++i)
            c.parentGroups[size_t(i)] = parents.at(i);
        cp.CountEntries();
        return;
    }
}

// A title as the PDF writer stores it: UTF-16 big-endian after its mark.
inline QByteArray PdfTextBytes(const QString& text)
{
    QByteArray bytes("\xFE\xFF", 2);
    for (const QChar c : text)
        bytes += char(c.unicode() >> 8), bytes += char(c.unicode() & 0xFF);
    return bytes;
}

inline QString SavedHtml(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QStringDecoder(QStringConverter::Utf16).decode(file.readAll());
}

// The part of a report from a section title to the next separator.
inline QString SectionOf(const QString& html, const QString& title)
{
    const QString head = QStringLiteral("<div class=\"ItemTitle\">") + title + QStringLiteral("</div>");
    const qsizetype start = html.indexOf(head);
    if (start < 0)
        return QString();
    const qsizetype end = html.indexOf(QStringLiteral("<HR"), start);
    return html.mid(start + head.size(), end < 0 ? -1 : end - start - head.size());
}

// The value cells of a piece of a report, in order.
inline QStringList ValueCells(const QString& html)
{
    static const QRegularExpression cell(QStringLiteral("class=\"ItemVal\">(.*?)</td>"));
    QStringList values;
    for (auto it = cell.globalMatch(html); it.hasNext();)
        values << it.next().captured(1);
    return values;
}

class ReportTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        m_install = CopyInstallation();
        const QDir source(QStringLiteral(KVX_INSTALLATION_DIR "/Report"));
        QDir().mkpath(ReportFolder());
        for (const QString& name : source.entryList(QDir::Files)) {
            if (!name.endsWith(QStringLiteral(".htm")))
                QFile::copy(source.filePath(name), ReportFolder() + QLatin1Char('/') + name);
        }
        m_folders = {ReportFolder(), m_settings.Dir() + QStringLiteral("/cache")};
    }

    QString ReportFolder() const { return m_install + QStringLiteral("/Report"); }

    std::unique_ptr<CRadioDataModel> Load(const VirtualCP& image)
    {
        QString text;
        CDataAdaptor::VirtualCP2XML(image, text);
        auto model = NewModel();
        EXPECT_TRUE(model->LoadProfile(text, false));
        return model;
    }

    CReportBuilder Builder(CRadioDataModel& model)
    {
        return CReportBuilder(model, m_folders, [this] { return m_dealer; });
    }

    QString SpecHtml(CRadioDataModel& model) { return SavedHtml(Builder(model).BuildSpecReport().path); }
    QString OverviewHtml(CRadioDataModel& model) { return SavedHtml(Builder(model).BuildOverviewReport().path); }

    QString m_install;
    ReportFolders m_folders;
    std::optional<DealerInfo> m_dealer;
};
