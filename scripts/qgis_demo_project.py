#!/usr/bin/python3
"""Makes a QGIS demo project from a map document of our host.

The document (a GeoPackage with one point table per dataset and the host's own
locastra_* tables) becomes a plain GeoPackage as a QGIS user keeps one: one point
layer per dataset, named as the dataset, holding the dataset's fields and, where the
dataset has no "Name" field, the pushpin names as a first field "Name". The project
lists the layers in the map's order and shows "Name" as each layer's display name.

Usage: qgis_demo_project.py DOCUMENT.gpkg DATA.gpkg PROJECT.qgz
       qgis_demo_project.py --project-only DATA.gpkg PROJECT.qgz   (DATA's point layers)
       qgis_demo_project.py --enable-plugin PROFILES PROFILE PLUGIN_DIR PLUGIN_NAME
"""
import os
import sys

from osgeo import ogr, osr

ogr.UseExceptions()
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


def write_project(data_path, names, project_path):
    from qgis.core import (QgsApplication, QgsCoordinateReferenceSystem, QgsProject,
                           QgsRectangle, QgsReferencedRectangle, QgsVectorLayer)
    app = QgsApplication([], False)
    app.initQgis()
    project = QgsProject.instance()
    project.setCrs(QgsCoordinateReferenceSystem("EPSG:4326"))
    extent = QgsRectangle()
    for name in names:
        layer = QgsVectorLayer(f"{data_path}|layername={name}", name, "ogr")
        if not layer.isValid():
            raise SystemExit(f"Cannot open the layer {name} of {data_path}")
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
    elif len(args) == 3 and args[0] == "--project-only":
        data, project = map(os.path.abspath, args[1:])
        write_project(data, point_layers(data), project)
    elif len(args) == 3:
        document, data, project = map(os.path.abspath, args)
        write_project(data, write_data(document, data), project)
    else:
        raise SystemExit(__doc__)


if __name__ == "__main__":
    main()
