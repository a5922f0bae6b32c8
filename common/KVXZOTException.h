#pragma once

#include <QString>
#include <exception>
#include <string>

// The system's single exception type: a string-table code (the text shown to
// the user) and a trace text to which every raise and re-raise appends one
// line "\n(operation:line) message".
class CKVXZOTException : public std::exception {
public:
    CKVXZOTException(qint32 code, const QString& message, const char* operation, int line);

    qint32 GetCode() const { return m_nCode; }
    const QString& GetTrace() const { return m_strTrace; }

    // Appends one trace line; used by raise and by re-raise ("Exception Catched").
    void AddTrace(const QString& message, const char* operation, int line);

    const char* what() const noexcept override;

private:
    qint32 m_nCode;
    QString m_strTrace;
    mutable std::string m_whatCache;
};

// Raise with the current line; `op` is the qualified operation name,
// such as "CRadioDataModel::LoadProfile".
#define KVX_RAISE(code, message, op) throw CKVXZOTException((code), (message), (op), __LINE__)

// Re-raise a caught exception after adding the "Exception Catched" trace line.
#define KVX_RERAISE(e, op)                                                      \
    do {                                                                        \
        (e).AddTrace(QStringLiteral("Exception Catched"), (op), __LINE__);      \
        throw;                                                                  \
    } while (0)
