#include "waterfall/KvHiddenAxisValue.h"

#include "platform/Filer.h"

void TKvHiddenAxisValue::DefineProperties(TFiler& AFiler) {
    // Whatever the older form held, the value is skipped as a whole.
    const TReaderProc Skip = [](TReader& AReader) { AReader.SkipValue(); };
    AFiler.DefineProperty(QStringLiteral("Value"), Skip, TWriterProc(), false);
    AFiler.DefineProperty(QStringLiteral("_Floats"), Skip, TWriterProc(), false);
}
