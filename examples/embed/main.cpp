// A small Qt Widgets program that embeds the waterfall control: the control's
// widget sits in an ordinary layout next to plain Qt controls, and a worker
// thread feeds it spectra.
//
//   embed           opens the window; closing it stops the feeder
//   embed --check   feeds a bounded number of rows, checks that they were
//                   painted, and exits 0 when they were

#include "SpectrumFeeder.h"

#include "dialogs/KvWaterfallPropertiesFormUnit.h"
#include "platform/Persistent.h"
#include "waterfall/KvLevelColors.h"
#include "waterfall/KvWaterfall.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>
#include <memory>
#include <unordered_set>

namespace {

// The window: the waterfall above a row of controls that change it.
std::unique_ptr<QMainWindow> MakeWindow(TKvWaterfall& AWaterfall) {
    auto window = std::make_unique<QMainWindow>();
    window->setWindowTitle(QStringLiteral("Embedded waterfall"));
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(AWaterfall.Widget(), 1); // the layout's widget now belongs to the window

    auto* controls = new QHBoxLayout;
    auto* hold = new QPushButton(QStringLiteral("Hold"));
    hold->setCheckable(true);
    QObject::connect(hold, &QPushButton::toggled,
                     [&AWaterfall](bool on) { AWaterfall.SetHold(on); });
    controls->addWidget(hold);

    controls->addWidget(new QLabel(QStringLiteral("History")));
    auto* depth = new QSlider(Qt::Horizontal);
    depth->setRange(16, 1024);
    depth->setValue(AWaterfall.GetXAxisObject()->GetSamples());
    QObject::connect(depth, &QSlider::valueChanged,
                     [&AWaterfall](int rows) { AWaterfall.GetXAxisObject()->SetSamples(rows); });
    controls->addWidget(depth, 1);

    auto* scale = new QComboBox;
    scale->addItems({QStringLiteral("Colour ramp"), QStringLiteral("Grey scale")});
    QObject::connect(scale, &QComboBox::currentIndexChanged, [&AWaterfall](int index) {
        AWaterfall.GetLevels()->SetGrayScale(index == 1);
    });
    controls->addWidget(scale);

    auto* save = new QPushButton(QStringLiteral("Save picture"));
    QObject::connect(save, &QPushButton::clicked,
                     [&AWaterfall] { AWaterfall.SaveToJpeg(QStringLiteral("waterfall.jpg")); });
    controls->addWidget(save);

    layout->addLayout(controls);
    window->setCentralWidget(central);
    window->resize(800, 500);
    return window;
}

// Whether most of the plot shows colours of the built-in ramp other than
// its black bottom, i.e. the rows arrived and were painted.
bool PlotShowsRows(TKvWaterfall& AWaterfall) {
    std::unordered_set<QRgb> ramp;
    for (uint32_t s = 1; s <= LevelRampSteps; ++s) {
        const uint32_t c = LevelRampColor(s);
        ramp.insert(qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)));
    }
    const QImage picture =
        AWaterfall.Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const TRect plot = AWaterfall.DataView()->DrawRect();
    if (plot.IsEmpty())
        return false;
    int inRamp = 0;
    for (int y = plot.Top; y < plot.Bottom; ++y)
        for (int x = plot.Left; x < plot.Right; ++x)
            inRamp += ramp.count(picture.pixel(x, y) | 0xFF000000u) ? 1 : 0;
    return inRamp * 2 > plot.Width() * plot.Height();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool check = argc > 1 && QByteArray(argv[1]) == "--check";
    // the control's toolbar, axis titles and level caption open its settings
    KvRegisterWaterfallDialogs();

    // The control is ours to free; its widget belongs to the window's layout.
    TOwned<TKvWaterfall> waterfall = MakeOwned<TKvWaterfall>(nullptr);
    waterfall->GetTitle()->SetText(QStringLiteral("Synthetic spectrum"));
    std::unique_ptr<QMainWindow> window = MakeWindow(*waterfall);
    window->show();

    int result = 0;
    {
        SpectrumFeeder feeder(*waterfall, check ? 0 : 20, check ? 300 : 0);
        if (check) {
            // meanwhile a user resizes the window, hides and shows it, and
            // moves the waterfall into another window and back
            QWidget* plot = waterfall->Widget();
            QWidget* home = plot->parentWidget();
            QWidget other;
            auto* otherLayout = new QVBoxLayout(&other);
            bool followed = false, movedBack = false;
            QTimer::singleShot(300, [&] {
                const QSize before = plot->size();
                window->resize(640, 420);
                QApplication::processEvents();
                followed = plot->width() < before.width() && plot->height() < before.height();
            });
            QTimer::singleShot(500, [&] { window->hide(); });
            QTimer::singleShot(700, [&] { window->show(); });
            QTimer::singleShot(900, [&] {
                otherLayout->addWidget(plot);
                other.show();
            });
            QTimer::singleShot(1100, [&] {
                static_cast<QVBoxLayout*>(home->layout())->insertWidget(0, plot, 1);
                other.hide();
                movedBack = true;
            });
            // poll until the rows are in and painted, for at most 20 s
            QElapsedTimer clock;
            clock.start();
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, [&] {
                const bool done = feeder.RowsSent() == 300 && followed && movedBack &&
                                  plot->parentWidget() == home && PlotShowsRows(*waterfall);
                if (done || clock.elapsed() > 20000) {
                    result = done ? 0 : 1;
                    app.quit();
                }
            });
            poll.start(100);
            app.exec();
            std::printf("embed: %u rows sent, %s, %s\n", feeder.RowsSent(),
                        followed ? "resized with the window" : "NOT resized with the window",
                        result == 0 ? "painted in ramp colours" : "NOT painted");
        } else {
            app.exec();
        }
        // the feeder stops here, before anything it feeds goes away
    }
    window.reset(); // deletes the waterfall's widget with the window
    waterfall.reset();
    return result;
}
