// One data file through the host's importer, in the format its extension names
// (LOCASTRA_FUZZ_EXTENSION, one target per format).
#include "FuzzInput.h"
#include "maphost/document/DataImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzzing::FuzzInput input(QStringLiteral(LOCASTRA_FUZZ_EXTENSION));
    input.read(data, size, [](const QString& path) { maphost::DataImport::importDataSet(path); });
    return 0;
}
