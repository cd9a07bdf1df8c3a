// One file opened as a map document by the host.
#include "FuzzInput.h"
#include "maphost/document/MapDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzzing::FuzzInput input(QStringLiteral("gpkg"));
    input.read(data, size, [](const QString& path) { maphost::MapDocument::open(path); });
    return 0;
}
