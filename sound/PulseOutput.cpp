// Audio to PulseAudio through its asynchronous API: the connection, the stream and the rendering
// all live on the threaded main loop's own thread. The caller only takes the loop's lock, which
// that thread holds while it renders a block, never while it waits on the server.
#include "AudioOutput.h"
#include "SoundLog.h"

#include <pulse/pulseaudio.h>

#include <atomic>
#include <cstdint>

namespace {

class TPulseOutput final : public TAudioOutput {
public:
    TPulseOutput(const std::string& Server, TRender Render, TAudioFormat Format)
        : Render(std::move(Render)), Format(Format) {
        Loop = pa_threaded_mainloop_new();
        if (!Loop || pa_threaded_mainloop_start(Loop) < 0) {
            Fail("pulseaudio: cannot start the main loop");
            return;
        }
        pa_threaded_mainloop_lock(Loop);
        Context = pa_context_new(pa_threaded_mainloop_get_api(Loop), "Kelvaro");
        if (Context) {
            pa_context_set_state_callback(Context, ContextState, this);
            // The socket connect does not block; the handshake runs on the loop's thread.
            if (pa_context_connect(Context, Server.empty() ? nullptr : Server.c_str(),
                                   PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
                Fail(std::string("pulseaudio: ") + pa_strerror(pa_context_errno(Context)));
        } else {
            Fail("pulseaudio: cannot make a context");
        }
        pa_threaded_mainloop_unlock(Loop);
    }

    // Never waits on the server: disconnecting only closes the socket, and the loop's thread
    // sits in poll() whenever it does not hold the lock.
    ~TPulseOutput() override {
        if (!Loop) return;
        pa_threaded_mainloop_lock(Loop);
        if (Stream) {
            pa_stream_set_state_callback(Stream, nullptr, nullptr);
            pa_stream_set_write_callback(Stream, nullptr, nullptr);
            pa_stream_disconnect(Stream);
            pa_stream_unref(Stream);
        }
        if (Context) {
            pa_context_set_state_callback(Context, nullptr, nullptr);
            pa_context_disconnect(Context);
            pa_context_unref(Context);
        }
        pa_threaded_mainloop_unlock(Loop);
        pa_threaded_mainloop_stop(Loop);
        pa_threaded_mainloop_free(Loop);
    }

    TPulseOutput(const TPulseOutput&) = delete;
    TPulseOutput& operator=(const TPulseOutput&) = delete;

    void Wake() override {
        if (!Loop) return;
        pa_threaded_mainloop_lock(Loop);
        Wanted = true;
        SilentFrames = 0;
        if (StreamReady && Corked) Uncork();
        pa_threaded_mainloop_unlock(Loop);
    }

    bool Failed() const override { return Dead; }
    bool WasReady() const override { return EverReady; }
    bool Running() const override { return Playing; }

private:
    void Fail(const std::string& Why) {
        if (!Dead.exchange(true)) KeepSoundLog(Why);
        Playing = false;
    }

    static void ContextState(pa_context* C, void* Self) {
        auto* This = static_cast<TPulseOutput*>(Self);
        switch (pa_context_get_state(C)) {
        case PA_CONTEXT_READY:
            This->MakeStream();
            break;
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED:
            This->Fail(std::string("pulseaudio: ") + pa_strerror(pa_context_errno(C)));
            break;
        default:
            break;
        }
    }

    void MakeStream() {
        const pa_sample_spec Spec{PA_SAMPLE_FLOAT32NE, static_cast<uint32_t>(Format.Rate), 2};
        Stream = pa_stream_new(Context, "Kelvaro", &Spec, nullptr);
        if (!Stream) {
            Fail(std::string("pulseaudio: ") + pa_strerror(pa_context_errno(Context)));
            return;
        }
        pa_stream_set_state_callback(Stream, StreamState, this);
        pa_stream_set_write_callback(Stream, Write, this);
        const auto Bytes =
            static_cast<uint32_t>(static_cast<size_t>(Format.LatencyFrames) * FrameBytes);
        const auto Server = static_cast<uint32_t>(-1); // the server's choice
        pa_buffer_attr Attr{Server, Bytes, Server, Server, Server};
        // Made corked: it plays only from the first note on, and no later than that.
        const auto Flags =
            static_cast<pa_stream_flags_t>(PA_STREAM_START_CORKED | PA_STREAM_ADJUST_LATENCY);
        if (pa_stream_connect_playback(Stream, nullptr, &Attr, Flags, nullptr, nullptr) < 0)
            Fail(std::string("pulseaudio: ") + pa_strerror(pa_context_errno(Context)));
    }

    static void StreamState(pa_stream* S, void* Self) {
        auto* This = static_cast<TPulseOutput*>(Self);
        switch (pa_stream_get_state(S)) {
        case PA_STREAM_READY:
            This->StreamReady = true;
            This->EverReady = true;
            if (This->Wanted) This->Uncork();
            break;
        case PA_STREAM_FAILED:
        case PA_STREAM_TERMINATED:
            This->StreamReady = false;
            This->Fail(std::string("pulseaudio stream: ") +
                       pa_strerror(pa_context_errno(This->Context)));
            break;
        default:
            break;
        }
    }

    static void Write(pa_stream* S, size_t Requested, void* Self) {
        auto* This = static_cast<TPulseOutput*>(Self);
        while (Requested >= FrameBytes) {
            void* Data = nullptr;
            size_t Bytes = Requested;
            if (pa_stream_begin_write(S, &Data, &Bytes) < 0 || !Data) return;
            const auto Frames = static_cast<int>(Bytes / FrameBytes);
            if (Frames == 0) {
                pa_stream_cancel_write(S);
                return;
            }
            const bool Sounding = This->Render(static_cast<float*>(Data), Frames);
            const size_t Written = static_cast<size_t>(Frames) * FrameBytes;
            pa_stream_write(S, Data, Written, nullptr, 0, PA_SEEK_RELATIVE);
            Requested -= Written;
            if (!This->Corked) {
                This->SilentFrames = Sounding ? 0 : This->SilentFrames + Frames;
                if (This->SilentFrames >=
                    static_cast<long>(This->Format.IdleSeconds * This->Format.Rate))
                    This->Cork();
            }
        }
    }

    // Stops pulling: the server stops asking for audio and this thread sleeps until Wake.
    void Cork() {
        Corked = true;
        Wanted = false;
        Playing = false;
        if (pa_operation* Op = pa_stream_cork(Stream, 1, nullptr, nullptr)) pa_operation_unref(Op);
    }

    // The buffer still holds the silence rendered before the stop: dropped, so that the next
    // note is the next thing heard.
    void Uncork() {
        Corked = false;
        SilentFrames = 0;
        Playing = true;
        if (pa_operation* Op = pa_stream_flush(Stream, nullptr, nullptr)) pa_operation_unref(Op);
        if (pa_operation* Op = pa_stream_cork(Stream, 0, nullptr, nullptr)) pa_operation_unref(Op);
    }

    static constexpr size_t FrameBytes = 2 * sizeof(float);

    TRender Render;
    TAudioFormat Format;
    pa_threaded_mainloop* Loop = nullptr;
    pa_context* Context = nullptr;
    pa_stream* Stream = nullptr;
    // Read by any thread; the rest only under the loop's lock.
    std::atomic<bool> Dead{false}, EverReady{false}, Playing{false};
    bool StreamReady = false;
    bool Corked = true;
    bool Wanted = false;
    long SilentFrames = 0;
};

} // namespace

std::unique_ptr<TAudioOutput> NewPulseOutput(const std::string& Server, TRender Render,
                                             TAudioFormat Format) {
    return std::make_unique<TPulseOutput>(Server, std::move(Render), Format);
}
