#pragma once

#include <QString>

class QWidget;

// The help of the current language in a window of its own, opened on its
// contents page.
class CHelpWindow {
public:
    static void ShowContents(const QString& helpFilePath, QWidget* parent);
};
