#include "Connect.h"

#include "FailureStyle.h"
#include "Settings.h"
#include "ToolWindowWiring.h"
#include "desktop/Desktop.h"
#include "mappoint/Application.h"
#include "toolwindow/frmAddIn.h"

namespace locastra {

Connect::Connect(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("Connect"));
}

Connect::~Connect() {
    delete frmAddIn_.data();
}

toolwindow::frmAddIn* Connect::toolWindow() const {
    return frmAddIn_.data();
}

void Connect::OnConnection(automation::ObjectPtr application, int connectMode, QObject*,
                           const QVariant&) {
    EndWithMessageOnFailure(
        [&] {
            g_oApp = std::dynamic_pointer_cast<mappoint::Application>(application);
            if (!g_oApp)
                throw automation::Error(automation::errors::NotSupported,
                                        QStringLiteral("Object doesn't support this property "
                                                       "or method"));
            g_oApp->AddCommand(QStringLiteral("Locastra..."), QStringLiteral("Show"), this);
            if (connectMode != automation::ConnectAfterStartup)
                return;
            const QString display = desktop::services().readSetting(
                AppTitle, SettingsSection, QStringLiteral("DisplayOnConnect"), QStringLiteral("0"));
            if (display == QStringLiteral("1"))
                Show();
        },
        AppTitle, desktop::Icon::None);
}

void Connect::OnDisconnection(int, const QVariant&) {
    Step([&] {
        if (g_oApp)
            g_oApp->RemoveCommands(this);
    });
    Step([&] {
        if (frmAddIn_)
            frmAddIn_->Unload();
    });
    Step([&] {
        // A loop of the window may still be on the stack: delete once it has unwound.
        if (frmAddIn_)
            frmAddIn_->deleteLater();
        frmAddIn_.clear();
    });
}

void Connect::Show() {
    // A window unloaded by File > Exit is gone; the next Show loads a fresh one.
    Step([&] {
        if (frmAddIn_ && frmAddIn_->isUnloaded()) {
            frmAddIn_->deleteLater();
            frmAddIn_.clear();
        }
        if (!frmAddIn_) {
            frmAddIn_ = new toolwindow::frmAddIn();
            WireToolWindow(*frmAddIn_);
        }
    });
    Step([&] {
        frmAddIn_->g_oApp = g_oApp;
        frmAddIn_->Connect = this;
    });
    m_formDisplayed = true;
    Step([&] {
        // Already open: the command cannot run twice at once.
        if (frmAddIn_->isVisible())
            return;
        const QPointer<toolwindow::frmAddIn> window = frmAddIn_;
        window->ShowModal();
        if (window && window->isUnloaded() && window == frmAddIn_) {
            window->deleteLater();
            frmAddIn_.clear();
        }
    });
}

void Connect::Hide() {
    m_formDisplayed = false;
    Step([&] {
        if (frmAddIn_)
            frmAddIn_->hide();
    });
}

} // namespace locastra
