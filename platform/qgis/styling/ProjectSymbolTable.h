#pragma once

#include <QImage>
#include <QString>
#include <cstdint>

class QgsProject;

namespace qgishost {

// The project's symbols: the 256 built-in ones and the custom symbols added from
// bitmap files, kept in the project's entries (scope "Locastra": name and PNG
// picture per custom symbol), so a saved project brings them back. Custom IDs run
// from 256 in the order the symbols were added. Failures throw automation::Error.
class ProjectSymbolTable {
public:
    explicit ProjectSymbolTable(QgsProject& project) : project_(project) {}

    bool has(int symbol) const;
    // Throws InvalidArgument for an ID the project does not have.
    void check(int symbol) const;
    int32_t customCount() const;
    int16_t customId(int32_t position) const;
    QString name(int16_t symbol) const;
    void setName(int16_t symbol, const QString& name);
    int16_t add(const QString& fileName);
    // The picture as drawn: at most CustomPictureMaxPixels wide and high.
    QImage picture(int16_t symbol) const;

    static constexpr int CustomPictureMaxPixels = 32;

private:
    QgsProject& project_;
};

} // namespace qgishost
