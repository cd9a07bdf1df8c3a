#pragma once

class QWidget;

// Alt with a letter that no access key or shortcut takes reaches the focused widget as
// a key with text, and Qt's text inputs would type that letter: Alt+D in a search box
// turned "fiji" into "fijid". Desktop text boxes type nothing for it; this does the same
// for every text input of a window (line edits, text edits, combo boxes and their edit
// fields, spin boxes) that exists when it is called. AltGr, which some systems report as
// Ctrl+Alt, still types its character.
void GuardTextInputsFromAltKeys(QWidget* window);
