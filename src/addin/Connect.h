#pragma once

#include "ToolWindowOwner.h"
#include "automation/AddinConnection.h"
#include "mappoint/Types.h"

#include <QObject>
#include <QPointer>

namespace toolwindow {
class frmAddIn;
}

namespace locastra {

// The add-in object the host creates: puts "Locastra..." on the host's Tools menu,
// shows the tool window (modal) when it is chosen, or at once after a late
// connection when the user's "DisplayOnConnect" setting is "1", and removes the
// command and the window at disconnection.
class Connect : public QObject, public automation::AddinConnection, public ToolWindowOwner {
    Q_OBJECT
    Q_INTERFACES(automation::AddinConnection)
public:
    explicit Connect(QObject* parent = nullptr);
    ~Connect() override;

    // True from Show until Hide; the add-in itself never reads it.
    bool m_formDisplayed = false;
    // The Application handed over at connection.
    mappoint::ApplicationPtr g_oApp;

    // --- automation::AddinConnection ---------------------------------------------------
    void OnConnection(automation::ObjectPtr application, int connectMode, QObject* addInInst,
                      const QVariant& custom) override;
    void OnDisconnection(int removeMode, const QVariant& custom) override;

    // --- ToolWindowOwner --------------------------------------------------------------------
    mappoint::ApplicationPtr hostApplication() const override { return g_oApp; }

    // The tool window while it exists (tests, wiring).
    toolwindow::frmAddIn* toolWindow() const;

public slots:
    // Hides the tool window; it keeps its contents.
    void Hide() override;
    // Opens the tool window modally (the host's menu command calls this by name);
    // returns when the window is hidden or unloaded.
    void Show();

private:
    QPointer<toolwindow::frmAddIn> frmAddIn_;
};

} // namespace locastra
