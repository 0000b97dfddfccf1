// The display toolbar: where its buttons sit, what they show, and what each
// does when clicked with real mouse events, print and save included.

#include "DisplayFixture.h"

#include "display/KvDisplayExport.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

constexpr int WaitMs = 5000;

// Answers the dialogs as a test tells it, and remembers what it was asked.
class TTestDialogs : public IKvDisplayDialogs {
public:
    bool ExecutePrintDialog(QPrinter& APrinter) override {
        ++PrintAsked;
        HoldDuringDialog = Display->GetHold();
        if (!PrintFile.isEmpty()) {
            APrinter.setOutputFormat(QPrinter::PdfFormat);
            APrinter.setOutputFileName(PrintFile);
        }
        return Confirm;
    }
    bool ExecuteSaveDialog(const QString& AFilter, const QString& ADefaultExt,
                           QString& AFileName) override {
        ++SaveAsked;
        Filter = AFilter;
        DefaultExt = ADefaultExt;
        HoldDuringDialog = Display->GetHold();
        AFileName = SaveName;
        return Confirm;
    }

    TKvDataDisplay* Display = nullptr;
    bool Confirm = true;
    QString SaveName;
    QString PrintFile;
    QString Filter;
    QString DefaultExt;
    int PrintAsked = 0;
    int SaveAsked = 0;
    bool HoldDuringDialog = false;
};

// A toolbar of N plain buttons in two rows; each click is logged.
class TPlainToolBar : public TKvBasicDisplayToolBar {
public:
    TPlainToolBar(TKvDataDisplay* ADisplay, int ACount) : TKvBasicDisplayToolBar(ADisplay) {
        for (int i = 0; i < ACount; ++i) {
            FSettings.push_back(MakeOwned<TKvDisplayToolBarButton>(this, ADisplay));
            AddButton(i, FSettings.back().get(), [this, i] { Clicks.push_back(i); });
        }
    }
    int32_t GetRowCount() const override { return 2; }

    std::vector<int> Clicks;

protected:
    ~TPlainToolBar() override { FButtonList.Clear(); }

private:
    std::vector<TOwned<TKvDisplayToolBarButton>> FSettings;
};

QPoint Centre(const TRect& ARect) {
    return QPoint((ARect.Left + ARect.Right) / 2, (ARect.Top + ARect.Bottom) / 2);
}

class ToolBarTest : public DisplayFixture {
protected:
    void SetUp() override {
        DisplayFixture::SetUp();
        display->AddStandardViews();
        toolbar = display->GetToolBar();
        toolbar->SetVisible(true);
        dialogs.Display = display.get();
        KvSetDisplayDialogs(&dialogs);
        Show();
        Painted();
    }

    void TearDown() override {
        KvSetDisplayDialogs(nullptr);
        DisplayFixture::TearDown();
    }

    // The cell of AButton as the next paint places it.
    TRect Cell(TKvDisplayIntToolBarButton* AButton) {
        toolbar->UpdateButtons();
        return toolbar->ButtonRect(AButton);
    }

    void Click(TKvDisplayIntToolBarButton* AButton) {
        const TRect cell = Cell(AButton);
        ASSERT_FALSE(cell.IsEmpty());
        QTest::mouseMove(display->Widget(), Centre(cell));
        QTest::mouseClick(display->Widget(), Qt::LeftButton, Qt::NoModifier, Centre(cell));
    }

    static QByteArray Head(const QString& AFile, qsizetype ACount) {
        QFile file(AFile);
        return file.open(QIODevice::ReadOnly) ? file.read(ACount) : QByteArray();
    }

    TKvDisplayToolBar* toolbar = nullptr;
    TTestDialogs dialogs;
};

TEST_F(ToolBarTest, TwelveButtonsInTwoRowsAtTheRightTopCorner) {
    TRect r;
    toolbar->GetDrawRect(r);
    EXPECT_EQ(r, Rect(346, 3, 346 + 102, 3 + 35));
    // Cells of 16 x 16 with one pixel between them, six to a row.
    EXPECT_EQ(Cell(toolbar->HoldButton()), Bounds(347, 4, 16, 16));
    EXPECT_EQ(Cell(toolbar->PanModeButton()), Bounds(364, 4, 16, 16));
    EXPECT_EQ(Cell(toolbar->ZoomInButton()), Bounds(347, 21, 16, 16));
    EXPECT_EQ(Cell(toolbar->XYZoomOnButton()), Bounds(432, 21, 16, 16));
    EXPECT_TRUE(Cell(toolbar->RunButton()).IsEmpty());
    EXPECT_TRUE(Cell(toolbar->ZoomModeButton()).IsEmpty());

    // The other corners and the data view as host.
    TKvToolBarPosition* position = toolbar->GetPosition();
    position->SetCoordinateMode(cmLeftBottom);
    EXPECT_EQ(toolbar->ToolRect(), Rect(3, 280 - 3 - 34 + 1, 3 + 102, 280 - 3 - 34 + 1 + 35));
    position->SetCoordinateMode(cmCenter);
    position->SetCX(0);
    position->SetCY(0);
    EXPECT_EQ(toolbar->ToolRect().Left, (450 - 102) / 2 + 1);
    EXPECT_EQ(toolbar->ToolRect().Top, (280 - 34) / 2 + 1);
    position->SetHostView(thvDataView);
    position->SetCoordinateMode(cmLeftTop);
    TKvDisplayView* data = display->GetDataView();
    EXPECT_EQ(toolbar->ToolRect().Left, data->Left());
    EXPECT_EQ(toolbar->ToolRect().Top, data->Top());
}

TEST_F(ToolBarTest, AnOddCountWrapsIntoAThirdRow) {
    auto plain = MakeOwned<TPlainToolBar>(display.get(), 5);
    const TRect r = plain->ToolRect();
    // 5 x 17 / 2 wide, two rows high; the fifth button goes below them.
    EXPECT_EQ(r.Width(), 42);
    EXPECT_EQ(r.Height(), 35);
    const auto* list = &plain->ButtonList();
    EXPECT_EQ(plain->ButtonRect(list->Items(2)), Bounds(r.Left + 1, r.Top + 18, 16, 16));
    const TRect fifth = plain->ButtonRect(list->Items(4));
    EXPECT_EQ(fifth, Bounds(r.Left + 1, r.Top + 35, 16, 16));

    QTest::mouseMove(display->Widget(), Centre(fifth));
    QTest::mouseClick(display->Widget(), Qt::LeftButton, Qt::NoModifier, Centre(fifth));
    EXPECT_EQ(plain->Clicks, std::vector<int>{4});
}

TEST_F(ToolBarTest, HidingTheHoldSettingHidesRunAndHoldButKeepsTheRectangle) {
    const TRect before = toolbar->ToolRect();
    toolbar->GetButtons()->GetHold()->SetVisible(false);
    for (const bool hold : {false, true}) {
        display->SetHold(hold);
        EXPECT_TRUE(Cell(toolbar->HoldButton()).IsEmpty()) << hold;
        EXPECT_TRUE(Cell(toolbar->RunButton()).IsEmpty()) << hold;
        EXPECT_EQ(toolbar->ToolRect(), before) << hold;
        // what follows moves up into the first cell
        EXPECT_EQ(Cell(toolbar->PanModeButton()), Bounds(347, 4, 16, 16)) << hold;
    }
}

TEST_F(ToolBarTest, DrawsOnlyWhileTheMouseIsOverTheDisplayUnlessItStays) {
    // A pixel of the hold button's frame: the strip's grey becomes the border colour.
    const QImage strip =
        QImage(QStringLiteral(":/KV_SCOPE_BUTTONS1G")).convertToFormat(QImage::Format_RGB32);
    int gx = -1, gy = -1;
    for (int y = 0; y < 16 && gx < 0; ++y)
        for (int x = 0; x < 16 && gx < 0; ++x)
            if ((strip.pixel(biPause * 16 + x, y) & 0xFFFFFF) == 0x808080) {
                gx = x;
                gy = y;
            }
    ASSERT_GE(gx, 0);
    const QPoint framePixel(347 + gx, 4 + gy);
    const uint32_t green = 0x008000; // BorderColor clGreen in pixel order
    const uint32_t lime = 0x00FF00;  // MouseOverBorderColor

    QTest::mouseMove(host.get(), QPoint(480, 300));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !display->MouseIsIn(); }, WaitMs));
    display->InvalidateRefresh();
    EXPECT_EQ(Rgb(Painted(), framePixel.x(), framePixel.y()),
              Expected(framePixel.x(), framePixel.y()));

    toolbar->SetAutoHide(false);
    EXPECT_EQ(Rgb(Painted(), framePixel.x(), framePixel.y()), green);
    toolbar->SetVisible(false);
    EXPECT_EQ(Rgb(Painted(), framePixel.x(), framePixel.y()),
              Expected(framePixel.x(), framePixel.y()));
    toolbar->SetVisible(true);
    toolbar->SetAutoHide(true);

    // Over the button: the mouse-over list, and the cell's transparent
    // pixels show the display's colour.
    QTest::mouseMove(display->Widget(), framePixel);
    const QImage over = Painted();
    EXPECT_EQ(Rgb(over, framePixel.x(), framePixel.y()), lime);
    EXPECT_TRUE(toolbar->HasHighlighted());
    EXPECT_EQ(Rgb(over, 347, 4), 0u) << "corner mark transparent";
    // A disabled button (nothing to zoom off) in the disabled colour.
    const TRect off = Cell(toolbar->ZoomOffButton());
    int ox = -1, oy = -1;
    for (int y = 0; y < 16 && ox < 0; ++y)
        for (int x = 0; x < 16 && ox < 0; ++x)
            if ((strip.pixel(biZoomOff * 16 + x, y) & 0xFFFFFF) == 0xFFFFFF) {
                ox = x;
                oy = y;
            }
    ASSERT_GE(ox, 0);
    EXPECT_EQ(Rgb(over, off.Left + ox, off.Top + oy), green);
}

TEST_F(ToolBarTest, TheRectangleStaysPutWhileTheMouseIsOverItAndTheCursorChanges) {
    const TRect cell = Cell(toolbar->HoldButton());
    QTest::mouseMove(display->Widget(), Centre(cell));
    EXPECT_TRUE(toolbar->MouseIsInView());
    EXPECT_EQ(display->Cursor(), toolbar->GetCursor());
    const TRect frozen = toolbar->ToolRect();
    toolbar->GetPosition()->SetCX(40);
    TRect r;
    toolbar->GetDrawRect(r);
    EXPECT_EQ(r, frozen);

    QTest::mouseMove(display->Widget(), QPoint(200, 150));
    EXPECT_FALSE(toolbar->MouseIsInView());
    EXPECT_EQ(display->Cursor(), display->UserCursor());
    toolbar->GetDrawRect(r);
    EXPECT_EQ(r.Left, frozen.Left - 37);
}

TEST_F(ToolBarTest, HoldRunAndNavigationButtons) {
    Click(toolbar->HoldButton());
    EXPECT_TRUE(display->GetHold());
    Painted();
    // run takes hold's place
    EXPECT_EQ(Cell(toolbar->RunButton()), Bounds(347, 4, 16, 16));
    // pressed, the run button shows down until the release
    QTest::mousePress(display->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(355, 12));
    EXPECT_FALSE(display->GetHold());
    EXPECT_TRUE(toolbar->RunButton()->FClicked);
    QTest::mouseRelease(display->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(355, 12));
    EXPECT_FALSE(toolbar->RunButton()->FClicked);

    Click(toolbar->PanModeButton());
    EXPECT_EQ(display->GetNavigateMode(), nmPan);
    Click(toolbar->ZoomModeButton());
    EXPECT_EQ(display->GetNavigateMode(), nmZoom);

    display->GetZooming()->SetMode(zmXAxis);
    Click(toolbar->XYZoomOnButton());
    EXPECT_EQ(display->GetZooming()->GetMode(), zmBoth);
    Painted();
    EXPECT_FALSE(toolbar->XYZoomOnButton()->FEnabled);

    Click(toolbar->SetupButton());
    EXPECT_EQ(display->ShownProperties, (std::vector<std::pair<int32_t, int32_t>>{{0, 0}}));

    Click(toolbar->CopyButton());
    const QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), QSize(450, 280));
}

TEST_F(ToolBarTest, ZoomButtonsAndTheHistory) {
    // Nothing zoomed, no history: off, previous and next do nothing.
    for (auto* button :
         {toolbar->ZoomOffButton(), toolbar->ZoomPrevButton(), toolbar->ZoomNextButton()}) {
        Click(button);
        EXPECT_FALSE(button->FEnabled);
    }
    EXPECT_FALSE(display->CanUndoZoom());
    EXPECT_FALSE(display->IsZoomed());

    Click(toolbar->ZoomInButton());
    EXPECT_EQ(display->XAxis().CurrentMin(), 25);
    EXPECT_EQ(display->XAxis().CurrentMax(), 75);
    Click(toolbar->ZoomOutButton());
    EXPECT_EQ(display->XAxis().CurrentMin(), 0);
    EXPECT_EQ(display->XAxis().CurrentMax(), 100);
    EXPECT_TRUE(display->XAxis().GetZoomed());

    Click(toolbar->ZoomPrevButton());
    EXPECT_EQ(display->XAxis().CurrentMax(), 75);
    Click(toolbar->ZoomNextButton());
    EXPECT_EQ(display->XAxis().CurrentMax(), 100);
    Click(toolbar->ZoomOffButton());
    EXPECT_FALSE(display->IsZoomed());
    EXPECT_EQ(display->UndoList().Count(), 3);
}

TEST_F(ToolBarTest, AUserHandlerRunsFirstAndMayTakeTheClick) {
    TKvDisplayToolBarButton* settings = toolbar->GetButtons()->GetHold();
    int calls = 0;
    bool take = true;
    settings->OnClick = [&](TPersistent* ASender, bool& AHandled) {
        EXPECT_EQ(ASender, settings);
        ++calls;
        AHandled = take;
    };
    Click(toolbar->HoldButton());
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(display->GetHold());

    take = false;
    settings->PerformClick();
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(display->GetHold());
    // the shared setting now clicks the run button the toolbar shows
    Painted();
    settings->PerformClick();
    EXPECT_FALSE(display->GetHold());

    // a disabled button is not clicked at all
    toolbar->GetButtons()->GetZoomOff()->OnClick = [&](TPersistent*, bool&) { ++calls; };
    toolbar->GetButtons()->GetZoomOff()->PerformClick();
    EXPECT_EQ(calls, 3);
    Painted();
    toolbar->GetButtons()->GetZoomOff()->PerformClick();
    EXPECT_EQ(calls, 3);
}

TEST_F(ToolBarTest, SaveWritesJpegOrBitmapByExtensionAndRunsAgainAfterwards) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case {
        const char* name;
        QByteArray magic;
    };
    for (const Case& c : {Case{"a.Jpeg", QByteArray("\xFF\xD8\xFF", 3)},
                          Case{"b.JPG", QByteArray("\xFF\xD8\xFF", 3)},
                          Case{"c.png", QByteArray("BM")}, Case{"d.jpeg.txt", QByteArray("BM")}}) {
        dialogs.SaveName = dir.filePath(QString::fromLatin1(c.name));
        Click(toolbar->SaveButton());
        EXPECT_TRUE(dialogs.HoldDuringDialog) << c.name;
        EXPECT_FALSE(display->GetHold()) << c.name;
        EXPECT_EQ(Head(dialogs.SaveName, c.magic.size()), c.magic) << c.name;
    }
    EXPECT_EQ(dialogs.Filter,
              QStringLiteral("Bitmap (*.bmp)|*.bmp|JPEG File Interchange Format (*.jpg)|*.jpg"));
    EXPECT_EQ(dialogs.DefaultExt, QStringLiteral("bmp"));

    // A held display stays held.
    display->SetHold(true);
    dialogs.SaveName = dir.filePath(QStringLiteral("e.bmp"));
    Click(toolbar->SaveButton());
    EXPECT_TRUE(display->GetHold());
}

TEST_F(ToolBarTest, CancelledSaveAndPrintLetTheDisplayRunAgain) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    dialogs.Confirm = false;
    dialogs.SaveName = dir.filePath(QStringLiteral("never.bmp"));
    Click(toolbar->SaveButton());
    EXPECT_EQ(dialogs.SaveAsked, 1);
    EXPECT_TRUE(dialogs.HoldDuringDialog);
    EXPECT_FALSE(display->GetHold());
    EXPECT_FALSE(QFile::exists(dialogs.SaveName));

    dialogs.PrintFile = dir.filePath(QStringLiteral("never.pdf"));
    Click(toolbar->PrintButton());
    EXPECT_EQ(dialogs.PrintAsked, 1);
    EXPECT_TRUE(dialogs.HoldDuringDialog);
    EXPECT_FALSE(display->GetHold());
    EXPECT_FALSE(QFile::exists(dialogs.PrintFile));

    // Confirmed, the page is printed and the display runs again.
    dialogs.Confirm = true;
    dialogs.PrintFile = dir.filePath(QStringLiteral("page.pdf"));
    Click(toolbar->PrintButton());
    EXPECT_FALSE(display->GetHold());
    EXPECT_EQ(Head(dialogs.PrintFile, 4), QByteArray("%PDF"));
}

} // namespace
