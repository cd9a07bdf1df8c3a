#include "widgets/LocastraButton.h"

#include "widgets/chameleonButton.h"

chameleonButton* makeLocastraButton(QWidget* parent, const QString& caption,
                                    const QString& objectName) {
    auto* button = new chameleonButton(parent);
    button->setObjectName(objectName);
    button->applyAddinDefaults();
    button->setCaption(caption);
    return button;
}
