"""Runs inside QGIS (--code): checks that the tool window did not open by itself at
start-up, chooses Plugins > Locastra > "Locastra...", presses Get All in the tool
window and closes it; then, in the Plugin Manager, switches the plugin off and on
again: with "DisplayOnConnect" = "1" the tool window opens at once. Writes what it saw
to $LOCASTRA_SMOKE_OUT and quits QGIS."""
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


def switch_plugin(manager, on):
    """Ticks or clears Locastra's box in the Plugin Manager's list, as a user does."""
    model = manager.findChild(QAbstractItemView, "vwPlugins").model()
    for row in range(model.rowCount()):
        index = model.index(row, 0)
        if model.data(index) == "Locastra":
            model.setData(index, Qt.Checked if on else Qt.Unchecked, Qt.CheckStateRole)
            return
    out.write("no Locastra in the Plugin Manager\n")


def close_when_shown(seen, tries=50):
    window = tool_window()
    if window is not None:
        seen.append(True)
        window.close()
    elif tries > 0:
        QTimer.singleShot(100, lambda: close_when_shown(seen, tries - 1))


def switch_off_and_on():
    manager = next((w for w in QApplication.topLevelWidgets()
                    if w.metaObject().className() == "QgsPluginManager"), None)
    if manager is None:
        out.write("no Plugin Manager\n")
        return
    switch_plugin(manager, False)
    out.write("menu entry removed\n" if locastra_action() is None else "menu entry kept\n")
    seen = []
    QTimer.singleShot(100, lambda: close_when_shown(seen))
    switch_plugin(manager, True)  # modal while the tool window is open
    out.write("tool window at switch-on\n" if seen else "no tool window at switch-on\n")
    out.write("menu entry back\n" if locastra_action() else "no menu entry back\n")
    manager.reject()


def start():
    # Loaded at start-up (connect mode 1): the window does not open by itself.
    out.write("no tool window at start-up\n" if tool_window() is None else
              "tool window at start-up\n")
    action = locastra_action()
    out.write("menu entry\n" if action else "no menu entry\n")
    if action is None:
        QApplication.exit(2)
        return
    QTimer.singleShot(200, press_get_all)
    action.trigger()  # modal until the window is hidden
    out.write("window closed\n")
    # Switched on while QGIS runs (connect mode 0).
    QTimer.singleShot(500, switch_off_and_on)
    iface.pluginManagerInterface().showPluginManager()  # modal
    QTimer.singleShot(0, iface.actionExit().trigger)


QTimer.singleShot(0, start)
