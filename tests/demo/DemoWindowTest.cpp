// The real demo executable on a virtual X display: its window, what it
// draws, that it plays, and that a mouse drag zooms. Expected pixels come
// from the rules (the level ramp's colours, white labels), never from a
// stored picture. The screenshots are left next to this test's build.
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QThread>
#include <gtest/gtest.h>
#include <optional>

namespace {

constexpr int WindowWidth = 586;
constexpr int WindowHeight = 350;

// A colour of the built-in level ramp, brighter than its first step (black):
// black-blue, blue-cyan, cyan-green, green-yellow, yellow-red, red to red
// with half blue.
bool IsRampColour(QRgb APixel) {
    const int r = qRed(APixel), g = qGreen(APixel), b = qBlue(APixel);
    if (r == 0 && g == 0)
        return b > 0;
    if (r == 0 && b == 255)
        return true; // blue to cyan
    if (r == 0 && g == 255)
        return true; // cyan to green
    if (g == 255 && b == 0)
        return true; // green to yellow
    if (r == 255 && b == 0)
        return true; // yellow to red
    return r == 255 && g == 0 && b <= 128;
}

bool IsWhite(QRgb APixel) {
    return (APixel & 0xFFFFFFu) == 0xFFFFFFu;
}

class TChild {
public:
    TChild() { Process.setProcessChannelMode(QProcess::SeparateChannels); }
    ~TChild() {
        if (Process.state() != QProcess::NotRunning) {
            Process.kill();
            Process.waitForFinished(5000);
        }
    }
    QProcess Process;
};

// Runs a tool to its end; its standard output, or nothing when it failed.
std::optional<QByteArray> RunTool(const QProcessEnvironment& AEnvironment, const QString& AProgram,
                                  const QStringList& AArguments, int ATimeoutMs = 30000) {
    QProcess process;
    process.setProcessEnvironment(AEnvironment);
    process.start(AProgram, AArguments);
    if (!process.waitForFinished(ATimeoutMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        ADD_FAILURE() << AProgram.toStdString() << " " << AArguments.join(' ').toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return std::nullopt;
    }
    return process.readAllStandardOutput();
}

class DemoWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Xvfb picks a free display and tells its number on the descriptor.
        Xvfb.Process.start(QStringLiteral("Xvfb"),
                           {QStringLiteral("-displayfd"), QStringLiteral("1"),
                            QStringLiteral("-screen"), QStringLiteral("0"),
                            QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                            QStringLiteral("tcp")});
        ASSERT_TRUE(Xvfb.Process.waitForStarted(10000)) << "Xvfb is missing (install-deps.sh)";
        QByteArray number;
        while (!number.contains('\n') && Xvfb.Process.waitForReadyRead(30000))
            number += Xvfb.Process.readAllStandardOutput();
        ASSERT_TRUE(number.contains('\n')) << Xvfb.Process.readAllStandardError().toStdString();
        Environment = QProcessEnvironment::systemEnvironment();
        Environment.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + number.trimmed());
        Environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));

        Demo.Process.setProcessEnvironment(Environment);
        Demo.Process.setWorkingDirectory(QStringLiteral(KV_DEMO_DIR));
        Demo.Process.start(QStringLiteral(KV_DEMO_EXE), {});
        ASSERT_TRUE(Demo.Process.waitForStarted(10000));
        const std::optional<QByteArray> found = RunTool(
            Environment, QStringLiteral("xdotool"),
            {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
             QStringLiteral("--name"), QStringLiteral("^Simple Waterfall Demo$")},
            60000);
        ASSERT_TRUE(found && !found->trimmed().isEmpty());
        Window = QString::fromLatin1(found->trimmed().split('\n').first());
        // The pointer starts in the middle of the screen, over the window;
        // a read-out there would cover parts of the picture.
        ASSERT_TRUE(MouseAway());
    }

    // To the screen's corner, outside the window (stored at 100, 100).
    bool MouseAway() {
        return Xdotool({QStringLiteral("mousemove"), QStringLiteral("0"), QStringLiteral("0")});
    }

    QImage Screenshot(const QString& AName) {
        const QString file = QStringLiteral(KV_DEMO_SHOTS "/") + AName + QStringLiteral(".png");
        if (!RunTool(Environment, QStringLiteral("import"),
                     {QStringLiteral("-window"), Window, file}))
            return {};
        return QImage(file).convertToFormat(QImage::Format_RGB32);
    }

    bool Xdotool(const QStringList& AArguments) {
        return RunTool(Environment, QStringLiteral("xdotool"), AArguments).has_value();
    }

    TChild Xvfb;
    TChild Demo;
    QProcessEnvironment Environment;
    QString Window;
};

int CountIn(const QImage& AImage, const QRect& ARect, bool (*APredicate)(QRgb)) {
    int n = 0;
    const QRect r = ARect.intersected(AImage.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += APredicate(AImage.pixel(x, y)) ? 1 : 0;
    return n;
}

// The plot: the widest run of columns that are mostly ramp colours, and
// within it the rows that are. The colour bar is a narrower run.
QRect FindPlot(const QImage& AImage) {
    auto columnIsRamp = [&](int x) {
        return CountIn(AImage, QRect(x, 0, 1, AImage.height()), IsRampColour) > AImage.height() / 3;
    };
    int bestLeft = 0, bestWidth = 0;
    for (int x = 0; x < AImage.width();) {
        if (!columnIsRamp(x)) {
            ++x;
            continue;
        }
        const int left = x;
        while (x < AImage.width() && columnIsRamp(x))
            ++x;
        if (x - left > bestWidth) {
            bestLeft = left;
            bestWidth = x - left;
        }
    }
    if (bestWidth == 0)
        return {};
    int top = -1, bottom = -1;
    for (int y = 0; y < AImage.height(); ++y)
        if (CountIn(AImage, QRect(bestLeft, y, bestWidth, 1), IsRampColour) > bestWidth / 2) {
            if (top < 0)
                top = y;
            bottom = y;
        }
    return QRect(QPoint(bestLeft, top), QPoint(bestLeft + bestWidth - 1, bottom));
}

// Text rather than a line: white pixels spread over several rows and columns.
bool HasText(const QImage& AImage, const QRect& ARect) {
    const QRect r = ARect.intersected(AImage.rect());
    int rows = 0, columns = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        rows += CountIn(AImage, QRect(r.left(), y, r.width(), 1), IsWhite) > 0 ? 1 : 0;
    for (int x = r.left(); x <= r.right(); ++x)
        columns += CountIn(AImage, QRect(x, r.top(), 1, r.height()), IsWhite) > 0 ? 1 : 0;
    return rows >= 5 && columns >= 10;
}

bool SameIn(const QImage& A, const QImage& B, const QRect& ARect) {
    return A.copy(ARect) == B.copy(ARect);
}

} // namespace

TEST_F(DemoWindowTest, PlaysRowsWithTitleAndAxesAndZoomsOnADrag) {
    // Rows arrive every 20 ms and show at the next refresh; until the
    // history is full they only extend the picture. Wait (bounded) until the
    // plot stops growing, then look.
    QImage first;
    QRect plot;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 60000) {
        first = Screenshot(QStringLiteral("demo-first"));
        ASSERT_FALSE(first.isNull());
        const QRect previous = plot;
        plot = FindPlot(first);
        if (plot.width() > 100 && plot.height() > 100 && plot == previous)
            break;
        QThread::msleep(300);
    }
    EXPECT_EQ(first.size(), QSize(WindowWidth, WindowHeight));
    ASSERT_GT(plot.width(), 100) << "no plot of ramp colours";
    ASSERT_GT(plot.height(), 100);
    // Not only the display colour: most of the plot is ramp colours.
    EXPECT_GT(CountIn(first, plot, IsRampColour), plot.width() * plot.height() / 2);

    // Title above the plot, value axis left of it, history axis below; the
    // strips leave out the ticks next to the plot's edge.
    const QRect title(0, 0, WindowWidth, plot.top() - 4);
    const QRect leftAxis(0, plot.top(), plot.left() - 8, plot.height());
    const QRect bottomAxis(plot.left(), plot.bottom() + 8, plot.width(),
                           WindowHeight - plot.bottom() - 8);
    EXPECT_TRUE(HasText(first, title));
    EXPECT_TRUE(HasText(first, leftAxis));
    EXPECT_TRUE(HasText(first, bottomAxis));

    // A second later the rows have moved on; the axes stay as they were.
    QThread::msleep(1000);
    const QImage second = Screenshot(QStringLiteral("demo-second"));
    ASSERT_FALSE(second.isNull());
    // (Should the history not be full yet, the plot has grown instead.)
    EXPECT_FALSE(SameIn(first, second, plot.united(FindPlot(second))));
    EXPECT_TRUE(SameIn(first, second, leftAxis));
    EXPECT_TRUE(SameIn(first, second, bottomAxis));

    // Drag a rectangle inside the plot with the left button.
    const QPoint from = plot.topLeft() + QPoint(plot.width() / 4, plot.height() / 4);
    const QPoint to = plot.topLeft() + QPoint(plot.width() * 3 / 5, plot.height() * 2 / 3);
    auto n = [](int v) { return QString::number(v); };
    ASSERT_TRUE(Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), Window,
                         n(from.x()), n(from.y())}));
    ASSERT_TRUE(Xdotool({QStringLiteral("mousedown"), QStringLiteral("1")}));
    for (int step = 1; step <= 4; ++step) {
        const QPoint at = from + (to - from) * step / 4;
        ASSERT_TRUE(Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), Window,
                             n(at.x()), n(at.y())}));
    }
    ASSERT_TRUE(Xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}));
    // Move the mouse off the plot so that no read-out covers what we compare.
    ASSERT_TRUE(MouseAway());

    // Zoomed: both axes show other labels (bounded wait for the repaint).
    QImage zoomed;
    waited.restart();
    while (waited.elapsed() < 30000) {
        zoomed = Screenshot(QStringLiteral("demo-zoomed"));
        ASSERT_FALSE(zoomed.isNull());
        if (!SameIn(second, zoomed, leftAxis) && !SameIn(second, zoomed, bottomAxis))
            break;
        QThread::msleep(200);
    }
    EXPECT_FALSE(SameIn(second, zoomed, leftAxis));
    EXPECT_FALSE(SameIn(second, zoomed, bottomAxis));
    EXPECT_GT(CountIn(zoomed, plot, IsRampColour), plot.width() * plot.height() / 2);
    EXPECT_EQ(Demo.Process.state(), QProcess::Running);
}
