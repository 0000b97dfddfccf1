#pragma once
// The waterfall's Data object: how an application adds, replaces, reads and
// clears rows. The public overloads by element type are thin: each turns its
// array into a real buffer and hands it to one protected operation.

#include <cstdint>

#include "buffers/KvBufferInterfaces.h"
#include "waterfall/KvWaterfallRows.h"

class TKvBasicWaterfallData {
public:
    virtual ~TKvBasicWaterfallData() = default;

    // Any thread. A null array adds nothing.
    void AddData(const uint16_t* ABuffer, uint32_t ASize) { DoAddWordData(ABuffer, ASize); }
    void AddData(const int16_t* ABuffer, uint32_t ASize) { DoAddSmallIntData(ABuffer, ASize); }
    void AddData(const uint32_t* ABuffer, uint32_t ASize) { DoAddCardinalData(ABuffer, ASize); }
    void AddData(const int32_t* ABuffer, uint32_t ASize) { DoAddIntegerData(ABuffer, ASize); }
    void AddData(const float* ABuffer, uint32_t ASize) { DoAddSingleData(ABuffer, ASize); }
    void AddData(const double* ABuffer, uint32_t ASize) { DoAddDoubleData(ABuffer, ASize); }
    void AddData(const TKvRealBufferPtr& ABuffer) { DoAddRealBuffer(ABuffer); }
    void AddData(const TKvIntegerBufferPtr& ABuffer);

    // Raise ERangeError "Index out of range = %u" when AIndex lies past the
    // history and the rows waiting for it.
    void SetData(uint32_t AIndex, const uint16_t* ABuffer, uint32_t ASize) {
        DoSetWordData(AIndex, ABuffer, ASize);
    }
    void SetData(uint32_t AIndex, const int16_t* ABuffer, uint32_t ASize) {
        DoSetSmallIntData(AIndex, ABuffer, ASize);
    }
    void SetData(uint32_t AIndex, const uint32_t* ABuffer, uint32_t ASize) {
        DoSetCardinalData(AIndex, ABuffer, ASize);
    }
    void SetData(uint32_t AIndex, const int32_t* ABuffer, uint32_t ASize) {
        DoSetIntegerData(AIndex, ABuffer, ASize);
    }
    void SetData(uint32_t AIndex, const float* ABuffer, uint32_t ASize) {
        DoSetSingleData(AIndex, ABuffer, ASize);
    }
    void SetData(uint32_t AIndex, const double* ABuffer, uint32_t ASize) {
        DoSetDoubleData(AIndex, ABuffer, ASize);
    }
    void SetData(uint32_t AIndex, const TKvRealBufferPtr& ABuffer) {
        DoSetRealBuffer(AIndex, ABuffer);
    }
    void SetData(uint32_t AIndex, const TKvIntegerBufferPtr& ABuffer);

    // Fresh copies: the caller may keep or change them.
    TKvRealBufferArray GetData() { return DoGetData(); }
    TKvRealBufferArray GetDrawData() { return DoGetDrawData(); }
    void Clear() { DoClear(); }

    double GetSampleRate() { return DoGetSampleRate(); }
    void SetSampleRate(double AValue) { DoSetSampleRate(AValue); }

protected:
    TKvBasicWaterfallData() = default;

    virtual double DoGetSampleRate() = 0;
    virtual void DoSetSampleRate(double AValue) = 0;
    virtual void DoAddRealBuffer(const TKvRealBufferPtr& ABuffer) = 0;
    virtual void DoAddWordData(const uint16_t* ABuffer, uint32_t ASize) = 0;
    virtual void DoAddSmallIntData(const int16_t* ABuffer, uint32_t ASize) = 0;
    virtual void DoAddCardinalData(const uint32_t* ABuffer, uint32_t ASize) = 0;
    virtual void DoAddIntegerData(const int32_t* ABuffer, uint32_t ASize) = 0;
    virtual void DoAddSingleData(const float* ABuffer, uint32_t ASize) = 0;
    virtual void DoAddDoubleData(const double* ABuffer, uint32_t ASize) = 0;
    virtual void DoSetRealBuffer(uint32_t AIndex, const TKvRealBufferPtr& ABuffer) = 0;
    virtual void DoSetWordData(uint32_t AIndex, const uint16_t* ABuffer, uint32_t ASize) = 0;
    virtual void DoSetSmallIntData(uint32_t AIndex, const int16_t* ABuffer, uint32_t ASize) = 0;
    virtual void DoSetCardinalData(uint32_t AIndex, const uint32_t* ABuffer, uint32_t ASize) = 0;
    virtual void DoSetIntegerData(uint32_t AIndex, const int32_t* ABuffer, uint32_t ASize) = 0;
    virtual void DoSetSingleData(uint32_t AIndex, const float* ABuffer, uint32_t ASize) = 0;
    virtual void DoSetDoubleData(uint32_t AIndex, const double* ABuffer, uint32_t ASize) = 0;
    virtual TKvRealBufferArray DoGetData() = 0;
    virtual TKvRealBufferArray DoGetDrawData() = 0;
    virtual void DoClear() = 0;
};

// The waterfall operations the Data object forwards to.
class TKvWaterfallDataTarget {
public:
    // ARow is a copy already when AOwned (nobody else holds it).
    virtual bool QueueInputBuffer(const TKvRealBufferPtr& ARow, bool AOwned) = 0;
    virtual bool SetBufferAt(uint32_t AIndex, const TKvRealBufferPtr& ARow) = 0;
    virtual TKvRealBufferArray GetBuffers() = 0;
    virtual TKvRealBufferArray GetDrawBuffers() = 0;
    virtual void ClearBuffers() = 0;
    virtual double GetSampleRate() = 0;
    virtual void SetSampleRate(double AValue) = 0;

protected:
    ~TKvWaterfallDataTarget() = default;
};

class TKvWaterfallData : public TKvBasicWaterfallData {
public:
    explicit TKvWaterfallData(TKvWaterfallDataTarget& AWaterfall) : FWaterfall(AWaterfall) {}

protected:
    double DoGetSampleRate() override;
    void DoSetSampleRate(double AValue) override;
    void DoAddRealBuffer(const TKvRealBufferPtr& ABuffer) override;
    void DoAddWordData(const uint16_t* ABuffer, uint32_t ASize) override;
    void DoAddSmallIntData(const int16_t* ABuffer, uint32_t ASize) override;
    void DoAddCardinalData(const uint32_t* ABuffer, uint32_t ASize) override;
    void DoAddIntegerData(const int32_t* ABuffer, uint32_t ASize) override;
    void DoAddSingleData(const float* ABuffer, uint32_t ASize) override;
    void DoAddDoubleData(const double* ABuffer, uint32_t ASize) override;
    void DoSetRealBuffer(uint32_t AIndex, const TKvRealBufferPtr& ABuffer) override;
    void DoSetWordData(uint32_t AIndex, const uint16_t* ABuffer, uint32_t ASize) override;
    void DoSetSmallIntData(uint32_t AIndex, const int16_t* ABuffer, uint32_t ASize) override;
    void DoSetCardinalData(uint32_t AIndex, const uint32_t* ABuffer, uint32_t ASize) override;
    void DoSetIntegerData(uint32_t AIndex, const int32_t* ABuffer, uint32_t ASize) override;
    void DoSetSingleData(uint32_t AIndex, const float* ABuffer, uint32_t ASize) override;
    void DoSetDoubleData(uint32_t AIndex, const double* ABuffer, uint32_t ASize) override;
    TKvRealBufferArray DoGetData() override;
    TKvRealBufferArray DoGetDrawData() override;
    void DoClear() override;

private:
    void AddNew(TKvRealBufferPtr ARow);
    void SetChecked(uint32_t AIndex, const TKvRealBufferPtr& ARow);

    TKvWaterfallDataTarget& FWaterfall;
};
