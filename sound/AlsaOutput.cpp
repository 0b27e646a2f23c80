// Audio to an ALSA device from a thread of this output's own. ALSA's calls block (opening the
// "default" device through its PulseAudio plugin waits for a hung server), so only that thread
// makes them; the caller only flags what it wants. A thread that cannot finish at once is left
// to end by itself: it renders only under the shared lock and never once told to quit.
#include "AudioOutput.h"
#include "SoundLog.h"

#include <alsa/asoundlib.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {

struct TAlsaShared {
    std::mutex Lock;
    std::condition_variable Signal;
    TRender Render;
    bool Quit = false;
    bool Wanted = false;
    bool InAlsa = false; // in an ALSA call that may block, the lock released
    std::atomic<bool> Dead{false}, EverReady{false}, Playing{false};
};

void Fail(TAlsaShared& S, const std::string& Why) {
    if (!S.Dead.exchange(true)) KeepSoundLog("alsa output: " + Why);
    S.Playing = false;
}

snd_pcm_t* OpenDevice(TAlsaShared& S, const std::string& Device, const TAudioFormat& Format,
                      snd_pcm_uframes_t& Period) {
    snd_pcm_t* Pcm = nullptr;
    int Error = snd_pcm_open(&Pcm, Device.c_str(), SND_PCM_STREAM_PLAYBACK, 0);
    if (Error < 0) {
        Fail(S, snd_strerror(Error));
        return nullptr;
    }
    const auto LatencyUs = static_cast<unsigned>(2e6 * Format.LatencyFrames / Format.Rate);
    snd_pcm_uframes_t Buffer = 0;
    Error = snd_pcm_set_params(Pcm, SND_PCM_FORMAT_FLOAT, SND_PCM_ACCESS_RW_INTERLEAVED, 2,
                               static_cast<unsigned>(Format.Rate), 1, LatencyUs);
    if (Error >= 0) Error = snd_pcm_get_params(Pcm, &Buffer, &Period);
    if (Error < 0 || Period == 0) {
        Fail(S, Error < 0 ? snd_strerror(Error) : "no period size");
        snd_pcm_close(Pcm);
        return nullptr;
    }
    return Pcm;
}

void Run(std::shared_ptr<TAlsaShared> Shared, std::string Device, TAudioFormat Format) {
    TAlsaShared& S = *Shared;
    snd_pcm_t* Pcm = nullptr;
    snd_pcm_uframes_t Period = 0;
    std::vector<float> Block;
    const auto IdleFrames = static_cast<long>(Format.IdleSeconds * Format.Rate);
    std::unique_lock Guard(S.Lock);
    while (!S.Quit && !S.Dead) {
        S.Signal.wait(Guard, [&] { return S.Quit || S.Wanted; });
        if (S.Quit) break;
        S.InAlsa = true;
        Guard.unlock();
        if (!Pcm)
            Pcm = OpenDevice(S, Device, Format, Period);
        else
            snd_pcm_prepare(Pcm);
        Guard.lock();
        S.InAlsa = false;
        if (!Pcm) break;
        S.EverReady = true;
        S.Playing = true;
        Block.resize(2 * Period);
        long SilentFrames = 0;
        while (!S.Quit) {
            if (S.Wanted) SilentFrames = 0;
            S.Wanted = false;
            const bool Sounding = S.Render(Block.data(), static_cast<int>(Period));
            SilentFrames = Sounding ? 0 : SilentFrames + static_cast<long>(Period);
            if (SilentFrames >= IdleFrames) break;
            S.InAlsa = true;
            Guard.unlock();
            snd_pcm_sframes_t Written = snd_pcm_writei(Pcm, Block.data(), Period);
            if (Written < 0) Written = snd_pcm_recover(Pcm, static_cast<int>(Written), 1);
            Guard.lock();
            S.InAlsa = false;
            if (Written < 0) {
                Fail(S, snd_strerror(static_cast<int>(Written)));
                break;
            }
        }
        S.Playing = false;
        if (!S.Dead && !S.Quit) {
            // Idle: the device stops, and this thread sleeps until Wake.
            S.InAlsa = true;
            Guard.unlock();
            snd_pcm_drop(Pcm);
            Guard.lock();
            S.InAlsa = false;
        }
    }
    Guard.unlock();
    if (Pcm) snd_pcm_close(Pcm);
}

class TAlsaOutput final : public TAudioOutput {
public:
    TAlsaOutput(const std::string& Device, TRender Render, TAudioFormat Format)
        : Shared(std::make_shared<TAlsaShared>()) {
        Shared->Render = std::move(Render);
        Thread = std::thread(Run, Shared, Device, Format);
    }

    ~TAlsaOutput() override {
        bool Blocked = false;
        {
            std::lock_guard Guard(Shared->Lock);
            Shared->Quit = true;
            Shared->Render = nullptr;
            Blocked = Shared->InAlsa;
        }
        Shared->Signal.notify_all();
        if (Blocked)
            Thread.detach(); // it ends by itself once ALSA returns, and renders no more
        else
            Thread.join(); // waiting or idle: it closes the device and ends at once
    }

    TAlsaOutput(const TAlsaOutput&) = delete;
    TAlsaOutput& operator=(const TAlsaOutput&) = delete;

    void Wake() override {
        {
            std::lock_guard Guard(Shared->Lock);
            Shared->Wanted = true;
        }
        Shared->Signal.notify_all();
    }
    bool Failed() const override { return Shared->Dead; }
    bool WasReady() const override { return Shared->EverReady; }
    bool Running() const override { return Shared->Playing; }

private:
    std::shared_ptr<TAlsaShared> Shared;
    std::thread Thread;
};

} // namespace

std::unique_ptr<TAudioOutput> NewAlsaOutput(const std::string& Device, TRender Render,
                                            TAudioFormat Format) {
    return std::make_unique<TAlsaOutput>(Device, std::move(Render), Format);
}
