#include "DataAdaptor.h"
#include "FuzzCheck.h"
#include "KVXZOTException.h"

#include <QString>

// Arbitrary text as a profile. The first line, when short, is the radio's
// own ID, so the private scroll list path is reached too.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QString ownId;
    const qsizetype newline = text.indexOf(u'\n');
    if (newline >= 0 && newline <= 12) {
        ownId = text.left(newline);
        text.remove(0, newline + 1);
    }
    VirtualCP image;
    try {
        CDataAdaptor::XML2VirtualCP(text, image, ownId);
    } catch (const CKVXZOTException& e) {
        FUZZ_CHECK(e.GetCode() == 105 || e.GetCode() == 106);
        FUZZ_CHECK(image == VirtualCP{});
        return 0;
    }
    // Whatever converted writes a profile again.
    QString written;
    FUZZ_CHECK(CDataAdaptor::VirtualCP2XML(image, written));
    return 0;
}
