#pragma once

// Texts of the messages the views show.

#include <QString>
#include <QStringList>

// Fills the "%s" and "%d" placeholders of a string-table text in order.
QString FormatMessage(const QString& format, const QStringList& args);

// The text of a message the rules returned. The rules return a number only;
// the limits that some of those texts name ("%d") are filled in here.
QString RuleMessageText(int id);
