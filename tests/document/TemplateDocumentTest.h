#pragma once

// A document of the KVX30 template whose messages are recorded in `sunk`.

#include "ModelTestSupport.h"

#include "KVXZOTDoc.h"

class TemplateDocumentTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        ASSERT_TRUE(doc.OnNewDocument(TemplatePath(QStringLiteral("KVX30")))) << m_messages.join(QLatin1Char('\n')).toStdString();
        doc.SetMessageSink([this](const QString& text, unsigned) {
            sunk << text;
            return int(kvx::kIdOk);
        });
    }

    CKVXZOTDoc doc;
    QStringList sunk;
};
