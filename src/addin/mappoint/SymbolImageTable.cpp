#include "SymbolImageTable.h"

#include "mappoint/SymbolPictures.h"

namespace locastra {

namespace {
struct SharedPictures {
    QVector<QPixmap> pictures;
    QVector<QIcon> icons;
    SharedPictures() {
        pictures.reserve(SymbolImageTable::Size);
        icons.reserve(SymbolImageTable::Size);
        for (int id = 0; id < SymbolImageTable::Size; ++id) {
            pictures.append(QPixmap::fromImage(mappoint::BuiltInSymbolPicture(id)));
            icons.append(QIcon(pictures.back()));
        }
    }
};

const SharedPictures& shared() {
    static const SharedPictures s;
    return s;
}
} // namespace

SymbolImageTable::SymbolImageTable() : pictures_(shared().pictures), icons_(shared().icons) {}

const QPixmap& SymbolImageTable::picture(int index) const {
    return pictures_[index >= 1 && index <= Size ? index - 1 : 0];
}

const QIcon& SymbolImageTable::icon(int index) const {
    return icons_[index >= 1 && index <= Size ? index - 1 : 0];
}

} // namespace locastra
