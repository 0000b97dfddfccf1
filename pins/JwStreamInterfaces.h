#pragma once
// The stream interfaces through which pins receive. Their identifiers are the
// stream type IDs that pins negotiate; each extends a parent, and a type
// without a send function of its own is delivered by its nearest parent's.

#include "platform/Interfaces.h"

namespace JwStreamID {
inline constexpr TGUID Stream = TGUID::Parse("{2BFF1BE1-1698-4CFA-A427-9E0801C5B357}");
inline constexpr TGUID BasicStream = TGUID::Parse("{561B072C-4191-49C6-9F22-21791EF977D9}");
inline constexpr TGUID ClockStream = TGUID::Parse("{48CDAF9F-00C7-4B45-999D-4EE25353A952}");
inline constexpr TGUID DataStream = TGUID::Parse("{CFDF94D7-5134-49D9-AC65-902BBC1CD140}");
inline constexpr TGUID IntegerStream = TGUID::Parse("{92F6B47E-B46E-49BB-9A8E-676D3C2F2E66}");
inline constexpr TGUID FloatStream = TGUID::Parse("{67F6997B-7EB4-4E2F-8320-4A512B5F2BC7}");
inline constexpr TGUID RealStream = TGUID::Parse("{208F9564-3C20-4C97-BB77-2FC5AE6E4194}");
inline constexpr TGUID IntRangedStream = TGUID::Parse("{836EE1EA-B8BD-4E04-8225-6AB547D1A3C4}");
inline constexpr TGUID Int64Stream = TGUID::Parse("{6D054E38-F733-4212-8D5A-0E866802F866}");
inline constexpr TGUID Int64RangedStream = TGUID::Parse("{B201C2F8-CA4D-4CF3-8E6D-E620D2B9D7EF}");
inline constexpr TGUID DateTimeStream = TGUID::Parse("{475D7D8B-4796-42A5-8F8E-B512B8FD2704}");
inline constexpr TGUID KvGenericStream = TGUID::Parse("{20ACBC6D-DA0D-4359-8C78-CE0067D009A0}");
inline constexpr TGUID KvChannelStream = TGUID::Parse("{DB6DD866-611D-4DC4-B46F-459CF8F02ECD}");
inline constexpr TGUID KvBinaryStream = TGUID::Parse("{BD807B57-05AE-44E0-A99F-3D9BAD83395E}");
inline constexpr TGUID KvRealStream = TGUID::Parse("{58041272-EF20-4696-87E6-9EE46ABFBD89}");
inline constexpr TGUID KvRealMatrixStream = TGUID::Parse("{3A3BA3E1-0184-41DA-AA08-5412DD5F2B83}");
inline constexpr TGUID KvIntegerStream = TGUID::Parse("{473B965F-AB43-4493-B9E3-BEE9CF0803D4}");
inline constexpr TGUID KvComplexStream = TGUID::Parse("{BD797143-D7C6-4033-B686-9ABA658346CF}");
inline constexpr TGUID KvStringStream = TGUID::Parse("{939000AB-3C12-4A1D-89B5-33DA284E4929}");
} // namespace JwStreamID

// The interface AID extends, or the null GUID for the base stream and for IDs
// that are no stream interface.
TGUID JwStreamParentID(const TGUID& AID);
// True when AID is AAncestor or extends it.
bool JwStreamExtends(const TGUID& AID, const TGUID& AAncestor);
