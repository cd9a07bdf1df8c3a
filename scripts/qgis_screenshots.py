"""Runs inside QGIS (--code): opens Locastra's windows one after the other and takes a
picture of the whole screen of each with ImageMagick's import, into $LOCASTRA_SHOTS.
A step that cannot find its window writes "missing ..." to $LOCASTRA_SHOTS/log.txt
and goes on. QGIS quits at the end without asking to save the project."""
import os
import subprocess

from qgis.core import QgsProject
from qgis.PyQt.QtCore import QItemSelectionModel, Qt, QTimer
from qgis.PyQt.QtTest import QTest
from qgis.PyQt.QtWidgets import (QAbstractItemView, QAction, QApplication, QComboBox,
                                 QListWidget, QWidget)
from qgis.utils import iface

shots = os.environ["LOCASTRA_SHOTS"]
log = open(os.path.join(shots, "log.txt"), "w", buffering=1)


def shoot(name):
    QApplication.processEvents()
    subprocess.run(["import", "-window", "root", os.path.join(shots, name + ".png")])
    log.write(f"shot {name}\n")


def window(name):
    for widget in QApplication.topLevelWidgets():
        if widget.isVisible() and (widget.objectName() == name or
                                   type(widget).__name__ == name or
                                   widget.metaObject().className().endswith(name)):
            return widget
    log.write(f"missing {name}\n")
    return None


def tool():
    return window("frmAddIn")


def act(name):
    action = tool().findChild(QAction, name)
    if action is None:
        log.write(f"missing action {name}\n")
    else:
        action.trigger()


def select_row(row):
    view = tool().findChild(QAbstractItemView, "ListView1")
    index = view.model().index(row, 0)
    view.selectionModel().select(index, QItemSelectionModel.ClearAndSelect)
    view.setCurrentIndex(index)


def choose_dataset(name):
    combo = tool().findChild(QComboBox, "ImageCombo1")
    combo.setCurrentIndex(combo.findText(name))


def close(name, how="reject"):
    widget = window(name)
    if widget is not None:
        getattr(widget, how)()


def modal(opener, name, then, before_close=None, delay=1500):
    """Opens a modal window with opener (which returns when it closes), pictures it,
    closes it and goes on with then."""
    def inside():
        shoot(name)
        if before_close:
            before_close()
    QTimer.singleShot(delay, inside)
    opener()
    QTimer.singleShot(300, then)


def step_get_all():
    QTest.mouseClick(tool().findChild(QWidget, "ButtonShowAll"), Qt.LeftButton)
    QTimer.singleShot(800, step_tool_window)


def step_tool_window():
    shoot("01-tool-window")
    select_row(0)
    modal(lambda: act("mnuShowInfo"), "02-information-window", step_picker,
          lambda: close("frmPushpin"))


def step_picker():
    modal(lambda: act("mnuChangeSymbol"), "03-symbol-picker", step_about,
          lambda: close("frmSelectPushpinSymbol"))


def step_about():
    modal(lambda: act("mnuAbout"), "04-about", step_help, lambda: close("frmAbout"))


def step_help():
    act("mnuHelp")
    QTimer.singleShot(2000, step_help_shot)


def step_help_shot():
    shoot("05-help")
    close("HelpViewer", "close")
    select_row(0)
    act("mnuShowInformation")
    QTimer.singleShot(1500, step_balloon_shot)


def step_balloon_shot():
    shoot("06-balloon")
    select_row(1)
    act("mnuHighlight")
    QTimer.singleShot(1500, step_highlight_shot)


def step_highlight_shot():
    shoot("07-highlight")
    choose_dataset(os.environ.get("LOCASTRA_SYMBOL_DATASET", "Capitals"))

    def pick():
        picker = window("frmSelectPushpinSymbol")
        if picker is not None:
            picker.findChild(QListWidget, "ListView1").item(40).setSelected(True)
            QTest.mouseClick(picker.findChild(QWidget, "ButtonSelect"), Qt.LeftButton)
    modal(lambda: act("mnuChangePushpin4Dataset"), "08-dataset-symbol-picker",
          step_symbol_shot, pick)


def step_symbol_shot():
    act("mnuZoomtoDataset")
    QTimer.singleShot(1500, step_symbol_zoomed)


def step_symbol_zoomed():
    shoot("09-dataset-symbol-changed")
    choose_dataset(os.environ.get("LOCASTRA_HIDE_DATASET", "Landmarks"))
    act("mnuHideDataset")
    QTimer.singleShot(1500, step_hidden_shot)


def step_hidden_shot():
    shoot("10-dataset-hidden")
    tool().close()  # hides the tool window: the command returns


def start():
    action = None
    for menu_action in iface.pluginMenu().actions():
        menu = menu_action.menu()
        if menu is not None and menu.title().replace("&", "") == "Locastra":
            action = next((a for a in menu.actions() if a.text() == "Locastra..."), None)
    if action is None:
        log.write("missing menu entry\n")
    else:
        QTimer.singleShot(1500, step_get_all)
        action.trigger()  # modal until the tool window is hidden
    QgsProject.instance().setDirty(False)
    QTimer.singleShot(0, iface.actionExit().trigger)


iface.mainWindow().showMaximized()
QTimer.singleShot(3000, start)
