#include "platform/Interfaces.h"

#include "platform/Exceptions.h"

void GUIDTextError(std::string_view AText) {
    throw EConvertError(
        QStringLiteral("'%1' is not a valid GUID value")
            .arg(QString::fromUtf8(AText.data(), static_cast<qsizetype>(AText.size()))));
}

TGUID TGUID::FromString(const QString& AText) {
    const QByteArray Latin = AText.toLatin1();
    return Parse(std::string_view(Latin.constData(), static_cast<size_t>(Latin.size())));
}

QString TGUID::ToString() const {
    auto HexText = [](uint32_t AValue, int AWidth) {
        return QStringLiteral("%1").arg(AValue, AWidth, 16, QLatin1Char('0')).toUpper();
    };
    QString R = QLatin1Char('{') + HexText(D1, 8) + QLatin1Char('-') + HexText(D2, 4) +
                QLatin1Char('-') + HexText(D3, 4) + QLatin1Char('-') + HexText(D4[0], 2) +
                HexText(D4[1], 2) + QLatin1Char('-');
    for (size_t I = 2; I < 8; ++I)
        R += HexText(D4[I], 2);
    return R + QLatin1Char('}');
}
