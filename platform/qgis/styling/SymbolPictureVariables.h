#pragma once

#include "ProjectSymbolTable.h"

#include <QObject>
#include <QSet>
#include <QString>

class QgsProject;

namespace qgishost {

// The pictures the data-defined marker draws, as project variables
// "locastra_symbol_<ID>" holding "base64:" PNG data: QGIS's image cache reads that
// form directly, and the project then draws its symbols wherever it is opened.
// Each picture sits centred on a transparent square of PictureSize pixels, so one
// marker size draws every symbol at its own size. Only symbols in use get a variable.
class SymbolPictureVariables {
public:
    static constexpr int PictureSize = ProjectSymbolTable::CustomPictureMaxPixels;
    static inline const QString Prefix = QStringLiteral("locastra_symbol_");

    SymbolPictureVariables(QgsProject& project, const ProjectSymbolTable& symbols);

    // Sets the symbol's variable unless it already holds the picture.
    void publish(int16_t symbol);

private:
    QgsProject& project_;
    const ProjectSymbolTable& symbols_;
    QSet<int> published_; // forgotten whenever the project's variables change
    QObject context_;
};

} // namespace qgishost
