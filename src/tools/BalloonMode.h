#pragma once

namespace toolwindow {
class frmAddIn;
}

namespace tools {

// The balloon state the option buttons Option1 ask for: 2, 1, 0 for indices 0, 1, 2;
// 0 when none is selected.
int ChosenBalloonState(const toolwindow::frmAddIn& form);
// cmdChange: sets the balloon of every pushpin of the chosen dataset(s) ("All": every
// dataset) to the chosen state. Failing steps are skipped; nothing is reported.
void ChangeBalloons(toolwindow::frmAddIn& form);

} // namespace tools
