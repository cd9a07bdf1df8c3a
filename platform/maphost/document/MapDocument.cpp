#include "MapDocument.h"

#include "AtomicFileWriter.h"
#include "DocumentReader.h"
#include "DocumentWriter.h"

namespace maphost {

void MapDocument::save(const MapData& map, const QString& path) {
    AtomicFileWriter file(path); // removes its temporary file if anything below throws
    DocumentWriter::write(map, file.tempPath(), file.targetPath());
    file.commit();
}

MapData MapDocument::open(const QString& path) {
    return DocumentReader::read(path);
}

} // namespace maphost
