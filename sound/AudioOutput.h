#pragma once
// Where the embedded synthesizer's audio goes: a stream to the sound server or the sound device
// that pulls rendered audio on a thread of its own. No call waits on the server or the device:
// connecting, starting and stopping all happen on that thread, so a hung server can never stall
// the caller.

#include <functional>
#include <memory>
#include <string>

// Fills Frames frames of interleaved stereo samples; true while anything sounds. Called on the
// output's thread, never after the output is destroyed.
using TRender = std::function<bool(float* Interleaved, int Frames)>;

struct TAudioFormat {
    int Rate = 44100;
    // What the stream keeps buffered ahead of the speaker while it plays.
    int LatencyFrames = 512;
    // Silence for this long stops the stream (no thread wakes, the server idles) until Wake.
    double IdleSeconds = 1.0;
};

class TAudioOutput {
public:
    virtual ~TAudioOutput() = default;
    // Lets the stream run; it stops by itself after IdleSeconds of silence.
    virtual void Wake() = 0;
    // The connection or the device is gone, or could not be had: the owner makes a new output.
    virtual bool Failed() const = 0;
    // The stream was ready once: a failure before that means no server or device to be had.
    virtual bool WasReady() const = 0;
    // Audio is being pulled now; false while stopped for silence, connecting, or failed.
    virtual bool Running() const = 0;
};

// PulseAudio (also served by PipeWire); an empty Server means the session's own.
std::unique_ptr<TAudioOutput> NewPulseOutput(const std::string& Server, TRender Render,
                                             TAudioFormat Format);
// An ALSA device by name.
std::unique_ptr<TAudioOutput> NewAlsaOutput(const std::string& Device, TRender Render,
                                            TAudioFormat Format);
