#include "ReportTemplate.h"

#include "KVXZOTException.h"
#include "TextFiles.h"

#include <QFile>

namespace {

const QString kContentMarker = QStringLiteral("<!-- report content begin -->");

// Templates are small; anything this large is not one.
const qint64 kMaxTemplateBytes = 4 * 1024 * 1024;

}  // namespace

CReportTemplate CReportTemplate::Read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxTemplateBytes)
        KVX_RAISE(101, QStringLiteral("Open template file failed"), "CReportTemplate::Read");
    const QString text = DecodeCp1252(file.readAll());

    CReportTemplate result;
    const qsizetype marker = text.indexOf(kContentMarker);
    const qsizetype split = marker < 0 ? text.size() : marker + kContentMarker.size();
    result.m_strHead = text.left(split);
    result.m_strTail = text.mid(split);
    return result;
}

QString CReportTemplate::Compose(const QString& title, const QString& model, const QString& content) const
{
    QString head = m_strHead;
    head.replace(QStringLiteral("REPORT_TITLE"), title);
    head.replace(QStringLiteral("MODEL_PIC"), model);
    return head + content + m_strTail;
}
