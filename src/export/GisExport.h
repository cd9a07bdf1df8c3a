#pragma once

#include <QString>

namespace toolwindow {
class frmAddIn;
}

namespace exporting {

struct GisFormat;

// Writes every pushpin of the datasets the Dataset selector chooses to to_file in a GIS
// format, through GDAL: each pushpin a point at its derived latitude and longitude
// (as every export gives it), with its name, note and every field with its type. Like
// the tool window's other long loops it shows the hourglass and the progress bar,
// turns Get All into Stop and handles the window's messages while it runs. Files that
// exist and would be replaced (to_file, a Shapefile's files per dataset, what belongs
// to them) are named in one question first; No exports nothing. The first failure
// ends the export with a message box titled "Error"; stopped or failed, the earlier
// files stay as they were (the files are written beside them and moved into place
// all or nothing at the end). The status bar names the files written.
void exportByDataset2Gis(toolwindow::frmAddIn& form, const QString& to_file,
                         const GisFormat& format);

// The same for the pushpins of every dataset inside the shape selected on the map;
// failures end the export silently.
void exportFromShape2Gis(toolwindow::frmAddIn& form, const QString& to_file,
                         const GisFormat& format);

} // namespace exporting
