#pragma once

// The main window's write flow up to the transfer, without windows: the
// image the write job gets (proceed) and the question it may need first.

#include "VirtualCP.h"

#include <QDateTime>
#include <QString>

class CKVXZOTDoc;

// The radio clock's seconds since 1970-01-01 00:00 for a local date and time.
quint32 PcClockSeconds(const QDateTime& local);

// A fresh image of the document's profile for the radio being written, with
// the radio's own private ID and, when the document uses the PC clock, the
// time `now`. False (the reason shown through the document) stops the write.
bool PrepareWriteImage(CKVXZOTDoc& doc, const QString& ownId, VirtualCP& image,
                       const QDateTime& now = QDateTime::currentDateTime());

// Message 10031 is to be asked: the radio belongs to an older model group
// than the profile.
bool ProfileNotSupportedByRadio(CKVXZOTDoc& doc, int radioModelGroup);
