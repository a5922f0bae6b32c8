#pragma once

// The device commands' profile side: a radio read becomes a new profile
// document that is saved, and a profile file is opened as a document before
// its image is written.

#include "CliDevice.h"
#include "KVXZOTDoc.h"

#include <memory>

// The read flow into a profile file: chain, transfer, the document's new
// profile from the image, save. --yes converts an old-format radio's
// profile to the latest format. Returns the exit code.
int ReadRadioToProfileFile(const DeviceOptions& options, const QString& outPath);

// A profile file opened through the document for a write, with the
// application it needs. Null (reason printed) when it does not load.
struct CliWriteProfile {
    std::unique_ptr<CKVXZOTApp> app;
    std::unique_ptr<CKVXZOTDoc> doc;
};
std::unique_ptr<CliWriteProfile> OpenProfileForWrite(const QString& path);
