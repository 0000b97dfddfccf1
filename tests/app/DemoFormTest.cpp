// The demo's form: its stored layout, and its handlers playing data files
// into the real waterfall, with the ticks driven by the test.
#include "app/DemoFeeder.h"
#include "app/Unit1.h"
#include "platform/Application.h"
#include "platform/StoredForm.h"
#include "platform/Timer.h"
#include "waterfall/KvWaterfall.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QMetaProperty>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {

// The value at a dotted property path, read through the meta-object system
// as the stored form writes it.
QVariant PropertyAt(QObject* ARoot, const QString& APath) {
    QObject* object = ARoot;
    const QStringList parts = APath.split(QLatin1Char('.'));
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        auto* component = qobject_cast<TComponent*>(object);
        TComponent* owned = component ? component->FindComponent(parts[i]) : nullptr;
        object = owned ? owned : object->property(parts[i].toLatin1()).value<QObject*>();
        if (!object)
            return {};
    }
    const QMetaObject* meta = object->metaObject();
    const int index = meta->indexOfProperty(parts.last().toLatin1());
    if (index < 0)
        return {};
    const QMetaProperty property = meta->property(index);
    const QVariant value = property.read(object);
    if (property.isEnumType())
        return QString::fromLatin1(property.enumerator().valueToKey(value.toInt()));
    return value;
}

// Frame f of the test files: value i is f * 1000 + i.
QByteArray Frames(int ACount) {
    QByteArray bytes(ACount * DemoFrameBytes, '\0');
    for (int f = 0; f < ACount; ++f)
        for (uint32_t i = 0; i < DemoFrameValues; ++i)
            qToLittleEndian<double>(f * 1000.0 + i,
                                    bytes.data() + f * DemoFrameBytes + i * sizeof(double));
    return bytes;
}

std::vector<double> Row(const TKvRealBufferPtr& ABuffer) {
    const double* values = ABuffer->Read();
    return std::vector<double>(values, values + ABuffer->GetSize());
}

std::vector<double> FrameRow(int AFrame) {
    std::vector<double> row(DemoFrameValues);
    for (uint32_t i = 0; i < DemoFrameValues; ++i)
        row[i] = AFrame * 1000.0 + i;
    return row;
}

// A form created as the program creates it, in a folder of its own that
// holds (or lacks) the data file.
class DemoFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        Previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(Dir.path()));
    }
    void TearDown() override { QDir::setCurrent(Previous); }

    void WriteData(const QByteArray& ABytes) {
        QFile file(Dir.filePath(QStringLiteral("FFTDemoData.bin")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ABytes);
    }
    TForm1* Create() { return Application.CreateForm<TForm1>(); }
    std::vector<std::vector<double>> Rows(TForm1* AForm) {
        std::vector<std::vector<double>> rows;
        for (const TKvRealBufferPtr& row : AForm->KvWaterfall1->Data().GetData())
            rows.push_back(Row(row));
        return rows;
    }

    QTemporaryDir Dir;
    QString Previous;
    TApplication Application;
};

} // namespace

TEST_F(DemoFormTest, TheStoredLayoutHoldsTheFormsValues) {
    WriteData(Frames(1));
    TForm1* form = Create();
    EXPECT_EQ(form->GetName(), QStringLiteral("Form1"));
    EXPECT_EQ(form->Caption(), QStringLiteral("Simple Waterfall Demo"));
    EXPECT_EQ(form->ClientWidth(), 586);
    EXPECT_EQ(form->ClientHeight(), 350);
    EXPECT_EQ(form->Timer1->Interval(), 20u);
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_TRUE(form->Timer1->OnTimer());
    auto* control = static_cast<TControl*>(form->KvWaterfall1);
    EXPECT_EQ(control->Parent(), form);
    EXPECT_EQ(control->BoundsRect(), Rect(0, 0, 586, 350));

    const std::vector<std::pair<const char*, QVariant>> values = {
        {"Left", 100},
        {"Top", 100},
        {"Color", static_cast<int>(clBtnFace)},
        {"Font.Name", QStringLiteral("MS Sans Serif")},
        {"Font.Height", -11},
        {"PixelsPerInch", 96},
        {"KvWaterfall1.Align", QStringLiteral("alClient")},
        {"KvWaterfall1.TabOrder", 0},
        {"KvWaterfall1.Title.Align", QStringLiteral("vaTop")},
        {"KvWaterfall1.Title.Text", QStringLiteral("Waterfall")},
        {"KvWaterfall1.Title.Font.Name", QStringLiteral("Arial")},
        {"KvWaterfall1.Title.Font.Height", -21},
        {"KvWaterfall1.Title.Font.Color", static_cast<int>(clWhite)},
        {"KvWaterfall1.XAxis.Align", QStringLiteral("vaBottom")},
        {"KvWaterfall1.XAxis.MajorTicks.Step", 10.0},
        {"KvWaterfall1.XAxis.Format.Precision", 0},
        {"KvWaterfall1.XAxis.Max.Value", 1024.0},
        {"KvWaterfall1.XAxis.Max.Tick.Value", 1024.0},
        {"KvWaterfall1.XAxis.Min.Range.Low.Value", -1000.0},
        {"KvWaterfall1.XAxis.Min.Range.Low.Enabled", false},
        {"KvWaterfall1.XAxis.Zooming.Range.Low.Value", 1e-07},
        {"KvWaterfall1.XAxis.Zooming.Range.Low.Enabled", true},
        {"KvWaterfall1.XAxis.Zooming.Range.High.Value", 100000000.0},
        {"KvWaterfall1.XAxis.AxisLabel.Font.Height", -13},
        {"KvWaterfall1.XAxis.Samples", 256},
        {"KvWaterfall1.YAxis.Align", QStringLiteral("vaLeft")},
        {"KvWaterfall1.YAxis.Format.Precision", 3},
        {"KvWaterfall1.YAxis.Min.Value", -1000.0},
        {"KvWaterfall1.YAxis.Min.DataValue", -1000.0},
        {"KvWaterfall1.YAxis.Min.Tick.Value", 0.0},
        {"KvWaterfall1.YAxis.Max.Value", 1000.0},
        {"KvWaterfall1.YAxis.Max.Tick.Value", 500.0},
        {"KvWaterfall1.YAxis.TicksMode", QStringLiteral("atmAuto")},
        {"KvWaterfall1.Legend.Align", QStringLiteral("vaRight")},
        {"KvWaterfall1.Legend.MarkerGroups.Caption.Font.Height", -13},
        {"KvWaterfall1.Highlighting.MouseHitPoint.PointLabel.Font.Height", -11},
        {"KvWaterfall1.Highlighting.MouseHitPoint.PointLabel.Font.Name", QStringLiteral("Arial")},
        {"KvWaterfall1.Levels.Align", QStringLiteral("vaRight")},
        {"KvWaterfall1.Levels.Axis.Min", 0.0},
        {"KvWaterfall1.Levels.Axis.Max", 1000.0},
        {"KvWaterfall1.Levels.Axis.FixedPrecision", false},
        {"KvWaterfall1.Levels.LevelLabel.Text", QStringLiteral("Levels")},
        {"KvWaterfall1.Levels.LevelLabel.Font.Height", -13},
    };
    for (const auto& [path, expected] : values) {
        const QVariant actual = PropertyAt(form, QString::fromLatin1(path));
        EXPECT_EQ(actual.toString().toStdString(), expected.toString().toStdString()) << path;
    }

    // No marker groups, and the empty list is written back between the
    // legend and the highlighting.
    EXPECT_EQ(form->KvWaterfall1->GetMarkerGroups()->Count(), 0);
    const QString written = ComponentToText(form);
    const qsizetype legend =
        written.indexOf(QStringLiteral("Legend.MarkerGroups.Caption.Font.Style"));
    const qsizetype groups = written.indexOf(QStringLiteral("\n    MarkerGroups = <>\n"));
    const qsizetype highlighting = written.indexOf(QStringLiteral("Highlighting."));
    EXPECT_GE(legend, 0);
    EXPECT_LT(legend, groups);
    EXPECT_LT(groups, highlighting);
}

TEST_F(DemoFormTest, TicksPlayTheFramesInOrderThenFromTheStart) {
    WriteData(Frames(3));
    TForm1* form = Create();
    ASSERT_TRUE(form->FileOpen());
    for (int tick = 0; tick < 4; ++tick)
        form->Timer1Timer(form->Timer1);
    EXPECT_EQ(Rows(form), (std::vector<std::vector<double>>{FrameRow(0), FrameRow(1), FrameRow(2),
                                                            FrameRow(0)}));
}

TEST_F(DemoFormTest, OneFrameRepeatsAndTheHistoryStopsAt256Rows) {
    WriteData(Frames(1));
    TForm1* form = Create();
    for (int tick = 0; tick < 3; ++tick)
        form->Timer1Timer(form->Timer1);
    EXPECT_EQ(Rows(form), (std::vector<std::vector<double>>(3, FrameRow(0))));
    for (int tick = 3; tick < 256; ++tick)
        form->Timer1Timer(form->Timer1);
    EXPECT_EQ(Rows(form).size(), 256u);
    for (int tick = 0; tick < 10; ++tick)
        form->Timer1Timer(form->Timer1);
    EXPECT_EQ(Rows(form).size(), 256u);
}

TEST_F(DemoFormTest, AShortLastFrameShowsZerosAndAnEmptyFileNothing) {
    QByteArray bytes = Frames(2).left(DemoFrameBytes + 8 * 3 + 5);
    WriteData(bytes);
    TForm1* form = Create();
    for (int tick = 0; tick < 3; ++tick)
        form->Timer1Timer(form->Timer1);
    std::vector<double> partial(DemoFrameValues, 0.0);
    for (uint32_t i = 0; i < 3; ++i)
        partial[i] = 1000.0 + i;
    unsigned char last[8] = {};
    std::memcpy(last, bytes.constData() + DemoFrameBytes + 24, 5);
    partial[3] = qFromLittleEndian<double>(last);
    const auto rows = Rows(form);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], FrameRow(0));
    EXPECT_EQ(rows[1], partial);
    EXPECT_EQ(rows[2], FrameRow(0));

    WriteData(QByteArray());
    TForm1* empty = Create();
    ASSERT_TRUE(empty->FileOpen());
    for (int tick = 0; tick < 5; ++tick)
        empty->Timer1Timer(empty->Timer1);
    EXPECT_TRUE(Rows(empty).empty());
    EXPECT_TRUE(empty->Timer1->Enabled());
}

TEST_F(DemoFormTest, AFileThatCannotBeOpenedIsReportedAndStopsTheTimer) {
    // missing, then a folder in its place
    for (bool folder : {false, true}) {
        SCOPED_TRACE(folder);
        if (folder) {
            ASSERT_TRUE(QDir(Dir.path()).mkdir(QStringLiteral("FFTDemoData.bin")));
        }
        const size_t reportsBefore = Application.ExceptionReports().size();
        TForm1* form = Create();
        EXPECT_FALSE(form->FileOpen());
        const std::vector<QMessageBox*> reports = Application.ExceptionReports();
        ASSERT_EQ(reports.size(), reportsBefore + 1);
        EXPECT_TRUE(reports.back()->text().startsWith(
            QStringLiteral("Cannot open file \"FFTDemoData.bin\".")))
            << reports.back()->text().toStdString();
        form->Timer1Timer(form->Timer1);
        EXPECT_FALSE(form->Timer1->Enabled());
        EXPECT_TRUE(Rows(form).empty());
    }
}
