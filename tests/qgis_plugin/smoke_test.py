#!/usr/bin/python3
"""QGIS starts with the Locastra plugin enabled in a profile of its own, on a project
of two GeoPackage layers, with the add-in's "DisplayOnConnect" = "1": the tool window
does not open by itself at start-up; Plugins > Locastra > "Locastra..." opens it and
Get All lists every pushpin; switched off and on in the Plugin Manager, the plugin
opens the tool window at once. Exits non-zero, saying why, when any step fails.

Usage: smoke_test.py PLUGIN_DIR PLUGIN_BASE_NAME"""
import os
import shlex
import subprocess
import sys
import tempfile

from osgeo import ogr, osr

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "..", "scripts"))
import qgis_demo_project  # noqa: E402

LAYERS = {"Capitals": [("Paris", 48.8566, 2.3522), ("Lima", -12.0464, -77.0428),
                       ("Tokyo", 35.6762, 139.6503)],
          "Landmarks": [("Eiffel Tower", 48.8584, 2.2945), ("Uluru", -25.3444, 131.0369)]}


def write_data(path):
    out = ogr.GetDriverByName("GPKG").CreateDataSource(path)
    wgs84 = osr.SpatialReference()
    wgs84.ImportFromEPSG(4326)
    for name, points in LAYERS.items():
        layer = out.CreateLayer(name, wgs84, ogr.wkbPoint)
        layer.CreateField(ogr.FieldDefn("Name", ogr.OFTString))
        for label, lat, lon in points:
            feature = ogr.Feature(layer.GetLayerDefn())
            feature.SetField("Name", label)
            point = ogr.Geometry(ogr.wkbPoint)
            point.AddPoint_2D(lon, lat)
            feature.SetGeometry(point)
            layer.CreateFeature(feature)


def main():
    plugin_dir, plugin_name = sys.argv[1:3]
    with tempfile.TemporaryDirectory() as folder:
        data = os.path.join(folder, "data.gpkg")
        project = os.path.join(folder, "smoke.qgz")
        write_data(data)
        env = dict(os.environ, HOME=folder,
                   XDG_CONFIG_HOME=os.path.join(folder, "config"),
                   XDG_DATA_HOME=os.path.join(folder, "data"),
                   XDG_RUNTIME_DIR=folder, LOCASTRA_SMOKE_OUT=os.path.join(folder, "out.txt"))
        offscreen = dict(env, QT_QPA_PLATFORM="offscreen")
        subprocess.run([sys.executable, qgis_demo_project.__file__, "--project-only", data,
                        project], check=True, env=offscreen)
        qgis_demo_project.enable_plugin(folder, "smoke", plugin_dir,
                                        plugin_name)
        # The add-in's settings file inside QGIS: QGIS keeps QSettings in the profile.
        settings = os.path.join(folder, "profiles", "smoke", "Locastra")
        os.makedirs(settings)
        with open(os.path.join(settings, "Locastra.ini"), "w") as ini:
            ini.write("[Settings]\nDisplayOnConnect=1\n")
        env.pop("QT_QPA_PLATFORM", None)  # QGIS's main window needs a display
        # QGIS takes layers whose files lie in the temporary folder for temporary ones and
        # would ask about them at exit.
        env["TMPDIR"] = os.path.join(folder, "tmp")
        os.mkdir(env["TMPDIR"])
        # A sanitizer build names what QGIS alone needs (its runtime preloaded, since
        # QGIS itself is not built with it); the X server and Python stay without.
        qgis = ["env"] + shlex.split(os.environ.get("LOCASTRA_QGIS_ENV", "")) + ["qgis"]
        run = subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24"] + qgis +
                             ["--profiles-path", folder, "--profile", "smoke",
                              "--nologo", "--noversioncheck", "--code",
                              os.path.join(here, "drive_qgis.py"), project],
                             env=env, timeout=240, capture_output=True, text=True)
        seen = open(env["LOCASTRA_SMOKE_OUT"]).read().split("\n") \
            if os.path.exists(env["LOCASTRA_SMOKE_OUT"]) else []
    expected = ["no tool window at start-up", "menu entry", "tool window",
                f"rows {sum(len(p) for p in LAYERS.values())}", "window closed",
                "menu entry removed", "tool window at switch-on", "menu entry back"]
    print("QGIS exit status", run.returncode, "; the drive script saw:", seen)
    if [line for line in seen if line] != expected or run.returncode != 0:
        print(run.stderr[-4000:])
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
