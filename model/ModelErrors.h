#pragma once

// Conversion of XML service failures into the data model's exception: the
// platform-error analog becomes a string-table code with the message
// "ErrorMsg: %s\nDesc: %s\nSource: %s".

#include "KVXZOTException.h"
#include "XmlService.h"

QString XmlErrorText(const kvx::xml::XmlError& error);

[[noreturn]] void RaiseXmlError(qint32 code, const kvx::xml::XmlError& error, const char* operation, int line);

#define KVX_RAISE_XML(code, error, op) RaiseXmlError((code), (error), (op), __LINE__)

// A failure of the model's own DOM work (a node missing on the way, a value
// that does not convert), raised as the platform error it stands for.
[[noreturn]] void ThrowXmlFailure(const QString& errorMessage, const QString& description);

// Closes a try block of a data-model operation: an XML service error becomes
// `code`; CKVXZOTException passes unchanged.
#define KVX_CATCH_XML(code, op)                      \
    catch (const kvx::xml::XmlError& kvxXmlError)    \
    {                                                \
        KVX_RAISE_XML((code), kvxXmlError, (op));    \
    }
