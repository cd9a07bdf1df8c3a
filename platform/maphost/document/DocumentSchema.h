#pragma once

// Layout of a map document (a GeoPackage). Every pushpin dataset is a point table of its
// own (EPSG:4326, fid in record order); everything else the host keeps lives in the
// locastra_* tables. Table and column names given to user data never start with
// "locastra_" and never equal a reserved pushpin column, so they cannot clash.
namespace maphost::schema {

constexpr const char* FormatName = "Locastra map document";
constexpr int FormatVersion = 1;

// key/value rows: "format" and "version".
constexpr const char* DocumentTable = "locastra_document";
constexpr const char* KeyColumn = "key";
constexpr const char* ValueColumn = "value";

// One row per dataset, in map order.
constexpr const char* DataSetsTable = "locastra_datasets";
constexpr const char* PositionColumn = "position";
constexpr const char* NameColumn = "name";
constexpr const char* TableNameColumn = "table_name";
constexpr const char* SymbolColumn = "symbol";

// One row per field of each dataset, in field order.
constexpr const char* FieldsTable = "locastra_fields";
constexpr const char* DataSetColumn = "dataset";
constexpr const char* ColumnNameColumn = "column_name";
constexpr const char* TypeColumn = "type";

constexpr const char* SymbolsTable = "locastra_symbols";
constexpr const char* IdColumn = "id";
constexpr const char* ImageColumn = "image"; // PNG

// Shapes in map order; the outline is a geometry: none for no points, a point for one,
// a line string through the points as given for more (no closing vertex added).
constexpr const char* ShapesTable = "locastra_shapes";
constexpr const char* KindColumn = "kind";
constexpr const char* TextColumn = "text";
constexpr const char* OutlineColumn = "outline";

constexpr const char* ViewTable = "locastra_view";
constexpr const char* CenterLatitudeColumn = "center_latitude";
constexpr const char* CenterLongitudeColumn = "center_longitude";
constexpr const char* AltitudeColumn = "altitude";
constexpr const char* UnitsColumn = "units";

constexpr const char* ReservedTablePrefix = "locastra_";

// Columns of a pushpin table that hold the pushpin itself.
constexpr const char* FidColumn = "fid";
constexpr const char* GeometryColumn = "geom";
constexpr const char* PushpinNameColumn = "pushpin_name";
constexpr const char* PushpinNoteColumn = "pushpin_note";
constexpr const char* PushpinSymbolColumn = "pushpin_symbol";
constexpr const char* PushpinHighlightColumn = "pushpin_highlight";
constexpr const char* PushpinBalloonColumn = "pushpin_balloon";

} // namespace maphost::schema
