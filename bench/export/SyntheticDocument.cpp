// Saves the export benchmark's synthetic map (N pushpins in 10 datasets of three short
// fields) as a map document: a GeoPackage with one point table per dataset, the source
// of ogr2ogr's side in vs_ogr2ogr.sh. Usage: synthetic_document FILE N
#include "SyntheticMap.h"
#include "automation/Error.h"
#include "maphost/document/MapDocument.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: synthetic_document FILE PUSHPINS\n");
        return 2;
    }
    synthetic::SyntheticMapOptions options;
    options.pushpins = std::atoi(argv[2]);
    options.dataSets = 10;
    try {
        maphost::MapDocument::save(synthetic::makeSyntheticMap(options),
                                   QString::fromLocal8Bit(argv[1]));
    } catch (const automation::Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        return 1;
    }
    return 0;
}
