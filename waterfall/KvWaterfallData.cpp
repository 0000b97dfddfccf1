#include "waterfall/KvWaterfallData.h"

#include "buffers/KvBufferErrors.h"
#include "buffers/KvIntegerBuffer.h"
#include "buffers/KvRealBuffer.h"

namespace {

// A null array stands for no row at all rather than for ASize unreadable values.
template <class T, class TMake>
TKvRealBufferPtr MakeRow(const T* ABuffer, uint32_t ASize, TMake AMake) {
    if (!ABuffer)
        return nullptr;
    return AMake(ABuffer, ASize);
}

} // namespace

void TKvBasicWaterfallData::AddData(const TKvIntegerBufferPtr& ABuffer) {
    if (ABuffer)
        AddData(ABuffer->Read(), ABuffer->GetSize());
}

void TKvBasicWaterfallData::SetData(uint32_t AIndex, const TKvIntegerBufferPtr& ABuffer) {
    if (ABuffer)
        SetData(AIndex, ABuffer->Read(), ABuffer->GetSize());
}

double TKvWaterfallData::DoGetSampleRate() {
    return FWaterfall.GetSampleRate();
}

void TKvWaterfallData::DoSetSampleRate(double AValue) {
    FWaterfall.SetSampleRate(AValue);
}

void TKvWaterfallData::AddNew(TKvRealBufferPtr ARow) {
    if (ARow)
        FWaterfall.QueueInputBuffer(ARow, true);
}

void TKvWaterfallData::DoAddRealBuffer(const TKvRealBufferPtr& ABuffer) {
    if (ABuffer)
        FWaterfall.QueueInputBuffer(ABuffer, false);
}

void TKvWaterfallData::DoAddWordData(const uint16_t* ABuffer, uint32_t ASize) {
    AddNew(MakeRow(ABuffer, ASize, &TKvRealBuffer::CreateWordData));
}

void TKvWaterfallData::DoAddSmallIntData(const int16_t* ABuffer, uint32_t ASize) {
    AddNew(MakeRow(ABuffer, ASize, &TKvRealBuffer::CreateSmallIntData));
}

void TKvWaterfallData::DoAddCardinalData(const uint32_t* ABuffer, uint32_t ASize) {
    AddNew(MakeRow(ABuffer, ASize, &TKvRealBuffer::CreateCardinalData));
}

void TKvWaterfallData::DoAddIntegerData(const int32_t* ABuffer, uint32_t ASize) {
    AddNew(MakeRow(ABuffer, ASize, &TKvRealBuffer::CreateIntegerData));
}

void TKvWaterfallData::DoAddSingleData(const float* ABuffer, uint32_t ASize) {
    AddNew(MakeRow(ABuffer, ASize, &TKvRealBuffer::CreateSingleData));
}

void TKvWaterfallData::DoAddDoubleData(const double* ABuffer, uint32_t ASize) {
    AddNew(MakeRow(ABuffer, ASize, &TKvRealBuffer::CreateData));
}

void TKvWaterfallData::SetChecked(uint32_t AIndex, const TKvRealBufferPtr& ARow) {
    if (ARow && !FWaterfall.SetBufferAt(AIndex, ARow))
        KvRangeError("Index out of range = %u", AIndex);
}

void TKvWaterfallData::DoSetRealBuffer(uint32_t AIndex, const TKvRealBufferPtr& ABuffer) {
    SetChecked(AIndex, ABuffer);
}

void TKvWaterfallData::DoSetWordData(uint32_t AIndex, const uint16_t* ABuffer, uint32_t ASize) {
    SetChecked(AIndex, MakeRow(ABuffer, ASize, &TKvRealBuffer::CreateWordData));
}

void TKvWaterfallData::DoSetSmallIntData(uint32_t AIndex, const int16_t* ABuffer, uint32_t ASize) {
    SetChecked(AIndex, MakeRow(ABuffer, ASize, &TKvRealBuffer::CreateSmallIntData));
}

void TKvWaterfallData::DoSetCardinalData(uint32_t AIndex, const uint32_t* ABuffer, uint32_t ASize) {
    SetChecked(AIndex, MakeRow(ABuffer, ASize, &TKvRealBuffer::CreateCardinalData));
}

void TKvWaterfallData::DoSetIntegerData(uint32_t AIndex, const int32_t* ABuffer, uint32_t ASize) {
    SetChecked(AIndex, MakeRow(ABuffer, ASize, &TKvRealBuffer::CreateIntegerData));
}

void TKvWaterfallData::DoSetSingleData(uint32_t AIndex, const float* ABuffer, uint32_t ASize) {
    SetChecked(AIndex, MakeRow(ABuffer, ASize, &TKvRealBuffer::CreateSingleData));
}

void TKvWaterfallData::DoSetDoubleData(uint32_t AIndex, const double* ABuffer, uint32_t ASize) {
    SetChecked(AIndex, MakeRow(ABuffer, ASize, &TKvRealBuffer::CreateData));
}

TKvRealBufferArray TKvWaterfallData::DoGetData() {
    return FWaterfall.GetBuffers();
}

TKvRealBufferArray TKvWaterfallData::DoGetDrawData() {
    return FWaterfall.GetDrawBuffers();
}

void TKvWaterfallData::DoClear() {
    FWaterfall.ClearBuffers();
}
