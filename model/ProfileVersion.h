#pragma once

// The version element of a profile as the program shows and compares it.

#include "XmlService.h"

#include <QString>

// A number of the version element as the radio's byte. The writer prints the
// radio's bytes sign-extended (255 as 4294967295), so the low 8 bits are the
// byte. A value that is no number raises XmlError.
int ProfileVersionByte(const kvx::xml::XmlNode& version, const QString& name);

// "R5E.08.00": the phase, then release (hexadecimal), version and revision.
QString FirmwareVersionText(const kvx::xml::XmlNode& version);
