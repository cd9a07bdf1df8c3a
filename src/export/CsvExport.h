#pragma once

#include <QString>

namespace toolwindow {
class frmAddIn;
}

namespace exporting {

// Writes every pushpin of the datasets the tool window's Dataset selector chooses
// ("All" or a dataset name), with the latitude and longitude derived for each, to
// to_file as comma-separated text, one block (header line, then one line per record)
// per dataset that has records; then opens the file in the text editor. The first
// failure ends the export with a message box titled "Error". After a failure of the
// map, the lines written before it make up the file; a file that cannot be written
// (full disk, bad target) keeps its old contents. to_file is replaced in one rename
// (see CsvFile), never left half written.
void exportbydataset2csv(toolwindow::frmAddIn& form, const QString& to_file);

// The same for the pushpins of every dataset that lie inside the shape selected on
// the map. A selection that is a shape but not an area leaves the file empty (still
// opened in the editor). The first failure (nothing selected, a selected pushpin,
// ...) ends the export silently.
void exportFromShape2csv(toolwindow::frmAddIn& form, const QString& to_file);

} // namespace exporting
