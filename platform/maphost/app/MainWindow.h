#pragma once

#include "maphost/view/DrawingTool.h"

#include <QMainWindow>
#include <QMetaObject>
#include <memory>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;

namespace maphost {

class AddinManager;
class HostApplication;
class HostMap;
class MapView;
class RecentFiles;

// The host's main window: the map view, the menus (File, Edit, View, Drawing,
// Tools, Help) and a status bar with the pointer's position. It keeps the
// Application's Left/Top (twips) up to date and remembers its geometry per user.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(std::shared_ptr<HostApplication> application, AddinManager* addins,
               QString settingsFile, QWidget* parent = nullptr);
    ~MainWindow() override;

    MapView* view() const { return view_; }
    QMenu* toolsMenu() const { return toolsMenu_; }

    // File commands; each returns false when it did not happen (cancelled or failed,
    // the failure reported in a message box, or in *failure when one is given).
    bool openDocument(const QString& path);
    bool importData(const QString& path, QString* failure = nullptr);
    bool save();
    bool saveAs();
    void newMap();
    // Asks to save unsaved changes: true when the map may be closed.
    bool maybeSave();

    void showStatus(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void rebuildToolsMenu();
    void rebuildRecentMenu();
    void bindMap();
    void updateTitle();
    void updatePosition();
    void openWithDialog();
    void importWithDialog();
    void findPushpin();
    void showAddins();
    void about();
    void chooseTool(DrawingTool tool);
    void setUnits(int units);
    bool saveTo(const QString& path);
    void reportError(const QString& text);

    std::shared_ptr<HostApplication> application_;
    AddinManager* addins_;
    QString settingsFile_;
    std::unique_ptr<RecentFiles> recent_;
    MapView* view_;
    QMenu* toolsMenu_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QActionGroup* toolGroup_ = nullptr;
    QAction* milesAction_ = nullptr;
    QAction* kilometresAction_ = nullptr;
    QLabel* positionLabel_;
    std::shared_ptr<HostMap> boundMap_;
    QList<QMetaObject::Connection> mapConnections_;
};

} // namespace maphost
