#pragma once

#include "Desktop.h"
#include "SettingsStore.h"

namespace desktop {

// The desktop services on a Qt desktop: Qt's message box, file and print dialogs,
// the system clipboard, the user's default handlers and text editor, and an INI
// settings file per application under the user's config folder.
class QtDesktop : public Desktop {
public:
    Button messageBox(const QString& text, const QString& title, Icon icon,
                      Buttons buttons) override;
    std::optional<QString> fileDialog(const FileDialogRequest& request) override;
    bool shellOpen(const QString& address) override;
    bool openInTextEditor(const QString& filePath) override;
    void setClipboardText(const QString& text) override;
    QString clipboardText() override;
    PrintRange printDocument(const PrintRequest& request, const QTextDocument& all,
                             const QTextDocument* selection) override;
    QString readSetting(const QString& application, const QString& section, const QString& key,
                        const QString& defaultValue) override;
    void writeSetting(const QString& application, const QString& section, const QString& key,
                      const QString& value) override;
    bool showHelp(const QString& helpFile, const QString& topic) override;

private:
    SettingsStore settings_;
};

} // namespace desktop
