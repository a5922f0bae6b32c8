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

    // What actually went wrong, in words for the user (the system's error,
    // the parser's reason); shown on a second line below the code's text,
    // which alone would often mislead ("Invalid profile." for a missing file).
    const QString& GetReason() const { return m_strReason; }
    CKVXZOTException& SetReason(const QString& reason)
    {
        m_strReason = reason;
        return *this;
    }
    // The code's string-table text, with the reason on a second line.
    QString UserText() const;

    // Appends one trace line; used by raise and by re-raise ("Exception Catched").
    void AddTrace(const QString& message, const char* operation, int line);

    const char* what() const noexcept override;

private:
    qint32 m_nCode;
    QString m_strTrace;
    QString m_strReason;
    mutable std::string m_whatCache;
};

// Raise with the current line; `op` is the qualified operation name,
// such as "CRadioDataModel::LoadProfile".
#define KVX_RAISE(code, message, op) throw CKVXZOTException((code), (message), (op), __LINE__)

// Raise with a reason for the user (GetReason).
#define KVX_RAISE_BECAUSE(code, reason, message, op) \
    throw CKVXZOTException((code), (message), (op), __LINE__).SetReason(reason)

// Re-raise a caught exception after adding the "Exception Catched" trace line.
#define KVX_RERAISE(e, op)                                                      \
    do {                                                                        \
        (e).AddTrace(QStringLiteral("Exception Catched"), (op), __LINE__);      \
        throw;                                                                  \
    } while (0)
