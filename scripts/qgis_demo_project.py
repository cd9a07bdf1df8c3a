#!/usr/bin/python3
"""Makes a QGIS demo project from a map document of our host.

The document (a GeoPackage with one point table per dataset and the host's own
locastra_* tables) becomes a plain GeoPackage as a QGIS user keeps one: one point
layer per dataset, named as the dataset, holding the dataset's fields and, where the
dataset has no "Name" field, the pushpin names as a first field "Name". The project
lists the layers in the map's order and shows "Name" as each layer's display name.

With --postgis, DATA's point layers are copied as tables into the PostGIS server
that scripts/postgis-server.sh described in SERVER (its state file), the project lists
them as PostGIS layers instead, and the QGIS profile gets a saved connection to it.

Usage: qgis_demo_project.py DOCUMENT.gpkg DATA.gpkg PROJECT.qgz
       qgis_demo_project.py --project-only DATA.gpkg PROJECT.qgz   (DATA's point layers)
       qgis_demo_project.py --enable-plugin PROFILES PROFILE PLUGIN_DIR PLUGIN_NAME
       qgis_demo_project.py --postgis DATA.gpkg SERVER PROFILES PROFILE PROJECT.qgz
"""
import os
import re
import sys

from osgeo import gdal, ogr, osr

ogr.UseExceptions()
gdal.UseExceptions()
# The saved connection of the demo profile to the PostGIS server.
CONNECTION = "Locastra demo"
RESERVED = {"fid", "geom", "pushpin_name", "pushpin_note", "pushpin_symbol",
            "pushpin_highlight", "pushpin_balloon"}


def datasets(document):
    """(dataset name, table) in map order."""
    rows = document.ExecuteSQL(
        "SELECT name, table_name FROM locastra_datasets ORDER BY position")
    result = [(row.GetField(0), row.GetField(1)) for row in rows]
    document.ReleaseResultSet(rows)
    return result


def write_data(document_path, data_path):
    document = ogr.Open(document_path)
    temporary = data_path + ".part.gpkg"
    if os.path.exists(temporary):
        os.remove(temporary)
    out = ogr.GetDriverByName("GPKG").CreateDataSource(temporary)
    wgs84 = osr.SpatialReference()
    wgs84.ImportFromEPSG(4326)
    names = []
    for name, table in datasets(document):
        source = document.GetLayerByName(table)
        definition = source.GetLayerDefn()
        fields = [definition.GetFieldDefn(i) for i in range(definition.GetFieldCount())
                  if definition.GetFieldDefn(i).GetName() not in RESERVED]
        has_name = any(f.GetName().lower() == "name" for f in fields)
        layer = out.CreateLayer(name, wgs84, ogr.wkbPoint)
        if not has_name:
            layer.CreateField(ogr.FieldDefn("Name", ogr.OFTString))
        for field in fields:
            layer.CreateField(field)
        layer.StartTransaction()
        for feature in source:
            copy = ogr.Feature(layer.GetLayerDefn())
            copy.SetGeometry(feature.GetGeometryRef())
            if not has_name:
                copy.SetField("Name", feature.GetField("pushpin_name"))
            for field in fields:
                copy.SetField(field.GetName(), feature.GetField(field.GetName()))
            layer.CreateFeature(copy)
        layer.CommitTransaction()
        names.append(name)
    out = None
    os.replace(temporary, data_path)
    return names


def geopackage_source(data_path):
    """The QGIS source of each layer of a GeoPackage: (uri, provider) by layer name."""
    return lambda name: (f"{data_path}|layername={name}", "ogr")


def write_project(source, names, project_path):
    """Writes a project of the layers named names, each opened from source(name)."""
    from qgis.core import (QgsApplication, QgsCoordinateReferenceSystem, QgsProject,
                           QgsRectangle, QgsReferencedRectangle, QgsVectorLayer)
    app = QgsApplication([], False)
    app.initQgis()
    project = QgsProject.instance()
    project.setCrs(QgsCoordinateReferenceSystem("EPSG:4326"))
    extent = QgsRectangle()
    for name in names:
        uri, provider = source(name)
        layer = QgsVectorLayer(uri, name, provider)
        if not layer.isValid():
            raise SystemExit(f"Cannot open the layer {name} ({provider})")
        layer.setDisplayExpression('"Name"')
        project.addMapLayer(layer)
        extent.combineExtentWith(layer.extent())
    # The view the project opens with: every pushpin, with a margin.
    if not extent.isEmpty():
        extent.scale(1.1)
        project.viewSettings().setDefaultViewExtent(
            QgsReferencedRectangle(extent, project.crs()))
    # A temporary name first, so an earlier project is never left half replaced.
    temporary = project_path + ".part.qgz"
    if not project.write(temporary):
        raise SystemExit(f"Cannot write {project_path}: {project.error()}")
    os.replace(temporary, project_path)
    app.exitQgis()


def point_layers(data_path):
    data = ogr.Open(data_path)
    return [data.GetLayerByIndex(i).GetName() for i in range(data.GetLayerCount())
            if ogr.GT_Flatten(data.GetLayerByIndex(i).GetGeomType()) in
            (ogr.wkbPoint, ogr.wkbMultiPoint)]


def read_server(server_path):
    """The PG* assignments of a postgis-server.sh state file."""
    server = {}
    with open(server_path, encoding="utf-8") as state:
        for line in state:
            key, _, value = line.rstrip("\n").partition("=")
            server[key] = value
    return server


def table_name(layer_name):
    """A plain lower-case table name for a layer (the layer keeps its own name)."""
    return re.sub(r"[^a-z0-9]+", "_", layer_name.lower()).strip("_") or "layer"


def copy_to_postgis(data_path, server):
    """Copies DATA's point layers into the server's database, one table each (primary
    key "id", geometry "geom", the fields' names as they are); returns [(layer, table)]."""
    target = ("PG:host={PGHOST} port={PGPORT} dbname={PGDATABASE} user={PGUSER} "
              "password={PGPASSWORD}").format(**server)
    copied = []
    for name in point_layers(data_path):
        table = table_name(name)
        if table in (t for _, t in copied):
            table += f"_{len(copied) + 1}"
        gdal.VectorTranslate(
            target, data_path, format="PostgreSQL", layers=[name], layerName=table,
            accessMode="overwrite",
            layerCreationOptions=["GEOMETRY_NAME=geom", "FID=id", "LAUNDER=NO",
                                  "PRECISION=NO"])
        copied.append((name, table))
    return copied


def postgis_source(server, tables):
    from qgis.core import QgsDataSourceUri

    def source(name):
        uri = QgsDataSourceUri()
        uri.setConnection(server["PGHOST"], server["PGPORT"], server["PGDATABASE"],
                          server["PGUSER"], server["PGPASSWORD"])
        uri.setDataSource("public", tables[name], "geom", "", "id")
        return uri.uri(False), "postgres"
    return source


def save_connection(profiles_path, profile, server):
    """The server as the saved PostgreSQL connection CONNECTION of the profile (the
    Browser panel and Layer > Add PostGIS Layers list it), replacing an earlier one."""
    from qgis.PyQt.QtCore import QSettings
    path = os.path.join(profiles_path, "profiles", profile, "QGIS", "QGIS3.ini")
    settings = QSettings(path, QSettings.IniFormat)
    key = f"PostgreSQL/connections/{CONNECTION}"
    settings.remove(key)
    for name, value in (("host", server["PGHOST"]), ("port", server["PGPORT"]),
                        ("database", server["PGDATABASE"]), ("username", server["PGUSER"]),
                        ("password", server["PGPASSWORD"]), ("saveUsername", "true"),
                        ("savePassword", "true")):
        settings.setValue(f"{key}/{name}", value)
    settings.setValue("PostgreSQL/connections/selected", CONNECTION)
    settings.sync()
    os.chmod(path, 0o600)  # it holds the password


def write_postgis_project(data_path, server_path, profiles_path, profile, project_path):
    server = read_server(server_path)
    copied = copy_to_postgis(data_path, server)
    write_project(postgis_source(server, dict(copied)), [name for name, _ in copied],
                  project_path)
    save_connection(profiles_path, profile, server)


def enable_plugin(profiles_path, profile, plugin_dir, plugin_name):
    """Sets up a QGIS profile (PROFILES/profiles/PROFILE) that finds C++ plugins in
    plugin_dir and loads the one named plugin_name at start-up, without QGIS's tips and
    first-run questions. Other settings of the profile are kept."""
    from qgis.PyQt.QtCore import QSettings
    settings = QSettings(os.path.join(profiles_path, "profiles", profile, "QGIS", "QGIS3.ini"),
                         QSettings.IniFormat)
    # QGIS reads the folders as one text, separated by "|".
    paths = [p for p in str(settings.value("plugins/searchPathsForPlugins", "") or "").split("|")
             if p]
    if plugin_dir not in paths:
        settings.setValue("plugins/searchPathsForPlugins", "|".join(paths + [plugin_dir]))
    settings.setValue(f"Plugins/{plugin_name}", True)
    settings.remove(f"Plugins/watchDog/{plugin_name}")
    settings.setValue("qgis/showTips", False)
    settings.setValue("qgis/checkVersion", False)
    settings.sync()


def main():
    args = sys.argv[1:]
    if len(args) == 5 and args[0] == "--enable-plugin":
        enable_plugin(os.path.abspath(args[1]), args[2], os.path.abspath(args[3]), args[4])
    elif len(args) == 6 and args[0] == "--postgis":
        data, server, profiles = map(os.path.abspath, args[1:4])
        write_postgis_project(data, server, profiles, args[4], os.path.abspath(args[5]))
    elif len(args) == 3 and args[0] == "--project-only":
        data, project = map(os.path.abspath, args[1:])
        write_project(geopackage_source(data), point_layers(data), project)
    elif len(args) == 3:
        document, data, project = map(os.path.abspath, args)
        write_project(geopackage_source(data), write_data(document, data), project)
    else:
        raise SystemExit(__doc__)


if __name__ == "__main__":
    main()
