#pragma once

#include <QIcon>
#include <QPixmap>
#include <QVector>

namespace locastra {

// The Symbol image table: 256 pictures of 16 x 16 pixels, picture n + 1 showing the
// host's built-in symbol n. Each window that shows symbols holds one (cheap: the
// pixmaps are implicitly shared).
class SymbolImageTable {
public:
    SymbolImageTable();

    static constexpr int Size = 256;
    // Picture by 1-based index; an index outside 1..256 gives picture 1.
    const QPixmap& picture(int index) const;
    const QIcon& icon(int index) const;

private:
    QVector<QPixmap> pictures_;
    QVector<QIcon> icons_;
};

} // namespace locastra
