#include "pins/JwConverterList.h"

#include <algorithm>

TJwFormatConverter* JwShareConverter(std::vector<TJwFormatConverter*>& AList,
                                     TJwFormatConverterClass AClass, const TGUID& AInputID,
                                     const TGUID& AOutputID) {
    for (auto* Converter : AList)
        if (Converter->GetInputID() == AInputID && Converter->GetOutputID() == AOutputID) {
            Converter->AddRef();
            return Converter;
        }
    if (!AClass)
        return nullptr;
    auto* Converter = AClass(AInputID, AOutputID);
    Converter->AddRef();
    AList.push_back(Converter);
    return Converter;
}

bool JwUnshareConverter(std::vector<TJwFormatConverter*>& AList, TJwFormatConverter* AConverter) {
    if (AConverter->ReleaseRef() > 0)
        return false;
    const auto It = std::find(AList.begin(), AList.end(), AConverter);
    if (It == AList.end())
        return false;
    AList.erase(It);
    return true;
}
