// Drawing cost of the add-in's look-14 button (120 x 25 pixels).
#include "widgets/LocastraButton.h"
#include "widgets/chameleonButton.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

struct Scene {
    std::unique_ptr<QWidget> top = std::make_unique<QWidget>();
    chameleonButton* button = nullptr;
    Scene() {
        top->resize(200, 60);
        button = makeLocastraButton(top.get(), "Get All", "ButtonShowAll");
        button->setGeometry(10, 10, 120, 25);
        top->show();
        QApplication::processEvents();
    }
};

// A forced redraw of the button's surface in the up state (what every state change costs).
void BM_Look14Redraw(benchmark::State& state) {
    Scene s;
    for (auto _ : state)
        s.button->Refresh();
    QApplication::processEvents();
}
BENCHMARK(BM_Look14Redraw)->Unit(benchmark::kMicrosecond);

// Redraw plus putting the surface on screen through a paint event.
void BM_Look14RedrawAndPaint(benchmark::State& state) {
    Scene s;
    QImage target(120, 25, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        s.button->Refresh();
        s.button->render(&target);
    }
}
BENCHMARK(BM_Look14RedrawAndPaint)->Unit(benchmark::kMicrosecond);

// A mouse move inside a hovered button: must cost next to nothing (no redraw).
void BM_MouseMoveInside(benchmark::State& state) {
    Scene s;
    const QPoint local(30, 12);
    const QPoint global = s.button->mapToGlobal(local);
    QMouseEvent move(QEvent::MouseMove, QPointF(local), QPointF(global), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(s.button, &move);
    for (auto _ : state)
        QApplication::sendEvent(s.button, &move);
    state.counters["redraws"] = s.button->drawCount();
}
BENCHMARK(BM_MouseMoveInside)->Unit(benchmark::kMicrosecond);

} // namespace
