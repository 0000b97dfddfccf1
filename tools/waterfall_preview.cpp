// Shows a waterfall in a window fed with a moving synthetic spectrum, for
// looking at the control by eye.

#include "waterfall/KvWaterfall.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cmath>
#include <vector>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Waterfall preview"));
    window.resize(586, 350);
    auto waterfall = MakeOwned<TKvWaterfall>(nullptr);
    waterfall->Widget()->setParent(&window);
    waterfall->SetBounds(0, 0, 586, 350);
    waterfall->GetXAxisObject()->SetSamples(256);
    window.show();

    int tick = 0;
    QTimer feeder;
    QObject::connect(&feeder, &QTimer::timeout, [&] {
        std::vector<double> row(128);
        const double peak = 64 + 40 * std::sin(tick * 0.05);
        for (size_t i = 0; i < row.size(); ++i) {
            const double d = (double(i) - peak) / 4.0;
            row[i] = 1000.0 * std::exp(-d * d) + 50.0 * (1 + std::sin(double(i) * 0.7 + tick));
        }
        ++tick;
        waterfall->Data().AddData(row.data(), static_cast<uint32_t>(row.size()));
    });
    feeder.start(20);
    const int result = app.exec();
    waterfall.reset();
    return result;
}
