#pragma once

// Texts of the messages and labels the views fill in.

#include <QString>
#include <QStringList>

// Fills the "%s" and "%d" placeholders of a string-table text in order.
QString FormatMessage(const QString& format, const QStringList& args);
