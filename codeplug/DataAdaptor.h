#pragma once

// Conversions between a codeplug image and the text of a profile.

#include "VirtualCP.h"

#include <QString>

namespace kvx::xml {
class XmlDocument;
}

class CDataAdaptor {
public:
    // The complete profile text of image, character for character as the
    // radio read produces it. A pure function of the image; always true.
    static bool VirtualCP2XML(const VirtualCP& image, QString& text);

    // Replaces, in this order, & < > and " by their entity references.
    static QString EscapeXmlText(const QString& text);

    // Loads text into a new working document. When ownId names a private
    // whose private_scroll_list is true, that private's scrolllist decides
    // the in_scroll_list flag of every contact. A text that does not parse
    // gives an empty document. Raises CKVXZOTException 102 when no document
    // can be created and 106 for an XML service error.
    static kvx::xml::XmlDocument CopyPrvtScrlLst(const QString& text, const QString& ownId);

    // Fills image from the profile text; ownId is the ID last read from the
    // radio being written (empty when none). The image is replaced by a
    // fresh one filled with the profile's fields only when the whole
    // conversion succeeds. Raises CKVXZOTException: 102 (no document), 106
    // (missing element or attribute, unparsable text, XML service error),
    // 105 (more contacts, messages or parent groups than the image holds).
    static bool XML2VirtualCP(const QString& text, VirtualCP& image, const QString& ownId = QString());
};
