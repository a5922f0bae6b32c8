#pragma once

#include "VirtualCP.h"

#include <QByteArray>
#include <vector>

// Bytes of a payload written as a mix of text and numbers.
std::vector<quint8> Bytes(std::initializer_list<int> values);
std::vector<quint8> operator+(std::vector<quint8> a, const std::vector<quint8>& b);
// A 0-terminated radio string.
std::vector<quint8> Str(const char* text);

// Five parent-group entries; "" is an empty entry.
std::array<QString, kMaxParentGroups> Groups(std::initializer_list<const char*> ids);

// A contact record of the given kind.
ContactRecord MakeContact(quint8 type, const QString& name, const QString& pid);

// An image that uses every field with a value different from its default:
// 150 contacts (20 public groups, 30 private groups, 100 privates with
// parent and home groups) and 25 messages when full, a handful otherwise.
VirtualCP SampleImage(bool full);
