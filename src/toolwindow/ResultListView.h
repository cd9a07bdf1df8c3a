#pragma once

#include <QListView>

class QHeaderView;

namespace toolwindow {

// The Result list: a list view over ResultListModel with one column header above
// the rows (added when the window loads) and the classic mouse-down notification
// (button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt). The right button
// selects the row under the pointer when it is not selected, then notifies.
class ResultListView : public QListView {
    Q_OBJECT
public:
    explicit ResultListView(QWidget* parent = nullptr);

    // Shows the model's column header, as wide as the list.
    void showColumnHeader();
    QHeaderView* header() const { return header_; }
    void setModel(QAbstractItemModel* model) override;

signals:
    void MouseDown(int button, int shift, int x, int y);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeHeader();
    void selectRowForMenu(const QPoint& at);

    QHeaderView* header_;
};

} // namespace toolwindow
