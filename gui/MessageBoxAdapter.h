#pragma once

#include "Messages.h"

#include <QString>

class QWidget;
namespace kvx {
class CMessageScript;
}

// Shows the program's messages as message boxes. The style bits of the
// rules choose the buttons (0 OK, 1 OK/Cancel, 3 Yes/No/Cancel, 4 Yes/No),
// the icon (0x10 critical, 0x20 question, 0x30 warning, 0x40 information)
// and the default button (0x100 second, 0x200 third); the answer comes back
// as 1 OK, 2 Cancel, 6 Yes or 7 No.
//
// Test mode: with a script set, no box opens; the script answers and
// records every message it did not expect.
class CMessageBoxAdapter {
public:
    static int Show(const QString& text, unsigned style, QWidget* parent = nullptr);

    // Installs Show as the process-wide message handler.
    static void Install();
    // The handler for a message sink whose boxes belong to one window.
    static kvx::MessageHandler HandlerFor(QWidget* parent);

    static void SetScript(kvx::CMessageScript* script);
    static kvx::CMessageScript* Script();
};
