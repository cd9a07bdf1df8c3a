#include "ResultListView.h"

#include "qtcompat/QtCompat.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace toolwindow {

ResultListView::ResultListView(QWidget* parent)
    : QListView(parent), header_(new QHeaderView(Qt::Horizontal, this)) {
    // A million rows stay cheap to show only with uniform item sizes.
    setUniformItemSizes(true);
    setLayoutMode(QListView::SinglePass);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(16, 16));
    header_->setStretchLastSection(true);
    header_->setSectionsClickable(false);
    header_->setObjectName(QStringLiteral("ListView1Header"));
    header_->hide();
}

void ResultListView::setModel(QAbstractItemModel* model) {
    QListView::setModel(model);
    header_->setModel(model);
}

void ResultListView::showColumnHeader() {
    header_->show();
    placeHeader();
}

void ResultListView::placeHeader() {
    if (header_->isHidden()) {
        setViewportMargins(0, 0, 0, 0);
        return;
    }
    const int height = header_->sizeHint().height();
    setViewportMargins(0, height, 0, 0);
    const QRect area = viewport()->geometry();
    header_->setGeometry(area.left(), area.top() - height, area.width(), height);
}

void ResultListView::resizeEvent(QResizeEvent* event) {
    QListView::resizeEvent(event);
    placeHeader();
}

void ResultListView::selectRowForMenu(const QPoint& at) {
    // As list views on every desktop do: a row outside the selection becomes the only
    // selected row, so the pop-up menu acts on what was clicked. A row already among
    // the selected rows keeps the selection, and so does a click beside the rows.
    const QModelIndex row = indexAt(at);
    if (!row.isValid() || selectionModel()->isSelected(row))
        return;
    selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
}

void ResultListView::mousePressEvent(QMouseEvent* event) {
    int button = 0;
    switch (event->button()) {
    case Qt::LeftButton:
        button = 1;
        break;
    case Qt::RightButton:
        button = 2;
        break;
    case Qt::MiddleButton:
        button = 4;
        break;
    default:
        break;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const int shift = (modifiers & Qt::ShiftModifier ? 1 : 0) |
                      (modifiers & Qt::ControlModifier ? 2 : 0) |
                      (modifiers & Qt::AltModifier ? 4 : 0);
    const QPoint at = qtcompat::position(event).toPoint();
    if (event->button() != Qt::RightButton)
        QListView::mousePressEvent(event);
    else
        selectRowForMenu(at);
    emit MouseDown(button, shift, at.x(), at.y());
}

} // namespace toolwindow
