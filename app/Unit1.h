#pragma once
// The demo's main form: one waterfall filling the window, fed one frame of
// "FFTDemoData.bin" (opened by its bare name, from the current directory)
// every 20 ms.

#include "platform/FileStream.h"
#include "platform/Forms.h"

#include <memory>

class TKvWaterfall;
class TTimer;

class TForm1 : public TForm {
    Q_OBJECT
public:
    // Reads the form's stored layout (a resource), which creates KvWaterfall1
    // and Timer1 and binds the handlers. OnCreate runs when the creator calls
    // DoCreate.
    Q_INVOKABLE explicit TForm1(TComponent* AOwner);

    TKvWaterfall* KvWaterfall1 = nullptr;
    TTimer* Timer1 = nullptr;

    // Whether the data file is open.
    bool FileOpen() const { return AFile != nullptr; }

    Q_INVOKABLE void FormCreate(TComponent* Sender);
    Q_INVOKABLE void FormDestroy(TComponent* Sender);
    Q_INVOKABLE void Timer1Timer(TComponent* Sender);

protected:
    ~TForm1() override;

private:
    std::unique_ptr<TFileStream> AFile;
};
