"""Runs inside QGIS (--code): chooses Plugins > Locastra > "Locastra...", presses
Get All in the tool window, writes what it saw to $LOCASTRA_SMOKE_OUT, closes the
window and quits QGIS."""
import os

from qgis.PyQt.QtCore import Qt, QTimer
from qgis.PyQt.QtTest import QTest
from qgis.PyQt.QtWidgets import QAbstractItemView, QApplication, QWidget
from qgis.utils import iface

out = open(os.environ["LOCASTRA_SMOKE_OUT"], "w", buffering=1)


def locastra_action():
    for menu_action in iface.pluginMenu().actions():
        menu = menu_action.menu()
        if menu is not None and menu.title().replace("&", "") == "Locastra":
            for action in menu.actions():
                if action.text() == "Locastra...":
                    return action
    return None


def tool_window():
    for widget in QApplication.topLevelWidgets():
        if widget.objectName() == "frmAddIn" and widget.isVisible():
            return widget
    return None


def press_get_all(tries=50):
    window = tool_window()
    if window is None:
        if tries > 0:
            QTimer.singleShot(100, lambda: press_get_all(tries - 1))
        else:
            out.write("no tool window\n")
            QApplication.exit(3)
        return
    out.write("tool window\n")
    QTest.mouseClick(window.findChild(QWidget, "ButtonShowAll"), Qt.LeftButton)
    rows = window.findChild(QAbstractItemView, "ListView1").model().rowCount()
    out.write(f"rows {rows}\n")
    window.close()  # hides the window: the modal call returns


def start():
    action = locastra_action()
    out.write("menu entry\n" if action else "no menu entry\n")
    if action is None:
        QApplication.exit(2)
        return
    QTimer.singleShot(200, press_get_all)
    action.trigger()  # modal until the window is hidden
    out.write("window closed\n")
    QTimer.singleShot(0, iface.actionExit().trigger)


QTimer.singleShot(0, start)
