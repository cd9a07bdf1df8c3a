// One file opened as a compiled help file, as the help viewer opens it: the structure
// check, then chmlib for the system file, the object list and every object.
#include "FuzzInput.h"
#include "desktop/help/ChmFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzzing::FuzzInput input(QStringLiteral("chm"));
    input.read(data, size, [](const QString& path) {
        const desktop::help::ChmFile file(path);
        if (!file.isOpen())
            return;
        for (const QString& object : file.files())
            file.read(object);
    });
    return 0;
}
