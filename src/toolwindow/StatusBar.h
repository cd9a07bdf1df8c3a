#pragma once

#include <QString>
#include <QVector>
#include <QWidget>

namespace toolwindow {

// A status bar of text panels, each with its bevel (0 none, 1 inset, 2 raised).
// Panels are numbered from 1; the last panel takes the remaining width.
class StatusBar : public QWidget {
    Q_OBJECT
public:
    enum Bevel { NoBevel = 0, Inset = 1, Raised = 2 };

    explicit StatusBar(int panelCount = 1, QWidget* parent = nullptr);

    int panelCount() const { return static_cast<int>(panels_.size()); }
    // Out-of-range panel numbers throw std::out_of_range.
    QString panelText(int panel) const;
    void setPanelText(int panel, const QString& text);
    int panelBevel(int panel) const;
    void setPanelBevel(int panel, int bevel);
    // The panel's place in the bar, in pixels.
    QRect panelRect(int panel) const;

signals:
    void panelTextChanged(int panel, const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Panel {
        QString text;
        int bevel = Inset;
    };
    Panel& at(int panel);
    const Panel& at(int panel) const;

    QVector<Panel> panels_;
};

} // namespace toolwindow
