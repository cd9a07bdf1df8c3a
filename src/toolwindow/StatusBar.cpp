#include "StatusBar.h"

#include <QPainter>
#include <stdexcept>

namespace toolwindow {

namespace {
constexpr int Margin = 2;
}

StatusBar::StatusBar(int panelCount, QWidget* parent)
    : QWidget(parent), panels_(std::max(1, panelCount)) {}

StatusBar::Panel& StatusBar::at(int panel) {
    if (panel < 1 || panel > panels_.size())
        throw std::out_of_range("no such status bar panel");
    return panels_[panel - 1];
}

const StatusBar::Panel& StatusBar::at(int panel) const {
    return const_cast<StatusBar*>(this)->at(panel);
}

QString StatusBar::panelText(int panel) const {
    return at(panel).text;
}

void StatusBar::setPanelText(int panel, const QString& text) {
    Panel& p = at(panel);
    if (p.text == text)
        return;
    p.text = text;
    update(panelRect(panel));
    emit panelTextChanged(panel, text);
}

int StatusBar::panelBevel(int panel) const {
    return at(panel).bevel;
}

void StatusBar::setPanelBevel(int panel, int bevel) {
    at(panel).bevel = bevel;
    update();
}

QRect StatusBar::panelRect(int panel) const {
    at(panel);
    const int count = static_cast<int>(panels_.size());
    const int usable = std::max(0, width() - Margin * (count + 1));
    const int each = usable / count;
    const int left = Margin + (panel - 1) * (each + Margin);
    const int panelWidth = panel == count ? usable - each * (count - 1) : each;
    return QRect(left, Margin, panelWidth, std::max(0, height() - 2 * Margin));
}

void StatusBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    for (int i = 1; i <= panels_.size(); ++i) {
        const Panel& panel = panels_[i - 1];
        const QRect area = panelRect(i);
        if (panel.bevel != NoBevel) {
            const QColor dark = palette().color(QPalette::Dark);
            const QColor light = palette().color(QPalette::Light);
            const bool inset = panel.bevel == Inset;
            painter.setPen(inset ? dark : light);
            painter.drawLine(area.topLeft(), area.topRight());
            painter.drawLine(area.topLeft(), area.bottomLeft());
            painter.setPen(inset ? light : dark);
            painter.drawLine(area.bottomLeft(), area.bottomRight());
            painter.drawLine(area.topRight(), area.bottomRight());
        }
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(area.adjusted(3, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter, panel.text);
    }
}

} // namespace toolwindow
