#pragma once

// Script errors: the interpreter's run-time and compilation errors with the
// numbers and descriptions script authors know, and the exception that
// carries one through the evaluator.

#include <QString>
#include <cstdint>
#include <exception>
#include <string>

namespace kvx::vbs {

// Run-time error numbers.
enum : int32_t {
    kErrInvalidCall = 5,          // Invalid procedure call or argument
    kErrOverflow = 6,
    kErrOutOfMemory = 7,
    kErrSubscript = 9,            // Subscript out of range
    kErrArrayLocked = 10,         // This array is fixed or temporarily locked
    kErrDivByZero = 11,
    kErrTypeMismatch = 13,
    kErrOutOfStringSpace = 14,
    kErrOutOfStack = 28,
    kErrObjectNotSet = 91,        // Object variable not set
    kErrInvalidNull = 94,         // Invalid use of Null
    kErrObjectRequired = 424,
    kErrCannotCreateObject = 429,
    kErrNoSuchMember = 438,       // Object doesn't support this property or method
    kErrWrongArguments = 450,
    kErrNotCollection = 451,
    kErrUndefinedVariable = 500,
    kErrIllegalAssignment = 501,
    // The host stopped a script that ran past its step budget.
    kErrScriptTimeout = 7000,
};

// Compilation error numbers.
enum : int32_t {
    kErrSyntax = 1002,
    kErrExpectedLParen = 1005,
    kErrExpectedRParen = 1006,
    kErrExpectedIdentifier = 1010,
    kErrExpectedEquals = 1011,
    kErrExpectedIf = 1012,
    kErrExpectedTo = 1013,
    kErrExpectedEnd = 1014,
    kErrExpectedFunction = 1015,
    kErrExpectedSub = 1016,
    kErrExpectedThen = 1017,
    kErrExpectedWend = 1018,
    kErrExpectedLoop = 1019,
    kErrExpectedNext = 1020,
    kErrExpectedCase = 1021,
    kErrExpectedSelect = 1022,
    kErrExpectedExpression = 1023,
    kErrExpectedStatement = 1024,
    kErrExpectedEndOfStatement = 1025,
    kErrExpectedInteger = 1026,
    kErrExpectedWhileUntil = 1027,
    kErrExpectedWith = 1029,
    kErrInvalidNumber = 1031,
    kErrInvalidCharacter = 1032,
    kErrUnterminatedString = 1033,
    kErrInvalidExit = 1039,
    kErrInvalidForVariable = 1040,
    kErrNameRedefined = 1041,
    kErrParensOnSubCall = 1044,
    kErrExpectedLiteral = 1045,
    kErrExpectedIn = 1046,
    kErrUnsupported = 1047,       // reported for Class blocks, which this engine does not offer
};

// The standard description of an error number; "Unknown runtime error" for
// numbers without one.
QString ErrorDescription(int32_t number);
bool IsCompilationError(int32_t number);

// The sources the engine reports with an error.
QString RuntimeErrorSource();       // "VBScript runtime error"
QString CompilationErrorSource();   // "VBScript compilation error"

// A script error on its way to the host. `line` and `column` are 1-based;
// 0 until the statement that failed has been identified. A fatal error (step
// budget, stack exhaustion) ends the host's call: On Error Resume Next does
// not catch it.
class ScriptError : public std::exception {
public:
    ScriptError(int32_t number, QString description = QString(), QString source = QString());

    // The standard description followed by ": 'detail'".
    static ScriptError WithName(int32_t number, const QString& detail);

    int32_t number = 0;
    QString description;
    QString source;
    int line = 0;
    int column = 0;
    bool fatal = false;

    const char* what() const noexcept override;

private:
    mutable std::string m_what;
};

}  // namespace kvx::vbs
