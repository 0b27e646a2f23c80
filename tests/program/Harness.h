#pragma once
// The real program against a private PulseAudio server with a null sink, on the X server that
// xvfb-run provides: what it plays is captured from the sink's monitor, its keys come from
// xdotool, and whether its window answers is asked over X itself (_NET_WM_PING).

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>
#include <vector>

namespace harness {

constexpr int Rate = 44100;

// Processor time a process has used, user and system, in seconds.
double ProcessCpuSeconds(qint64 Pid);

// A PulseAudio server of its own (root is fine), reachable only through a socket in a
// temporary folder, with one null sink. Killed and removed with the object.
class TPulseServer {
public:
    TPulseServer();
    ~TPulseServer();
    TPulseServer(const TPulseServer&) = delete;
    TPulseServer& operator=(const TPulseServer&) = delete;

    // Starts it and waits until it answers; false when it did not within 20 s.
    bool Start();
    void Kill();
    // Stops and continues the process: a hung server, then one that answers again.
    void Pause();
    void Resume();
    // The server's answer to pactl with these arguments; empty when it failed.
    QString Pactl(const QStringList& Arguments, int TimeoutMs = 10000) const;
    QString Address() const;
    qint64 Pid() const { return Server.processId(); }
    QString Sink() const { return QStringLiteral("kelvaro_null"); }
    // What the server printed, from its start.
    QString Log() const;

private:
    QTemporaryDir Dir;
    QProcess Server;
};

// The sink's monitor, mono 16-bit at Rate, written to a file by parec.
class TCapture {
public:
    explicit TCapture(const TPulseServer& Server);
    ~TCapture();
    TCapture(const TCapture&) = delete;
    TCapture& operator=(const TCapture&) = delete;

    bool Start();
    void Stop();
    // Frames captured so far: a mark in the capture for the moment of the call.
    size_t Frames() const;
    std::vector<float> Samples() const;

private:
    const TPulseServer& Server;
    QTemporaryDir Dir;
    QProcess Parec;
};

// The program itself, started with the private server as its session's one.
class TProgram {
public:
    explicit TProgram(const TPulseServer& Server);
    ~TProgram();
    TProgram(const TProgram&) = delete;
    TProgram& operator=(const TProgram&) = delete;

    // Starts it, waits for its window (focused) and for its audio stream, which appears once
    // the soundfont has loaded; false when the window did not come within 60 s. The wait for
    // the stream is 60 s too, or KELVARO_STREAM_WAIT_MS (for a build that makes none ahead).
    // When it fails, or whenever the process is seen to end, what the program printed and how
    // it ended go to stderr.
    bool Start();
    // Runs xdotool with these arguments; false when it failed.
    bool Xdotool(const QStringList& Arguments);
    // Round trip of a _NET_WM_PING through the program's event loop, in milliseconds; nullopt
    // when no answer came within TimeoutMs.
    std::optional<double> PingMs(int TimeoutMs);
    // Asks the window, or another of the program's, to close as a window manager would
    // (WM_DELETE_WINDOW).
    void Close(quint32 Which = 0);
    // The program's visible windows, the main one among them.
    std::vector<quint32> Windows();
    // Milliseconds until the process ended; nullopt when it had not within TimeoutMs.
    std::optional<double> WaitExitMs(int TimeoutMs);
    // Processor time the process has used, user and system, in seconds.
    double CpuSeconds() const { return ProcessCpuSeconds(Pid()); }
    qint64 Pid() const { return Process.processId(); }
    quint32 Window() const { return WindowId; }
    // Everything the program printed so far, stdout and stderr, kept in a file.
    QString Log() const;
    bool WasStarted() const { return Started.isValid(); }
    // How it ended ("exit status 0", "signal 6 (Aborted)"), or that it still runs.
    QString Status() const;

    // True when the process has ended; the first time it is seen, its status and log are
    // printed.
    bool Ended();

private:
    bool Fail(const QString& Why);

    const TPulseServer& Server;
    QTemporaryDir Dir;
    QProcess Process;
    QElapsedTimer Started;
    quint32 WindowId = 0;
    bool Reported = false;
};

// Waits until a window manager runs on the display (it names itself on the root window); false
// when none did within TimeoutMs.
bool WaitForWindowManager(int TimeoutMs);

// Resident memory of a process in bytes, 0 when it is gone.
double ResidentBytes(qint64 Pid);

// Start of each note: the first sample above Threshold after at least 100 ms under half of it.
std::vector<size_t> Onsets(const std::vector<float>& Samples, float Threshold);
// Loudest absolute sample in [From, To).
float Peak(const std::vector<float>& Samples, size_t From, size_t To);

double Median(std::vector<double> Values);

} // namespace harness
