#include "Lexer.h"

#include "Errors.h"

#include <QHash>
#include <cmath>

namespace kvx::vbs {

namespace {

const QHash<QString, Tok>& Keywords()
{
    static const QHash<QString, Tok> table = {
        {QStringLiteral("and"), Tok::KwAnd}, {QStringLiteral("byref"), Tok::KwByRef},
        {QStringLiteral("byval"), Tok::KwByVal}, {QStringLiteral("call"), Tok::KwCall},
        {QStringLiteral("case"), Tok::KwCase}, {QStringLiteral("class"), Tok::KwClass},
        {QStringLiteral("const"), Tok::KwConst}, {QStringLiteral("dim"), Tok::KwDim},
        {QStringLiteral("do"), Tok::KwDo}, {QStringLiteral("each"), Tok::KwEach},
        {QStringLiteral("else"), Tok::KwElse}, {QStringLiteral("elseif"), Tok::KwElseIf},
        {QStringLiteral("empty"), Tok::KwEmpty}, {QStringLiteral("end"), Tok::KwEnd},
        {QStringLiteral("eqv"), Tok::KwEqv}, {QStringLiteral("erase"), Tok::KwErase},
        {QStringLiteral("exit"), Tok::KwExit}, {QStringLiteral("false"), Tok::KwFalse},
        {QStringLiteral("for"), Tok::KwFor}, {QStringLiteral("function"), Tok::KwFunction},
        {QStringLiteral("if"), Tok::KwIf}, {QStringLiteral("imp"), Tok::KwImp},
        {QStringLiteral("in"), Tok::KwIn}, {QStringLiteral("is"), Tok::KwIs},
        {QStringLiteral("loop"), Tok::KwLoop}, {QStringLiteral("mod"), Tok::KwMod},
        {QStringLiteral("new"), Tok::KwNew}, {QStringLiteral("next"), Tok::KwNext},
        {QStringLiteral("not"), Tok::KwNot}, {QStringLiteral("nothing"), Tok::KwNothing},
        {QStringLiteral("null"), Tok::KwNull}, {QStringLiteral("on"), Tok::KwOn},
        {QStringLiteral("option"), Tok::KwOption}, {QStringLiteral("or"), Tok::KwOr},
        {QStringLiteral("private"), Tok::KwPrivate}, {QStringLiteral("public"), Tok::KwPublic},
        {QStringLiteral("redim"), Tok::KwReDim}, {QStringLiteral("select"), Tok::KwSelect},
        {QStringLiteral("set"), Tok::KwSet}, {QStringLiteral("sub"), Tok::KwSub},
        {QStringLiteral("then"), Tok::KwThen}, {QStringLiteral("to"), Tok::KwTo},
        {QStringLiteral("true"), Tok::KwTrue}, {QStringLiteral("until"), Tok::KwUntil},
        {QStringLiteral("wend"), Tok::KwWend}, {QStringLiteral("while"), Tok::KwWhile},
        {QStringLiteral("with"), Tok::KwWith}, {QStringLiteral("xor"), Tok::KwXor},
    };
    return table;
}

bool IsIdentStart(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u > 127 && c.isLetter());
}

bool IsIdentChar(QChar c)
{
    const char16_t u = c.unicode();
    return IsIdentStart(c) || (u >= '0' && u <= '9') || u == '_';
}

bool IsDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

class Lexer {
public:
    Lexer(const QString& text, int firstLine)
        : m_text(text), m_data(text.constData()), m_size(text.size()), m_line(firstLine)
    {
    }

    std::vector<Token> Run()
    {
        std::vector<Token> tokens;
        tokens.reserve(static_cast<size_t>(m_size / 4 + 16));
        bool space = true;
        while (m_pos < m_size) {
            const QChar c = m_data[m_pos];
            if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QChar(0xA0)) {
                ++m_pos;
                space = true;
                continue;
            }
            if (c == QLatin1Char('\'')) {
                SkipComment();
                continue;
            }
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                Push(tokens, Tok::NewLine, space);
                NextLine();
                space = true;
                continue;
            }
            // "_" at the end of a line joins the next one, also right after a
            // token ("x =_"); inside a name it is part of the name.
            if (c == QLatin1Char('_') && ContinuationFollows()) {
                space = true;
                continue;
            }
            if (c == QLatin1Char(':')) {
                Push(tokens, Tok::NewLine, space).colonSeparator = true;
                ++m_pos;
                space = true;
                continue;
            }
            Token& t = Push(tokens, Tok::End, space);
            space = false;
            if (IsIdentStart(c)) {
                Identifier(t);
                // Rem starts a comment where a statement may start.
                if (t.kind == Tok::Identifier && t.lower == QLatin1String("rem") && StatementStart(tokens)) {
                    tokens.pop_back();
                    SkipComment();
                    space = true;
                }
            } else if (IsDigit(c) || (c == QLatin1Char('.') && m_pos + 1 < m_size && IsDigit(m_data[m_pos + 1]))) {
                Number(t);
            } else if (c == QLatin1Char('"')) {
                String(t);
            } else if (c == QLatin1Char('&') && RadixFollows()) {
                RadixNumber(t);
            } else if (c == QLatin1Char('[')) {
                BracketIdentifier(t);
            } else {
                Operator(t);
            }
        }
        Push(tokens, Tok::NewLine, true);
        Push(tokens, Tok::End, true);
        return tokens;
    }

private:
    Token& Push(std::vector<Token>& tokens, Tok kind, bool space)
    {
        Token& t = tokens.emplace_back();
        t.kind = kind;
        t.spaceBefore = space;
        t.line = m_line;
        t.column = static_cast<int>(m_pos - m_lineStart) + 1;
        return t;
    }

    [[noreturn]] void Fail(int32_t number)
    {
        ScriptError e(number);
        e.line = m_line;
        e.column = static_cast<int>(m_pos - m_lineStart) + 1;
        throw e;
    }

    static bool StatementStart(const std::vector<Token>& tokens)
    {
        return tokens.size() < 2 || tokens[tokens.size() - 2].kind == Tok::NewLine;
    }

    void NextLine()
    {
        if (m_data[m_pos] == QLatin1Char('\r') && m_pos + 1 < m_size && m_data[m_pos + 1] == QLatin1Char('\n'))
            ++m_pos;
        ++m_pos;
        ++m_line;
        m_lineStart = m_pos;
    }

    void SkipComment()
    {
        while (m_pos < m_size && m_data[m_pos] != QLatin1Char('\r') && m_data[m_pos] != QLatin1Char('\n'))
            ++m_pos;
    }

    // "_" followed by blanks and the end of the line joins the next line.
    bool ContinuationFollows()
    {
        qsizetype p = m_pos + 1;
        while (p < m_size && (m_data[p] == QLatin1Char(' ') || m_data[p] == QLatin1Char('\t')))
            ++p;
        if (p < m_size && m_data[p] != QLatin1Char('\r') && m_data[p] != QLatin1Char('\n'))
            return false;
        m_pos = p;
        if (m_pos < m_size)
            NextLine();
        return true;
    }

    void Identifier(Token& t)
    {
        const qsizetype start = m_pos;
        while (m_pos < m_size && IsIdentChar(m_data[m_pos]))
            ++m_pos;
        t.text = m_text.mid(start, m_pos - start);
        t.lower = t.text.toLower();
        const auto& keywords = Keywords();
        auto it = keywords.find(t.lower);
        t.kind = it != keywords.end() ? it.value() : Tok::Identifier;
    }

    void BracketIdentifier(Token& t)
    {
        const qsizetype start = ++m_pos;
        while (m_pos < m_size && m_data[m_pos] != QLatin1Char(']') && m_data[m_pos] != QLatin1Char('\n'))
            ++m_pos;
        if (m_pos >= m_size || m_data[m_pos] != QLatin1Char(']'))
            Fail(kErrExpectedIdentifier);
        t.kind = Tok::Identifier;
        t.text = m_text.mid(start, m_pos - start);
        t.lower = t.text.toLower();
        ++m_pos;
    }

    void Number(Token& t)
    {
        const qsizetype start = m_pos;
        bool isFloat = false;
        while (m_pos < m_size && IsDigit(m_data[m_pos]))
            ++m_pos;
        if (m_pos < m_size && m_data[m_pos] == QLatin1Char('.')) {
            isFloat = true;
            ++m_pos;
            while (m_pos < m_size && IsDigit(m_data[m_pos]))
                ++m_pos;
        }
        if (m_pos < m_size && (m_data[m_pos] == QLatin1Char('e') || m_data[m_pos] == QLatin1Char('E'))) {
            qsizetype p = m_pos + 1;
            if (p < m_size && (m_data[p] == QLatin1Char('+') || m_data[p] == QLatin1Char('-')))
                ++p;
            if (p < m_size && IsDigit(m_data[p])) {
                isFloat = true;
                m_pos = p;
                while (m_pos < m_size && IsDigit(m_data[m_pos]))
                    ++m_pos;
            }
        }
        const std::string ascii = m_text.mid(start, m_pos - start).toStdString();
        if (m_pos < m_size && IsIdentStart(m_data[m_pos]))
            Fail(kErrExpectedEndOfStatement);
        const double d = std::strtod(ascii.c_str(), nullptr);
        if (!std::isfinite(d))
            Fail(kErrInvalidNumber);
        if (!isFloat && d <= INT16_MAX) {
            t.kind = Tok::Integer;
            t.value = Variant::Integer(static_cast<int16_t>(d));
        } else if (!isFloat && d <= INT32_MAX) {
            t.kind = Tok::Integer;
            t.value = Variant::Long(static_cast<int32_t>(d));
        } else {
            t.kind = Tok::Number;
            t.value = Variant::Double(d);
        }
    }

    // "&H" or "&O" with at least one digit of that radix; otherwise "&"
    // is the concatenation operator.
    bool RadixFollows() const
    {
        if (m_pos + 2 >= m_size)
            return false;
        const QChar kind = m_data[m_pos + 1].toLower();
        const char16_t d = m_data[m_pos + 2].toLower().unicode();
        if (kind == QLatin1Char('h'))
            return (d >= '0' && d <= '9') || (d >= 'a' && d <= 'f');
        if (kind == QLatin1Char('o'))
            return d >= '0' && d <= '7';
        return false;
    }

    // &Hxxxx and &Oooo literals: up to 16 bits the digits are a 16-bit
    // pattern (&HFFFF is -1), longer ones a 32-bit pattern; a trailing "&"
    // always reads them as 32 bits (&HFFFF& is 65535). The literal then
    // takes the narrowest type its value fits, as decimal ones do: &H10& is
    // an Integer, &HFFFFFFFF (-1) too.
    void RadixNumber(Token& t)
    {
        const int radix = m_data[m_pos + 1].toLower() == QLatin1Char('h') ? 16 : 8;
        m_pos += 2;
        uint64_t value = 0;
        int digits = 0;
        while (m_pos < m_size) {
            const char16_t u = m_data[m_pos].unicode();
            int d = -1;
            if (u >= '0' && u <= '9')
                d = u - '0';
            else if (radix == 16 && u >= 'a' && u <= 'f')
                d = u - 'a' + 10;
            else if (radix == 16 && u >= 'A' && u <= 'F')
                d = u - 'A' + 10;
            if (d < 0 || d >= radix)
                break;
            value = value * radix + d;
            if (value > 0xFFFFFFFFull)
                Fail(kErrInvalidNumber);
            ++digits;
            ++m_pos;
        }
        if (digits == 0)
            Fail(kErrInvalidNumber);
        bool forceLong = false;
        if (m_pos < m_size && m_data[m_pos] == QLatin1Char('&')) {
            forceLong = true;
            ++m_pos;
        }
        const int32_t number = !forceLong && value <= 0xFFFF
            ? static_cast<int16_t>(static_cast<uint16_t>(value))
            : static_cast<int32_t>(static_cast<uint32_t>(value));
        t.kind = Tok::Integer;
        if (number >= INT16_MIN && number <= INT16_MAX)
            t.value = Variant::Integer(static_cast<int16_t>(number));
        else
            t.value = Variant::Long(number);
    }

    void String(Token& t)
    {
        ++m_pos;
        QString value;
        while (true) {
            if (m_pos >= m_size || m_data[m_pos] == QLatin1Char('\r') || m_data[m_pos] == QLatin1Char('\n'))
                Fail(kErrUnterminatedString);
            const QChar c = m_data[m_pos++];
            if (c == QLatin1Char('"')) {
                if (m_pos < m_size && m_data[m_pos] == QLatin1Char('"')) {
                    value += c;
                    ++m_pos;
                    continue;
                }
                break;
            }
            value += c;
        }
        t.kind = Tok::String;
        t.text = std::move(value);
    }

    void Operator(Token& t)
    {
        const QChar c = m_data[m_pos++];
        const QChar n = m_pos < m_size ? m_data[m_pos] : QChar();
        switch (c.unicode()) {
        case '+': t.kind = Tok::Plus; return;
        case '-': t.kind = Tok::Minus; return;
        case '*': t.kind = Tok::Star; return;
        case '/': t.kind = Tok::Slash; return;
        case '\\': t.kind = Tok::Backslash; return;
        case '^': t.kind = Tok::Caret; return;
        case '&': t.kind = Tok::Ampersand; return;
        case '=':
            // "=>" and "=<" are accepted spellings of ">=" and "<=".
            if (n == QLatin1Char('>')) { ++m_pos; t.kind = Tok::Ge; return; }
            if (n == QLatin1Char('<')) { ++m_pos; t.kind = Tok::Le; return; }
            t.kind = Tok::Eq;
            return;
        case '(': t.kind = Tok::LParen; return;
        case ')': t.kind = Tok::RParen; return;
        case ',': t.kind = Tok::Comma; return;
        case '.': t.kind = Tok::Dot; return;
        case '<':
            if (n == QLatin1Char('>')) { ++m_pos; t.kind = Tok::Ne; return; }
            if (n == QLatin1Char('=')) { ++m_pos; t.kind = Tok::Le; return; }
            t.kind = Tok::Lt;
            return;
        case '>':
            if (n == QLatin1Char('=')) { ++m_pos; t.kind = Tok::Ge; return; }
            if (n == QLatin1Char('<')) { ++m_pos; t.kind = Tok::Ne; return; }
            t.kind = Tok::Gt;
            return;
        default:
            --m_pos;
            Fail(kErrInvalidCharacter);
        }
    }

    const QString& m_text;
    const QChar* m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    qsizetype m_lineStart = 0;
    int m_line;
};

}  // namespace

std::vector<Token> Tokenize(const QString& text, int firstLine)
{
    return Lexer(text, firstLine).Run();
}

bool IsKeyword(Tok kind)
{
    return kind >= Tok::KwAnd;
}

}  // namespace kvx::vbs
