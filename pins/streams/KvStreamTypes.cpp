#include "pins/streams/KvStreamTypes.h"

#include <algorithm>
#include <mutex>

#include "buffers/KvBlockBuffer.h"
#include "buffers/KvComplexBuffer.h"
#include "buffers/KvIntegerBuffer.h"
#include "buffers/KvRealBuffer.h"
#include "pins/streams/KvStreamTypesOperations.h"

namespace {

// Runs while the program starts, after (and if need be, by way of) the value types.
[[maybe_unused]] const bool GRegistered = (KvStreamTypesInitialize(), true);

struct TBufferRegistry {
    std::mutex Lock;
    std::vector<TKvJwStreamTypeEntry> Entries;
};

TBufferRegistry& BufferRegistry() {
    static TBufferRegistry R;
    return R;
}

} // namespace

TJwSuppliedBufferOperation::TJwSuppliedBufferOperation(const TKvDataPtr& ABuffer)
    : FBuffer(ABuffer ? ABuffer->MakeCopy() : TKvDataPtr()) {}

void RegisterBufferStreamType(const TGUID& AID, uint32_t ASampleSize,
                              TKvJwCreateBufferFunction ACreateFunction,
                              TKvJwUpdateBufferFunction AUpdateFunction) {
    auto& R = BufferRegistry();
    std::lock_guard L(R.Lock);
    auto It = std::find_if(R.Entries.begin(), R.Entries.end(),
                           [&](const TKvJwStreamTypeEntry& E) { return E.ID == AID; });
    if (It == R.Entries.end()) {
        R.Entries.push_back({AID, ASampleSize, {}, {}});
        It = R.Entries.end() - 1;
    }
    It->CreateFunction = std::move(ACreateFunction);
    It->UpdateFunction = std::move(AUpdateFunction);
}

bool FindBufferStreamType(const TGUID& AID, TKvJwStreamTypeEntry& AEntry) {
    auto& R = BufferRegistry();
    std::lock_guard L(R.Lock);
    for (const auto& Entry : R.Entries)
        if (Entry.ID == AID) {
            AEntry = Entry;
            return true;
        }
    return false;
}

std::vector<TKvJwStreamTypeEntry> GetBufferStreamTypeEntries() {
    auto& R = BufferRegistry();
    std::lock_guard L(R.Lock);
    return R.Entries;
}

bool KvBufferSend(TJwPin*, TJwPin* AReceiver, const TGUID& AID, uint32_t AState,
                  const TJwNotifyOperationPtr& AOperation) {
    if ((AState & JwStateRequest) || !AReceiver)
        return false;
    TJwNotifyOperationPtr Operation = AOperation;
    // Rates travel per byte; receivers of real or integer samples get them per sample.
    if (auto* Rate = dynamic_cast<TJwStartSampleRateOperation*>(AOperation->Instance())) {
        if (AReceiver->OffersStream(KvStreamTypeID::Real))
            Operation = new TJwStartSampleRateOperation(Rate->GetRate() / 8);
        else if (AReceiver->OffersStream(KvStreamTypeID::Integer))
            Operation = new TJwStartSampleRateOperation(Rate->GetRate() / 4);
    }
    auto* Stream = dynamic_cast<IJwKvGenericStream*>(AReceiver);
    return Stream ? Stream->DispatchData(AID, Operation, AState) : false;
}

void KvStreamTypesInitialize() {
    JwStdTypesInitialize();
    static std::once_flag Once;
    std::call_once(Once, [] {
        using namespace KvStreamTypeID;
        const auto Name = [](const TGUID& AID, const char* AName, bool ASend) {
            RegisterStreamTypeName(AID, QString::fromLatin1(AName));
            if (ASend)
                RegisterStreamSendFunction(AID, &KvBufferSend);
        };
        Name(Binary, "Kv binary buffer", true);
        Name(Real, "Kv real buffer", true);
        Name(Integer, "Kv integer buffer", true);
        Name(Complex, "Kv complex buffer", true);
        Name(Universal, "Kv Universal buffer", false);
        Name(Generic, "Kv Generic buffer", true);
        Name(PairedBuffers, "Kv Paired Buffers", true);
        Name(String, "Kv String", true);
        Name(RealMatrix, "Kv Real Matrix", true);
        Name(UserControl, "User control", false);

        // The update function leaves the buffer as it is.
        const TKvJwUpdateBufferFunction Keep = [](const TKvDataPtr&) {};
        const TKvJwCreateBufferFunction Block = [](uint32_t ASamples) {
            return TKvDataPtr(TKvBlockBuffer::CreateSize(ASamples));
        };
        RegisterBufferStreamType(Generic, 1, Block, Keep);
        RegisterBufferStreamType(Binary, 1, Block, Keep);
        RegisterBufferStreamType(
            Real, 8,
            [](uint32_t ASamples) { return TKvDataPtr(TKvRealBuffer::CreateSize(ASamples)); },
            Keep);
        RegisterBufferStreamType(
            Integer, 4,
            [](uint32_t ASamples) { return TKvDataPtr(TKvIntegerBuffer::CreateSize(ASamples)); },
            Keep);
        RegisterBufferStreamType(
            Complex, 16,
            [](uint32_t ASamples) { return TKvDataPtr(TKvComplexBuffer::CreateSize(ASamples)); },
            Keep);

        RegisterFormatConverter(Integer, Binary,
                                &JwConverterClass<TKvJwIntToBinaryFormatConverter>);
        RegisterFormatConverter(Real, Binary, &JwConverterClass<TKvJwRealToBinaryFormatConverter>);
        RegisterFormatConverter(Complex, Binary,
                                &JwConverterClass<TKvJwComplexToBinaryFormatConverter>);
        RegisterFormatConverter(Integer, Real, &JwConverterClass<TKvJwIntToRealFormatConverter>);
        RegisterFormatConverter(JwStdTypeID::DateTime, String,
                                &JwConverterClass<TKvJwTimeToStringFormatConverter>);
        RegisterFormatConverter(JwStdTypeID::Integer, String,
                                &JwConverterClass<TKvJwIntegerToStringFormatConverter>);
        RegisterFormatConverter(JwStdTypeID::Real, String,
                                &JwConverterClass<TKvJwRealToStringFormatConverter>);
        RegisterFormatConverter(Real, RealMatrix,
                                &JwConverterClass<TKvJwRealToRealMatrixFormatConverter>);
    });
}
