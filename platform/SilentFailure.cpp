#include "platform/SilentFailure.h"

#include <QtGlobal>
#include <mutex>
#include <set>
#include <string>

namespace {

std::string DescribeCurrent() {
    try {
        throw;
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "unknown exception";
    }
}

} // namespace

void ReportSilentFailure(const char* AWhere) noexcept {
    try {
        std::string key = AWhere ? AWhere : "";
        key += ": ";
        key += std::current_exception() ? DescribeCurrent() : std::string("no exception");
        static std::mutex Guard;
        static std::set<std::string> Seen;
        {
            const std::lock_guard lock(Guard);
            if (!Seen.insert(key).second)
                return;
        }
        qWarning("%s", key.c_str());
    } catch (...) {
        // out of memory while reporting: stay silent rather than terminate
    }
}
