#pragma once
// The display's Y axis (values, on the left by default) and X axis (on the
// bottom by default). On a display that reports itself vertical both are
// turned a quarter: the X axis runs down a side, the Y axis along the top or
// bottom. The data maximum stays with the derived axes.

#include "display/KvDisplayAxis.h"

class TKvBasicDisplayYAxis : public TKvDisplayAxis {
    Q_OBJECT
public:
    // Min -1000, Max 1000, on the left.
    explicit TKvBasicDisplayYAxis(TKvDataDisplay* ADisplay);

    bool IsVerticalDirection() const override;
    bool IsYAxis() const override { return true; }
    bool IsValueFlipped() const override;
    // Values grow upwards, or leftwards when the display is vertical.
    int32_t VerticalValueDirection() const override;
    int32_t HorizontalValueDirection() const override;
    int32_t GetAlign() const override;
    void DefineProperties(TFiler& AFiler) override;

protected:
    ~TKvBasicDisplayYAxis() override;

    // Top becomes left, bottom becomes right.
    void ApplyAlign(TKvViewAlign AValue) override;
};

class TKvBasicDisplayXAxis : public TKvDisplayAxis {
    Q_OBJECT
public:
    // Max 1024, at the bottom.
    explicit TKvBasicDisplayXAxis(TKvDataDisplay* ADisplay);

    int32_t GetSamples() const;
    // 0 (or less) is stored as 1024.
    void SetSamples(int32_t AValue);
    // The data range a derived axis may take: 0, and Samples when set,
    // else Max.DataValue.
    virtual double GetSamplesMin();
    virtual double GetSamplesMax();

    bool IsVerticalDirection() const override;
    bool IsValueFlipped() const override;
    bool IsPixelReversed() const override;
    int32_t GetAlign() const override;
    // AxisLabel.Text, or "X Axis".
    QString GetAxisLabelText() override;

protected:
    ~TKvBasicDisplayXAxis() override;

    // Left becomes top, right becomes bottom.
    void ApplyAlign(TKvViewAlign AValue) override;

    int32_t FSamples = 0;
};
