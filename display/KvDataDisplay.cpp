#include "display/KvDataDisplay.h"

#include "display/KvDisplayExport.h"
#include "display/KvLockedSet.h"
#include "foundation/HxCanvasImpl.h"
#include "platform/Bitmap.h"
#include "platform/FreeGuard.h"
#include "platform/UiThread.h"

#include <QPainter>
#include <QPrinter>
#include <QScopeGuard>
#include <QThread>
#include <QWidget>
#include <cmath>

namespace {

constexpr uint32_t DefaultRefreshInterval = 100;
constexpr double WheelDownFactor = 1.1;
constexpr double WheelUpFactor = 0.9;

// Qt copies 32-bit pixels to the screen as they are; renderers that write
// pixels directly may leave 0 in the fourth byte.
void MakeOpaque(TGmBasicBitmap& ABitmap) {
    uint8_t* data = ABitmap.DataPtr();
    if (!data || ABitmap.PixelFormat() != pf32bit)
        return;
    for (int32_t y = 0; y < ABitmap.Height(); ++y) {
        auto* row =
            reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(y) * ABitmap.RowStride());
        for (int32_t x = 0; x < ABitmap.Width(); ++x)
            row[x] |= 0xFF000000u;
    }
}

std::unique_ptr<TGmBasicBitmap> NewBitmap32(int32_t AWidth, int32_t AHeight) {
    auto bitmap = std::make_unique<TGmBasicBitmap>();
    bitmap->SetPixelFormat(pf32bit);
    bitmap->SetSize(AWidth, AHeight);
    return bitmap;
}

} // namespace

TKvDataDisplay::TKvDataDisplay(TComponent* AOwner) : THxControlDrawLayer(AOwner) {
    FRefreshTimer.reset(new THxTimer(nullptr));
    FComponents = std::make_unique<TKvDisplayComponents>();
    FViews = std::make_unique<TKvDisplayViews>();
    FAxes = std::make_unique<TKvDisplayAxisList>();
    FXAxes = std::make_unique<TKvDisplayAxisList>();
    FYAxes = std::make_unique<TKvDisplayAxisList>();
    FToolBar.reset(new TKvDisplayToolBar(this));
    FElements.reset(new THxComponentElements(
        this, Lock(), [this] { InvalidateRefresh(); }, nullptr));
    FZooming.reset(new TKvDisplayZoom(this));
    FUndoList = std::make_unique<TKvDisplayZoomList>();
    FRedoList = std::make_unique<TKvDisplayZoomList>();
    FBkgBitmap = NewBitmap32(10, 10);
    FBitmapCanvas = std::make_unique<THxCanvasImpl>(FBkgBitmap->Canvas());

    TControl::SetColor(clBlack);
    SetTabStop(true);
    THxControlDrawLayer::SetBounds(Left(), Top(), 450, 280);
    FRefreshTimer->SetInterval(DefaultRefreshInterval);
    FRefreshTimer->SetOnTimer([this](TPersistent* Sender) { RefreshTick(Sender); });
}

TKvDataDisplay::~TKvDataDisplay() {
    const TJwLockSectionPtr stop = Lock()->StopLock();
    FRedoList.reset();
    FUndoList.reset();
    FElements.reset();
    FToolBar.reset();
    FZooming.reset();
    FYAxes.reset();
    FXAxes.reset();
    FAxes.reset();
    FViews.reset();
    FComponents.reset();
    FBitmapCanvas.reset();
    FBkgBitmap.reset();
    FRefreshTimer.reset();
    FPrinter.reset();
}

void TKvDataDisplay::ForgetComponent(TKvDisplayComponent* AComponent) {
    if (FComponents)
        FComponents->Remove(AComponent);
}

void TKvDataDisplay::ForgetView(TKvDisplayView* AView) {
    if (FViews)
        FViews->Remove(AView);
}

void TKvDataDisplay::BeforeDestruction() {
    // no tick may reach a display that is going
    FRefreshTimer->SetEnabled(false);
    {
        const TJwLockSectionPtr stop = Lock()->StopLock();
        // the elements' components die with the display
        for (int32_t i = FElements->Count() - 1; i >= 0; --i) {
            TKvComponentItemPtr item;
            FElements->Get(i, item);
            TComponent* component = item ? item->GetComponent() : nullptr;
            if (!component || component->Owner() == this)
                continue;
            if (TComponent* owner = component->Owner())
                owner->RemoveComponent(component);
            InsertComponent(component);
        }
        FElements->Clear(false);
    }
    THxControlDrawLayer::BeforeDestruction();
}

void* TKvDataDisplay::QueryInterface(const TGUID& AIID) noexcept {
    if (AIID == IYbBasicControl::IID)
        return static_cast<IYbBasicControl*>(this);
    return THxControlDrawLayer::QueryInterface(AIID);
}

void TKvDataDisplay::ResetLayers() {
    ClearCachedData();
    InvalidateLayout();
}

void TKvDataDisplay::Redraw() {
    InvalidateWindow();
}

void TKvDataDisplay::InvalidateControl() {
    InvalidateWindow();
}

void TKvDataDisplay::RedrawControl() {
    Redraw();
}

bool TKvDataDisplay::IsFocusedControl() {
    return Focused();
}

void TKvDataDisplay::GetLock(THxLockPtr& ALock) {
    ALock = Lock();
}

TControl* TKvDataDisplay::GetControl() {
    return this;
}

void TKvDataDisplay::SetToolBar(TKvDisplayToolBar* AValue) {
    FToolBar->Assign(AValue);
}

void TKvDataDisplay::SetZooming(TKvDisplayZoom* AValue) {
    FZooming->Assign(AValue);
}

TKvDisplayNavigateMode TKvDataDisplay::GetNavigateMode() const {
    const TJwLockSectionPtr section = Lock()->ReadLock();
    return FNavigateMode;
}

void TKvDataDisplay::SetNavigateMode(TKvDisplayNavigateMode AValue) {
    KvLockedSet(*Lock(), FNavigateMode, AValue, [this] { InvalidateRefresh(); });
}

void TKvDataDisplay::SetElements(THxComponentElements* AValue) {
    FElements->Assign(AValue);
}

uint32_t TKvDataDisplay::GetRefreshInterval() const {
    return FRefreshTimer->GetInterval();
}

bool TKvDataDisplay::OnWidgetThread() const {
    // the control lives on the widget's thread, and outlives the widget
    return QThread::currentThread() == thread();
}

void TKvDataDisplay::SetRefreshInterval(uint32_t AValue) {
    // the timer lives on the user-interface thread; a queued call is
    // dropped when the display is gone
    if (!OnWidgetThread()) {
        PostToObjectThread(this, [this, AValue] { SetRefreshInterval(AValue); });
        return;
    }
    const TJwLockSectionPtr section = Lock()->WriteLock();
    FRefreshTimer->SetInterval(AValue);
}

void TKvDataDisplay::SetColor(TColor AValue) {
    if (!OnWidgetThread()) {
        PostToObjectThread(this, [this, AValue] { SetColor(AValue); });
        return;
    }
    TColor color = Color();
    if (Lock()->SetterColor(color, AValue, nullptr)) {
        TControl::SetColor(color);
        InvalidateRefresh();
    }
}

void TKvDataDisplay::SetCursor(TCursor AValue) {
    const TJwLockSectionPtr section = Lock()->WriteLock();
    TControl::SetCursor(AValue);
    FCursor = AValue;
}

void TKvDataDisplay::SetToolCursor(TCursor AValue) {
    TControl::SetCursor(AValue);
    FToolCursorChanged = true;
}

void TKvDataDisplay::SetElementCursor(TCursor AValue) {
    TControl::SetCursor(AValue);
    FElementCursorChanged = true;
}

int32_t TKvDataDisplay::PlotWidth() const {
    return FPrinting ? FPrintSize.cx : Width();
}

int32_t TKvDataDisplay::PlotHeight() const {
    return FPrinting ? FPrintSize.cy : Height();
}

bool TKvDataDisplay::GetHold() const {
    const TJwLockSectionPtr section = Lock()->ReadLock();
    return FHold;
}

void TKvDataDisplay::SetHold(bool AValue) {
    const TJwLockSectionPtr section = Lock()->WriteLock();
    if (AValue == FHold)
        return;
    FHold = AValue;
    UpdateData();
    InvalidateRefresh();
}

bool TKvDataDisplay::RefreshPending() const {
    const TJwLockSectionPtr section = Lock()->ReadLock();
    return FRefreshImage;
}

void TKvDataDisplay::Loaded() {
    FNeedsRecalc = true;
    THxControlDrawLayer::Loaded();
}

void TKvDataDisplay::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
    if (std::max(AWidth, 0) != Width() || std::max(AHeight, 0) != Height())
        InvalidateLayout();
    THxControlDrawLayer::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TKvDataDisplay::Resize() {
    InvalidateLayout();
    THxControlDrawLayer::Resize();
}

void TKvDataDisplay::SetParent(TControl* AParent) {
    // the widget always exists: there is no window handle to force
    THxControlDrawLayer::SetParent(AParent);
}

THxDrawLayerOperations TKvDataDisplay::GetOperations() {
    return THxControlDrawLayer::GetOperations() | dlmInvertAlpha;
}

void TKvDataDisplay::GetChildren(const TGetChildProc& AProc, TComponent* ARoot) {
    THxControlDrawLayer::GetChildren(AProc, ARoot);
    FElements->GetChildren(AProc, ARoot);
}

void TKvDataDisplay::SetChildOrder(TComponent* AChild, int AOrder) {
    THxControlDrawLayer::SetChildOrder(AChild, AOrder);
    FElements->SetChildOrder(AChild, AOrder);
}

void TKvDataDisplay::InvalidateWindow() {
    if (!OnWidgetThread()) {
        // widgets belong to their thread; the call is dropped if the display goes first
        PostToObjectThread(this, [this] { InvalidateWindow(); });
        return;
    }
    // Qt may have deleted the widget of a display hosted in a user's window
    if (Widget())
        // the paint covers every pixel: nothing to erase first
        InvalidateIntRect(ClientRect());
}

void TKvDataDisplay::InvalidateRefresh() {
    {
        const TJwLockSectionPtr section = Lock()->WriteLock();
        FRefreshImage = true;
    }
    InvalidateWindow();
}

void TKvDataDisplay::PostRefresh() {
    const TJwLockSectionPtr section = Lock()->WriteLock();
    FRefreshImage = true;
}

void TKvDataDisplay::RefreshView() {
    const TJwLockSectionPtr section = Lock()->WriteLock();
    if (!section || ComponentState().testFlag(csDestroying))
        return;
    if (UpdateData() || FRefreshImage)
        InvalidateRefresh();
}

void TKvDataDisplay::RefreshTick(TPersistent*) {
    RefreshView();
}

void TKvDataDisplay::InvalidateLayout() {
    FNeedsRecalc = true;
    InvalidateRefresh();
}

void TKvDataDisplay::Changed() {
    InvalidateRefresh();
}

void TKvDataDisplay::GeometryChanged() {}

void TKvDataDisplay::AfterDraw(const QRegion&, bool) {}

// Layout

void TKvDataDisplay::CalculateLayout() {
    TRect rect = Rect(0, 0, PlotWidth(), PlotHeight());
    int32_t hStart = 0;
    int32_t hEnd = 0;
    int32_t vStart = 0;
    int32_t vEnd = 0;
    for (int32_t i = 0; i < FViews->Count(); ++i) {
        TKvDisplayView* view = FViews->Items(i);
        view->SetDrawRect(rect);
        if (!view->IsVisibleForced())
            continue;
        TSize size;
        view->GetDefaultRect(size);
        TRect r = rect;
        switch (view->GetAlign() & 0x7F) {
        case vaTop:
            r.Bottom = rect.Top + size.cy;
            rect.Top += size.cy;
            break;
        case vaBottom:
            r.Top = rect.Bottom - size.cy;
            rect.Bottom -= size.cy;
            break;
        case vaLeft:
            r.Right = rect.Left + size.cx;
            rect.Left += size.cx;
            break;
        case vaRight:
            r.Left = rect.Right - size.cx;
            rect.Right -= size.cx;
            break;
        case KvDataViewAlign:
            // the margins keep an axis's end labels inside the control
            r.Left = std::max(hStart, r.Left);
            r.Top = std::max(vStart, r.Top);
            r.Bottom = std::min(r.Bottom, PlotHeight() - vEnd);
            r.Right = std::min(r.Right, PlotWidth() - hEnd);
            break;
        default:
            continue;
        }
        switch (view->GetAlign() & 0x7F) {
        case vaTop:
        case vaBottom:
            hStart = std::max(hStart, view->GetMarginA());
            hEnd = std::max(hEnd, view->GetMarginB());
            break;
        case vaLeft:
        case vaRight:
            vStart = std::max(vStart, view->GetMarginA());
            vEnd = std::max(vEnd, view->GetMarginB());
            break;
        default:
            break;
        }
        view->SetDrawRect(r);
    }
}

// Paint

void TKvDataDisplay::Paint() {
    // Qt paints only a widget on screen, wherever a user's program put it,
    // so a control parent is not required.
    if (ComponentState() & (csLoading | csReading))
        return;
    if (TControl* parent = TControl::Parent();
        parent && (parent->ComponentState() & (csLoading | csReading)))
        return;
    if (!Visible())
        return;
    try {
        PaintWindow(Canvas(), ClientRect(), UpdateRegion());
    } catch (...) {
        // a failing paint ends this pass
    }
}

void TKvDataDisplay::SizeBackground(int32_t AWidth, int32_t AHeight) {
    if (AWidth == FBkgBitmap->Width() && AHeight == FBkgBitmap->Height())
        return;
    FBitmapCanvas.reset();
    FBkgBitmap->SetSize(AWidth, AHeight);
    FBitmapCanvas = std::make_unique<THxCanvasImpl>(FBkgBitmap->Canvas());
}

void TKvDataDisplay::RenderBackground() {
    SizeBackground(Width(), Height());
    if (FBkgBitmap->DataPtr()) {
        const TRect rect = Rect(0, 0, PlotWidth(), PlotHeight());
        const QRegion region(rect.ToQRect());
        DrawDisplay(*FBkgBitmap, *FBitmapCanvas, false, region, rect);
        // the bitmap is read directly below, without the canvas's painter
        FBkgBitmap->Canvas().ReleasePainter();
        MakeOpaque(*FBkgBitmap);
    } else if (FNeedsRecalc) {
        // nothing to draw on, but the views still get their places
        CalculateLayout();
        FNeedsRecalc = false;
    }
    FRenderedColor = Color();
    FRefreshImage = false;
}

void TKvDataDisplay::PaintWindow(TCanvas& DC, const TRect&, const QRegion&) {
    const TJwLockSectionPtr section = Lock()->WriteLock();
    if (!section)
        return;
    if (!FPrinting && (Width() != FBkgBitmap->Width() || Height() != FBkgBitmap->Height()))
        FRefreshImage = true;
    if (Color() != FRenderedColor)
        FRefreshImage = true;
    if (FRefreshImage)
        RenderBackground();
    const uint8_t* pixels = FBkgBitmap->DataPtr();
    if (!pixels)
        return;
    // a wrapper over our pixels (no copy), opaque since the render; drawn
    // straight through the painter, because the canvas would convert it
    const QImage image(pixels, FBkgBitmap->Width(), FBkgBitmap->Height(), FBkgBitmap->RowStride(),
                       QImage::Format_RGB32);
    QPainter* painter = DC.Painter();
    painter->drawImage(QRect(0, 0, Width(), Height()), image, QRect(0, 0, Width(), Height()));
}

// Rendering for export

void TKvDataDisplay::DrawToBitmap(TGmBasicBitmap& ABitmap, TCanvas& ACanvas, bool APrinting) {
    const TJwLockSectionPtr section = Lock()->WriteLock();
    const TRect rect = Rect(0, 0, ABitmap.Width(), ABitmap.Height());
    const QRegion region(rect.ToQRect());
    THxCanvasImpl canvas(ACanvas);
    SizeBackground(ABitmap.Width(), ABitmap.Height());
    if (ABitmap.DataPtr())
        DrawDisplay(ABitmap, canvas, APrinting, region, rect);
    ACanvas.ReleasePainter();
}

void TKvDataDisplay::DrawToGraphics(IGPGraphics& AGraphics, float AWidth, float AHeight) {
    // Laid out for the target's size, and for the control's again after:
    // otherwise the screen would keep the target's layout.
    FPrinting = true;
    FNeedsRecalc = true;
    const auto restore = qScopeGuard([this] {
        FPrinting = false;
        FNeedsRecalc = true;
        InvalidateRefresh();
    });
    FPrintSize =
        TSize{static_cast<int32_t>(std::lrint(AWidth)), static_cast<int32_t>(std::lrint(AHeight))};
    auto bitmap = NewBitmap32(static_cast<int32_t>(std::lrint(AWidth + 1)),
                              static_cast<int32_t>(std::lrint(AHeight + 1)));
    DrawToBitmap(*bitmap, bitmap->Canvas(), false);
    AGraphics.DrawImage(bitmap->ToImage(), 0, 0);
}

void TKvDataDisplay::DoLayerDraw(THxCanvas* ACanvas, int32_t AWidth, int32_t AHeight, float, float,
                                 bool) {
    if (!Visible())
        return;
    const TJwLockSectionPtr section = WriteLock();
    if (!section)
        return;
    auto bitmap = NewBitmap32(AWidth, AHeight);
    DrawToBitmap(*bitmap, bitmap->Canvas(), false);
    ACanvas->GetCanvas().Draw(Left(), Top(), bitmap->ToImage());
}

std::unique_ptr<TGmBasicBitmap> TKvDataDisplay::RenderExport() {
    auto bitmap = NewBitmap32(Width(), Height());
    DrawToBitmap(*bitmap, bitmap->Canvas(), true);
    MakeOpaque(*bitmap);
    return bitmap;
}

void TKvDataDisplay::CopyToBitmap(TBitmap& ABitmap) {
    auto bitmap = NewBitmap32(PlotWidth(), PlotHeight());
    DrawToBitmap(*bitmap, bitmap->Canvas(), true);
    bitmap->ToBitmap(ABitmap);
}

void TKvDataDisplay::CopyToClipboard() {
    const TJwLockSectionPtr section = Lock()->WriteLock();
    KvCopyBitmapToClipboard(*RenderExport());
}

void TKvDataDisplay::SaveToBitmap(const QString& AFileName) {
    const TJwLockSectionPtr section = Lock()->WriteLock();
    RenderExport()->SaveToFile(AFileName);
}

void TKvDataDisplay::SaveToJpeg(const QString& AFileName) {
    const TJwLockSectionPtr section = Lock()->WriteLock();
    KvSaveBitmapToJpeg(*RenderExport(), AFileName);
}

QPrinter& TKvDataDisplay::Printer() {
    if (!FPrinter)
        FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *FPrinter;
}

void TKvDataDisplay::Print() {
    Print(Printer());
}

void TKvDataDisplay::Print(QPrinter& APrinter) {
    // A handler run while the page is drawn may free the display.
    const TFreeGuard stay(this);
    const TJwLockSectionPtr section = Lock()->WriteLock();
    QString title;
    GetPrintTitle(title);
    FPrinting = true;
    FNeedsRecalc = true;
    const auto restore = qScopeGuard([this] {
        FNeedsRecalc = true;
        FPrinting = false;
        InvalidateRefresh();
    });
    KvPrintPage(APrinter, title, [this](TGmBasicBitmap& ABitmap, QSize APrintSize) {
        FPrintSize = TSize{APrintSize.width(), APrintSize.height()};
        ABitmap.SetPixelFormat(pf32bit);
        ABitmap.SetSize(FPrintSize.cx, FPrintSize.cy);
        DrawToBitmap(ABitmap, ABitmap.Canvas(), true);
        MakeOpaque(ABitmap);
    });
}

void TKvDataDisplay::GetPrintTitle(QString& AText) {
    AText = QStringLiteral("Unknown");
}

// Input

bool TKvDataDisplay::IsToolBar(const TKvDisplayComponent* AComponent) const {
    return qobject_cast<const TKvBasicDisplayToolBar*>(AComponent) != nullptr;
}

template <class F> void TKvDataDisplay::ForEachComponentBackwards(F&& AVisit) {
    // a handler may remove components: the index is checked on every step
    for (int32_t i = FComponents->Count() - 1; i >= 0; --i) {
        if (i >= FComponents->Count())
            continue;
        if (!AVisit(FComponents->Items(i)))
            return;
    }
}

void TKvDataDisplay::MouseMove(TShiftState AShift, int32_t X, int32_t Y) {
    THxControlDrawLayer::MouseMove(AShift, X, Y);
    bool handled = false;
    for (const bool toolBars : {true, false})
        ForEachComponentBackwards([&](TKvDisplayComponent* AComponent) {
            if (IsToolBar(AComponent) == toolBars && AComponent->IsVisible())
                AComponent->MouseMove(AShift, X, Y, handled);
            return true;
        });
    InvalidateRefresh();
}

void TKvDataDisplay::MouseDown(TMouseButton AButton, TShiftState AShift, int32_t X, int32_t Y) {
    if (TabStop() && !IsHostedItem())
        SetFocus();
    THxControlDrawLayer::MouseDown(AButton, AShift, X, Y);
    bool handled = false;
    for (const bool toolBars : {true, false}) {
        ForEachComponentBackwards([&](TKvDisplayComponent* AComponent) {
            if (IsToolBar(AComponent) != toolBars || !AComponent->IsVisible())
                return true;
            TRect r;
            AComponent->GetDrawRect(r);
            AComponent->MouseDown(AButton, AShift, handled, r.Contains(Point(X, Y)), X, Y);
            return !handled;
        });
        if (handled)
            break;
    }
}

void TKvDataDisplay::MouseUp(TMouseButton AButton, TShiftState AShift, int32_t X, int32_t Y) {
    THxControlDrawLayer::MouseUp(AButton, AShift, X, Y);
    ForEachComponentBackwards([&](TKvDisplayComponent* AComponent) {
        TRect r;
        AComponent->GetDrawRect(r);
        AComponent->MouseUp(AButton, AShift, r.Contains(Point(X, Y)), X, Y);
        return true;
    });
}

bool TKvDataDisplay::DoMouseWheelDown(TShiftState AShift, TPoint AMousePos) {
    THxControlDrawLayer::DoMouseWheelDown(AShift, AMousePos);
    RouteWheel(AShift, AMousePos, false);
    return true;
}

bool TKvDataDisplay::DoMouseWheelUp(TShiftState AShift, TPoint AMousePos) {
    THxControlDrawLayer::DoMouseWheelUp(AShift, AMousePos);
    RouteWheel(AShift, AMousePos, true);
    return true;
}

void TKvDataDisplay::RouteWheel(TShiftState AShift, TPoint AMousePos, bool AUp) {
    const TPoint p = ScreenToClient(AMousePos);
    for (int32_t i = 0; i < FComponents->Count(); ++i) {
        TKvDisplayComponent* component = FComponents->Items(i);
        TRect r;
        component->GetDrawRect(r);
        if (!r.Contains(p))
            continue;
        if (AUp)
            component->MouseWheelUp(AShift, p);
        else
            component->MouseWheelDown(AShift, p);
    }
    const double factor = AUp ? WheelUpFactor : WheelDownFactor;
    if (TKvDisplayView* view = GetDataView(); view && view->DrawRect().Contains(p))
        ZoomAtPoint(p, factor, factor);
}

void TKvDataDisplay::MouseEntered() {
    THxControlDrawLayer::MouseEntered();
    MouseEnterDisplay();
}

void TKvDataDisplay::MouseLeft() {
    THxControlDrawLayer::MouseLeft();
    MouseLeaveDisplay();
}

void TKvDataDisplay::MouseEnterDisplay() {
    for (int32_t i = 0; i < FComponents->Count(); ++i)
        FComponents->Items(i)->DisplayMouseEnter();
    if (FToolBar->GetVisible() && FToolBar->GetAutoHide())
        InvalidateRefresh();
}

void TKvDataDisplay::MouseLeaveDisplay() {
    for (int32_t i = 0; i < FComponents->Count(); ++i)
        FComponents->Items(i)->DisplayMouseLeave();
    if ((FToolBar->GetVisible() && FToolBar->GetAutoHide()) || FToolBar->HasHighlighted())
        InvalidateRefresh();
    if (FToolCursorChanged || FElementCursorChanged) {
        TControl::SetCursor(FCursor);
        FToolCursorChanged = false;
        FElementCursorChanged = false;
    }
}

void TKvDataDisplay::KeyPress(QChar& AKey) {
    THxControlDrawLayer::KeyPress(AKey);
    if (!FZooming->GetKeyboardZoom())
        return;
    if (AKey == QLatin1Char('+'))
        ZoomBy(0.5);
    else if (AKey == QLatin1Char('-'))
        ZoomBy(2.0);
}

void TKvDataDisplay::DoEnter() {
    THxControlDrawLayer::DoEnter();
    InvalidateWindow();
}

void TKvDataDisplay::DoExit() {
    THxControlDrawLayer::DoExit();
    InvalidateWindow();
}

// Zoom

TKvRealRanges TKvDataDisplay::CurrentRanges() {
    TKvRealRanges r;
    r.XOldMin = GetXMin();
    r.YOldMin = GetYMin();
    r.XOldMax = GetXMax();
    r.YOldMax = GetYMax();
    return r;
}

void TKvDataDisplay::DoZoomChanged(const TKvRealRanges& AOldRanges, TKvZoomOperation AOperation) {
    InvalidateLayout();
    if (!OnZoomChanged)
        return;
    TKvRealRanges r = AOldRanges;
    r.XMin = GetXMin();
    r.XMax = GetXMax();
    r.YMin = GetYMin();
    r.YMax = GetYMax();
    OnZoomChanged(this, AOperation, r);
}

void TKvDataDisplay::ZoomAtPoint(TPoint MousePos, double YFactor, double XFactor) {
    if (!FZooming->GetMouseWheelEnabled())
        return;
    switch (FZooming->GetMode()) {
    case zmXAxis:
        YFactor = 1.0;
        break;
    case zmYAxis:
        XFactor = 1.0;
        break;
    case zmBoth:
        break;
    }
    const TKvRealRanges old = CurrentRanges();
    SaveZoomHistory(true);
    for (IKvDisplayAxis* axis : *FXAxes)
        axis->ZoomAtPoint(MousePos, XFactor);
    for (IKvDisplayAxis* axis : *FYAxes)
        axis->ZoomAtPoint(MousePos, YFactor);
    DoZoomChanged(old, zoMouseWheel);
}

void TKvDataDisplay::ZoomAxisAtPoint(IKvDisplayAxis* AAxis, TPoint MousePos, double AFactor) {
    const TKvRealRanges old = CurrentRanges();
    SaveZoomHistory(true);
    AAxis->ZoomAtPoint(MousePos, AFactor);
    InvalidateRefresh();
    DoZoomChanged(old, zoMouseWheel);
}

void TKvDataDisplay::SaveZoomHistory(bool FromWheel) {
    // a run of wheel steps makes one entry
    if (FromWheel && FWasMouseWheel)
        return;
    FWasMouseWheel = FromWheel;
    FUndoList->Add(CaptureZoomList());
    FRedoList->Clear();
}

void TKvDataDisplay::UndoZoom() {
    const TJwLockSectionPtr section = Lock()->WriteLock();
    FWasMouseWheel = false;
    const TKvRealRanges old = CurrentRanges();
    FRedoList->Add(CaptureZoomList());
    TKvAxisZoomListPtr entry;
    if (FUndoList->Get(entry)) {
        ApplyZoomList(*entry, false);
        entry.reset();
        DoZoomChanged(old, zoUndo);
    }
}

void TKvDataDisplay::RedoZoom() {
    const TJwLockSectionPtr section = Lock()->WriteLock();
    const TKvRealRanges old = CurrentRanges();
    FUndoList->Add(CaptureZoomList());
    TKvAxisZoomListPtr entry;
    if (FRedoList->Get(entry)) {
        ApplyZoomList(*entry, true);
        entry.reset();
        DoZoomChanged(old, zoRedo);
    }
}

void TKvDataDisplay::ZoomOff() {
    const TJwLockSectionPtr section = Lock()->WriteLock();
    SaveZoomHistory(false);
    const TKvRealRanges old = CurrentRanges();
    DoZoomOff();
    DoZoomChanged(old, zoZoomOff);
}

void TKvDataDisplay::ClearZoomUndo() {
    FUndoList->Clear();
    FRedoList->Clear();
    FWasMouseWheel = false;
}

bool TKvDataDisplay::IsZoomed() {
    for (IKvDisplayAxis* axis : *FAxes)
        if (axis->GetIsZoomed())
            return true;
    return false;
}

bool TKvDataDisplay::GetCanZoomIn() {
    return true;
}

bool TKvDataDisplay::GetCanZoomOut() {
    return true;
}

bool TKvDataDisplay::GetAxisValueAt(int32_t X, int32_t Y, double& AxisX, double& AxisY) {
    IKvDisplayAxis* x = GetXAxis();
    IKvDisplayAxis* y = GetYAxis();
    const bool hasX = x && x->GetValueAt(X, Y, AxisX);
    const bool hasY = y && y->GetValueAt(X, Y, AxisY);
    return hasX && hasY;
}

// Tool tips and the rest

void TKvDataDisplay::SetToolTipText(const QString& AValue) {
    const TJwLockSectionPtr section = Lock()->WriteLock();
    FNewToolTipText = AValue;
    FHasNewToolTipText = true;
}

QString TKvDataDisplay::GetToolTipText() const {
    const TJwLockSectionPtr section = Lock()->ReadLock();
    return FNewToolTipText;
}

bool TKvDataDisplay::GetIsVertical() {
    return false;
}

int32_t TKvDataDisplay::GetColorChannelIndex(TKvDisplayView*) {
    return 0;
}

void TKvDataDisplay::DoColorChannelClick(int32_t) {}

void TKvDataDisplay::DrawToolBar(THxCanvas& ACanvas, bool APrinting) {
    if (APrinting || !FToolBar->GetVisible())
        return;
    if (!FToolBar->GetAutoHide() || MouseIsIn() || ComponentState().testFlag(csDesigning))
        FToolBar->Draw(ACanvas);
}

void TKvDataDisplay::ShowSetup() {
    ShowProperties(0, 0);
}

void TKvDataDisplay::ShowProperties(int32_t, int32_t) {}

void TKvDataDisplay::ShowAxisProperties(int32_t) {}

int32_t TKvDataDisplay::GetAxisIndex(IKvDisplayAxis*) {
    return 0;
}

int32_t TKvDataDisplay::GetXAxisIndex(IKvDisplayAxis*) {
    return 0;
}

int32_t TKvDataDisplay::GetYAxisIndex(IKvDisplayAxis*) {
    return 0;
}

void TKvDataDisplay::GetHitPointText(QString& AText) {
    GetPointLabelText(AText);
}

THxCanvas* TKvDataDisplay::GetBitmapCanvas() {
    return FBitmapCanvas.get();
}
