#include "SoundLog.h"

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <set>

namespace {

struct TSoundLog {
    std::mutex Lock;
    std::deque<std::string> Lines;
    std::set<std::string> Printed;
};

// Never destroyed: the platform output is a static too, and its teardown at exit still logs.
TSoundLog& Log() {
    static auto* L = new TSoundLog;
    return *L;
}

} // namespace

void KeepSoundLog(std::string Line) {
    // Bounded: a failing output retried at every key adds lines for the whole run.
    constexpr size_t MaxLines = 200;
    TSoundLog& L = Log();
    std::lock_guard Guard(L.Lock);
    // Each distinct line once, so the drum channel's "instrument substituted" note of every open
    // does not repeat; the set of printed lines is bounded too.
    constexpr size_t MaxPrinted = 1000;
    if (std::getenv("KELVARO_SOUND_LOG") && L.Printed.size() < MaxPrinted &&
        L.Printed.insert(Line).second)
        std::fprintf(stderr, "kelvaro sound: %s\n", Line.c_str());
    if (L.Lines.size() == MaxLines) L.Lines.pop_front();
    L.Lines.push_back(std::move(Line));
}

std::vector<std::string> SoundLog() {
    std::lock_guard Guard(Log().Lock);
    return {Log().Lines.begin(), Log().Lines.end()};
}

void ClearSoundLog() {
    std::lock_guard Guard(Log().Lock);
    Log().Lines.clear();
}
