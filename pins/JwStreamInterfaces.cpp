#include "pins/JwStreamInterfaces.h"

#include <array>
#include <utility>

namespace {

using namespace JwStreamID;

constexpr std::array<std::pair<TGUID, TGUID>, 18> Parents{{
    {BasicStream, Stream},
    {ClockStream, BasicStream},
    {DataStream, BasicStream},
    {IntegerStream, DataStream},
    {FloatStream, DataStream},
    {RealStream, DataStream},
    {IntRangedStream, DataStream},
    {Int64Stream, DataStream},
    {Int64RangedStream, DataStream},
    {DateTimeStream, DataStream},
    {KvGenericStream, DataStream},
    {KvChannelStream, KvGenericStream},
    {KvBinaryStream, KvChannelStream},
    {KvRealStream, KvChannelStream},
    {KvRealMatrixStream, KvChannelStream},
    {KvIntegerStream, KvChannelStream},
    {KvComplexStream, KvChannelStream},
    {KvStringStream, KvChannelStream},
}};

} // namespace

TGUID JwStreamParentID(const TGUID& AID) {
    for (const auto& [ID, Parent] : Parents)
        if (ID == AID)
            return Parent;
    return {};
}

bool JwStreamExtends(const TGUID& AID, const TGUID& AAncestor) {
    for (TGUID ID = AID; !ID.IsNull(); ID = JwStreamParentID(ID))
        if (ID == AAncestor)
            return true;
    return false;
}
