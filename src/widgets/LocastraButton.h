#pragma once

#include <QString>

class QWidget;
class chameleonButton;

// A button with the add-in's settings (look 14, colour scheme 1, face 0xC8D0D4, text 0,
// mask 0xC0C0C0, arrow pointer, focus rectangle on), so every window makes them alike.
chameleonButton* makeLocastraButton(QWidget* parent, const QString& caption,
                                    const QString& objectName);
