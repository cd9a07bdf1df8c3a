#pragma once

#include <QString>

class chameleonButton;

namespace toolwindow {

class frmAddIn;

// The button of a long command that handles the window's messages while it runs:
// Find's, and Get All's (which the GIS file export borrows). While the command runs
// the button reads "Stop" and the pointer is the hourglass; a click on the button then
// is the Stop click, which sets the Stop flag that ends the running loop.
class StopButton {
public:
    static StopButton find(frmAddIn& form);   // cmdFindPushpin, "Find"
    static StopButton getAll(frmAddIn& form); // ButtonShowAll, "Get All"

    // Whether the button reads "Stop": a click on it now is the Stop click.
    bool readsStop() const;
    // The Stop click: sets the Stop flag and gives the button its caption back.
    void stop();
    // The command starts: the button reads "Stop", the Stop flag is cleared and the
    // pointer is the hourglass.
    void start();
    // The command ends: the progress bar is hidden, the caption and the pointer are
    // back.
    void end();

private:
    StopButton(frmAddIn& form, chameleonButton& button, const QString& caption)
        : form_(form), button_(button), caption_(caption) {}

    frmAddIn& form_;
    chameleonButton& button_;
    const QString& caption_;
};

} // namespace toolwindow
