#pragma once

#include <QString>
#include <QStringList>

namespace exporting {

struct GisFormat;

// The files of a format that writes one file per dataset (Shapefile), for the chosen
// path and the datasets to export, in their order: one dataset takes the chosen name
// itself ("all-shp.shp"); several cannot share it, so each takes the chosen name with
// its own after it ("all-shp_Capitals.shp", "all-shp_Cities_2.shp" for a second
// "Cities"). They stay together, beside and sorted under the name typed, and the
// layer names a GIS shows (the file names) still say which dataset each holds.
QStringList DataSetFiles(const QString& path, const QStringList& dataSetNames);

// The files that exist now and that writing these files (paths with the format's
// extension) replaces: each file, and beside it each file of its name with one of the
// format's side extensions in any letter case. Folders are not files and are left out.
QStringList ExistingFilesReplaced(const GisFormat& format, const QStringList& files);

} // namespace exporting
