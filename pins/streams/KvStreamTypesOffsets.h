#pragma once
// Offsets by which display elements place themselves: a distance from an
// anchor corner or edge. A change notifies the owner.

#include <QObject>

#include "foundation/HxPersistentNotify.h"

namespace KvOffsets {
Q_NAMESPACE

enum TKvCoordinateMode {
    cmLeftTop,
    cmLeftBottom,
    cmLeftCenter,
    cmRightTop,
    cmRightBottom,
    cmRightCenter,
    cmTopCenter,
    cmBottomCenter,
    cmCenter
};
Q_ENUM_NS(TKvCoordinateMode)

} // namespace KvOffsets

using KvOffsets::TKvCoordinateMode;
using enum KvOffsets::TKvCoordinateMode;

class TKvOffset : public THxPersistentNotify {
    Q_OBJECT
    Q_PROPERTY(int32_t CX READ GetCX WRITE SetCX)
    Q_PROPERTY(int32_t CY READ GetCY WRITE SetCY)
    Q_CLASSINFO("default:CX", "0")
    Q_CLASSINFO("default:CY", "0")
public:
    using THxPersistentNotify::THxPersistentNotify;

    int32_t GetCX() const;
    void SetCX(int32_t AValue);
    int32_t GetCY() const;
    void SetCY(int32_t AValue);

protected:
    ~TKvOffset() override;

private:
    int32_t FCX = 0;
    int32_t FCY = 0;
};

class TKvCoordinateOffset : public TKvOffset {
    Q_OBJECT
    Q_PROPERTY(
        KvOffsets::TKvCoordinateMode CoordinateMode READ GetCoordinateMode WRITE SetCoordinateMode)
    Q_CLASSINFO("default:CoordinateMode", "cmLeftTop")
public:
    using TKvOffset::TKvOffset;

    TKvCoordinateMode GetCoordinateMode() const;
    void SetCoordinateMode(TKvCoordinateMode AValue);

protected:
    ~TKvCoordinateOffset() override;

private:
    TKvCoordinateMode FCoordinateMode = cmLeftTop;
};
