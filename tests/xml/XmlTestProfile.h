#pragma once

// Profile-shaped documents for the XML service's tests and benchmark,
// matching tests/xml/data/profile-test.xsd.

#include <QFile>
#include <QString>
#include <ostream>

namespace kvx::xml::test {

inline QString ProfileText(int publicGroups, int privateGroups, int privates, int messages)
{
    QString text = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"utf-8\" ?><KVXProfile xmlns=\"urn:varnholt:kvxzot:profile\">\r\n"
        "\t<version\r\n\tfirmware_phase=\"R\"\r\n\tfirmware_release=\"5\"\r\n\tfirmware_version=\"10\"\r\n"
        "\tfirmware_revision=\"2\"\r\n\tcodeplug_version=\"3\"\r\n\t/>\r\n"
        "\t<limit\r\n\tpid=\"10000001\"\r\n\tmodel=\"K1\"\r\n\tclone_compatibility_version=\"1\"\r\n"
        "\tmax_num_of_contacts=\"150\">\r\n\t<languages>\r\n\t<language language_id=\"0\" />\r\n"
        "\t</languages>\r\n\t</limit>\r\n"
        "\t<setting\r\n\tpassword=\"\"\r\n\tbacklight=\"4294967295\"\r\n\tcurrent_time=\"1700000000\"\r\n"
        "\tringer_vol_level=\"7\"\r\n\tscan_en=\"1\"\r\n\t/>\n\r\n\r<Contacts> <PublicGroups>");
    for (int i = 0; i < publicGroups; ++i) {
        text += QStringLiteral("\r\n\t<PublicGroup\r\n\tcntct_type=\"2\"\r\n\tname=\"Public %1\"\r\n\tpid=\"%2\"\r\n"
                               "\tchannel=\"%3\"\r\n\tin_scan_list=\"1\"\r\n\tin_scroll_list=\"0\"\r\n\t/>")
                    .arg(i)
                    .arg(17179869183LL - i)
                    .arg(i % 10);
    }
    text += QStringLiteral("</PublicGroups><PrivateGroups>");
    for (int i = 0; i < privateGroups; ++i) {
        text += QStringLiteral("\r\n\t<PrivateGroup\n\r\tcntct_type=\"1\"\r\n\tname=\"Group %1\"\r\n\tpid=\"%2\"\r\n"
                               "\tchannel=\"%3\" \r\n\tin_scroll_list=\"1\"\r\n\t/>")
                    .arg(i)
                    .arg(20000000 + i)
                    .arg(i % 10);
    }
    text += QStringLiteral("</PrivateGroups><Privates>");
    for (int i = 0; i < privates; ++i) {
        text += QStringLiteral("\r\n\t<Private\r\n\tcntct_type=\"0\"\r\n\tname=\"Private &amp; %1\"\r\n\tpid=\"%2\"\r\n"
                               "\tchannel=\"%3\"\r\n\tin_scroll_list=\"1\"\r\n\talert_tone=\"2\"\r\n"
                               "\thome_grp=\"%4\"\r\n\tshow_grp_only=\"0\"\r\n\tid_in_use=\"1\"\r\n"
                               "\tsee_all_groups=\"0\"\r\n\tmngr_mode=\"0\"\r\n\tprivate_scroll_list=\"0\">"
                               "<ParentPrivateGroups><ParentPrivateGroup pid =\"%4\" /></ParentPrivateGroups>"
                               "<scrolllist/></Private>")
                    .arg(i)
                    .arg(10000001 + i)
                    .arg(i % 10)
                    .arg(20000000 + i % (privateGroups > 0 ? privateGroups : 1));
    }
    text += QStringLiteral("</Privates></Contacts>\r\n<TextMessages>");
    for (int i = 0; i < messages; ++i) {
        text += QStringLiteral("\r\n\t<TextMessage txt=\"Message number %1\" />").arg(i);
    }
    text += QStringLiteral("\r\n\t</TextMessages></KVXProfile>");
    return text;
}

inline QString ReadTextFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

}  // namespace kvx::xml::test

// Readable QString values in test failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
