#include "Errors.h"

#include <QHash>

namespace kvx::vbs {

namespace {

const QHash<int32_t, QString>& Descriptions()
{
    static const QHash<int32_t, QString> table = {
        {kErrInvalidCall, QStringLiteral("Invalid procedure call or argument")},
        {kErrOverflow, QStringLiteral("Overflow")},
        {kErrOutOfMemory, QStringLiteral("Out of memory")},
        {kErrSubscript, QStringLiteral("Subscript out of range")},
        {kErrArrayLocked, QStringLiteral("This array is fixed or temporarily locked")},
        {kErrDivByZero, QStringLiteral("Division by zero")},
        {kErrTypeMismatch, QStringLiteral("Type mismatch")},
        {kErrOutOfStringSpace, QStringLiteral("Out of string space")},
        {kErrOutOfStack, QStringLiteral("Out of stack space")},
        {35, QStringLiteral("Sub or Function not defined")},
        {kErrObjectNotSet, QStringLiteral("Object variable not set")},
        {92, QStringLiteral("For loop not initialized")},
        {kErrInvalidNull, QStringLiteral("Invalid use of Null")},
        {kErrObjectRequired, QStringLiteral("Object required")},
        {kErrCannotCreateObject, QStringLiteral("ActiveX component can't create object")},
        {kErrNoSuchMember, QStringLiteral("Object doesn't support this property or method")},
        {kErrWrongArguments, QStringLiteral("Wrong number of arguments or invalid property assignment")},
        {kErrNotCollection, QStringLiteral("Object not a collection")},
        {kErrUndefinedVariable, QStringLiteral("Variable is undefined")},
        {kErrIllegalAssignment, QStringLiteral("Illegal assignment")},
        {kErrScriptTimeout, QStringLiteral("Script stopped: it ran too long")},
        {kErrSyntax, QStringLiteral("Syntax error")},
        {kErrExpectedLParen, QStringLiteral("Expected '('")},
        {kErrExpectedRParen, QStringLiteral("Expected ')'")},
        {kErrExpectedIdentifier, QStringLiteral("Expected identifier")},
        {kErrExpectedEquals, QStringLiteral("Expected '='")},
        {kErrExpectedIf, QStringLiteral("Expected 'If'")},
        {kErrExpectedTo, QStringLiteral("Expected 'To'")},
        {kErrExpectedEnd, QStringLiteral("Expected 'End'")},
        {kErrExpectedFunction, QStringLiteral("Expected 'Function'")},
        {kErrExpectedSub, QStringLiteral("Expected 'Sub'")},
        {kErrExpectedThen, QStringLiteral("Expected 'Then'")},
        {kErrExpectedWend, QStringLiteral("Expected 'Wend'")},
        {kErrExpectedLoop, QStringLiteral("Expected 'Loop'")},
        {kErrExpectedNext, QStringLiteral("Expected 'Next'")},
        {kErrExpectedCase, QStringLiteral("Expected 'Case'")},
        {kErrExpectedSelect, QStringLiteral("Expected 'Select'")},
        {kErrExpectedExpression, QStringLiteral("Expected expression")},
        {kErrExpectedStatement, QStringLiteral("Expected statement")},
        {kErrExpectedEndOfStatement, QStringLiteral("Expected end of statement")},
        {kErrExpectedInteger, QStringLiteral("Expected integer constant")},
        {kErrExpectedWhileUntil, QStringLiteral("Expected 'While' or 'Until'")},
        {kErrExpectedWith, QStringLiteral("Expected 'With'")},
        {kErrInvalidNumber, QStringLiteral("Invalid number")},
        {kErrInvalidCharacter, QStringLiteral("Invalid character")},
        {kErrUnterminatedString, QStringLiteral("Unterminated string constant")},
        {kErrInvalidExit, QStringLiteral("Invalid 'exit' statement")},
        {kErrInvalidForVariable, QStringLiteral("Invalid 'for' loop control variable")},
        {kErrNameRedefined, QStringLiteral("Name redefined")},
        {kErrParensOnSubCall, QStringLiteral("Cannot use parentheses when calling a Sub")},
        {kErrExpectedLiteral, QStringLiteral("Expected literal constant")},
        {kErrExpectedIn, QStringLiteral("Expected 'In'")},
        {kErrUnsupported, QStringLiteral("Class definitions are not supported")},
    };
    return table;
}

}  // namespace

QString ErrorDescription(int32_t number)
{
    const auto& table = Descriptions();
    auto it = table.find(number);
    return it != table.end() ? it.value() : QStringLiteral("Unknown runtime error");
}

bool IsCompilationError(int32_t number)
{
    return number >= 1000 && number < 1100;
}

QString RuntimeErrorSource()
{
    return QStringLiteral("VBScript runtime error");
}

QString CompilationErrorSource()
{
    return QStringLiteral("VBScript compilation error");
}

ScriptError::ScriptError(int32_t number_, QString description_, QString source_)
    : number(number_)
    , description(description_.isNull() ? ErrorDescription(number_) : std::move(description_))
    , source(source_.isNull() ? (IsCompilationError(number_) ? CompilationErrorSource() : RuntimeErrorSource())
                              : std::move(source_))
{
}

ScriptError ScriptError::WithName(int32_t number, const QString& detail)
{
    return ScriptError(number, ErrorDescription(number) + QStringLiteral(": '") + detail + QLatin1Char('\''));
}

const char* ScriptError::what() const noexcept
{
    m_what = QStringLiteral("%1 (%2) line %3: %4").arg(source).arg(number).arg(line).arg(description).toStdString();
    return m_what.c_str();
}

}  // namespace kvx::vbs
