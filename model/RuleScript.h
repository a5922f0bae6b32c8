#pragma once

// The rule script as the data items see it: global functions called by name
// with positional arguments. The first argument goes to the function's first
// parameter; a by-reference integer starts at 0 and holds the script's value
// after the call.

#include "XmlService.h"

#include <QString>
#include <QVariant>
#include <vector>

struct ScriptArgument {
    enum class Kind { Node, Value, IntegerRef };

    static ScriptArgument FromNode(const kvx::xml::XmlNode& node);
    // A bool, an integer or a text; other values are passed as their text.
    static ScriptArgument FromValue(const QVariant& value);
    static ScriptArgument IntegerRef();

    Kind kind = Kind::Value;
    kvx::xml::XmlNode node;
    QVariant value;
    qint32 integer = 0;   // Kind::IntegerRef: in and out
};

// What a script function returned: an object (a node, Nothing, or another
// object), or a plain value (invalid for Empty; isNull for Null).
struct ScriptReturn {
    bool isObject = false;
    bool isNothing = false;
    kvx::xml::XmlNode node;   // the node when the object was one
    bool isNull = false;
    QVariant value;
};

class IRuleScript {
public:
    virtual ~IRuleScript() = default;
    // Calls the global function `name`. False when the script defines no such
    // function or the call failed; the script error has then been reported.
    virtual bool Call(const QString& name, std::vector<ScriptArgument>& args, ScriptReturn& result) = 0;
};
