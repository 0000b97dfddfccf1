#pragma once
// Keeps an object whole while one of its own long operations runs (a print):
// a Free of it from inside, such as a user's handler called during the
// operation that frees the control, waits until the last guard of that
// object closes, and that guard frees it. So the operation touches nothing
// of the object once its guard has closed: the guard is its first local.

class TPersistent;

class TFreeGuard {
public:
    explicit TFreeGuard(TPersistent* AObject);
    ~TFreeGuard();
    TFreeGuard(const TFreeGuard&) = delete;
    TFreeGuard& operator=(const TFreeGuard&) = delete;

private:
    TPersistent* FObject;
};
