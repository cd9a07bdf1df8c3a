#pragma once

namespace toolwindow {
class frmAddIn;
}

namespace tools {

// Connects the dataset tools, the balloon mode, the benchmark, the view, help and
// About commands to the tool window's menu entries and buttons.
void wireTools(toolwindow::frmAddIn& form);

} // namespace tools
