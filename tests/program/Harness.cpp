#include "Harness.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <xcb/xcb.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <sys/prctl.h>
#include <unistd.h>

namespace harness {

namespace {

// Generous: the machine runs builds beside the tests.
constexpr int StartTimeoutMs = 60000;

// Children end with the test process, however it ends (an abort, ctest's timeout): a server
// or a program left behind would run on for good.
void DieWithParent(QProcess& Child) {
    Child.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

QProcessEnvironment ServerEnvironment(const QString& Dir) {
    QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
    // Everything the server and its clients keep goes into the private folder.
    Env.insert("HOME", Dir);
    Env.insert("XDG_RUNTIME_DIR", Dir);
    Env.insert("PULSE_RUNTIME_PATH", Dir + "/run");
    Env.insert("PULSE_STATE_PATH", Dir + "/state");
    Env.remove("DBUS_SESSION_BUS_ADDRESS");
    // Without a display it cannot start a session bus through X: that client's coming and going
    // would reset the X server the program is about to connect to.
    Env.remove("DISPLAY");
    return Env;
}

// A second connection to the X server, for what xdotool cannot do.
class TX11 {
public:
    TX11() : Connection(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(Connection)) return;
        Root = xcb_setup_roots_iterator(xcb_get_setup(Connection)).data->root;
        Protocols = Atom("WM_PROTOCOLS");
        Ping = Atom("_NET_WM_PING");
        Delete = Atom("WM_DELETE_WINDOW");
    }
    ~TX11() { xcb_disconnect(Connection); }
    TX11(const TX11&) = delete;
    TX11& operator=(const TX11&) = delete;

    bool Ok() const { return !xcb_connection_has_error(Connection) && Root; }

    void Send(xcb_window_t Window, xcb_atom_t What, uint32_t Stamp) {
        xcb_client_message_event_t Event;
        std::memset(&Event, 0, sizeof Event);
        Event.response_type = XCB_CLIENT_MESSAGE;
        Event.format = 32;
        Event.window = Window;
        Event.type = Protocols;
        Event.data.data32[0] = What;
        Event.data.data32[1] = Stamp;
        Event.data.data32[2] = Window;
        xcb_send_event(Connection, 0, Window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&Event));
        xcb_flush(Connection);
    }

    // The program answers a ping by sending it back to the root window.
    std::optional<double> PingMs(xcb_window_t Window, int TimeoutMs) {
        // Qt sends the answer with the structure-notify and substructure-redirect masks.
        const uint32_t Mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(Connection, Root, XCB_CW_EVENT_MASK, &Mask);
        const auto Stamp = static_cast<uint32_t>(++Pings);
        QElapsedTimer Clock;
        Clock.start();
        Send(Window, Ping, Stamp);
        while (Clock.elapsed() < TimeoutMs) {
            xcb_generic_event_t* Event = xcb_poll_for_event(Connection);
            if (!Event) {
                QThread::usleep(200);
                continue;
            }
            bool Answer = false;
            if ((Event->response_type & 0x7F) == XCB_CLIENT_MESSAGE) {
                const auto* Message = reinterpret_cast<xcb_client_message_event_t*>(Event);
                Answer = Message->data.data32[0] == Ping && Message->data.data32[1] == Stamp;
            }
            std::free(Event);
            if (Answer) return static_cast<double>(Clock.nsecsElapsed()) / 1e6;
        }
        return std::nullopt;
    }

    void Close(xcb_window_t Window) { Send(Window, Delete, XCB_CURRENT_TIME); }

    bool HasWindowManager() {
        const xcb_atom_t Check = Atom("_NET_SUPPORTING_WM_CHECK");
        auto Cookie = xcb_get_property(Connection, 0, Root, Check, XCB_ATOM_WINDOW, 0, 1);
        xcb_get_property_reply_t* Reply = xcb_get_property_reply(Connection, Cookie, nullptr);
        const bool Found = Reply && xcb_get_property_value_length(Reply) == 4;
        std::free(Reply);
        return Found;
    }

private:
    xcb_atom_t Atom(const char* Name) {
        auto Cookie =
            xcb_intern_atom(Connection, 0, static_cast<uint16_t>(std::strlen(Name)), Name);
        xcb_intern_atom_reply_t* Reply = xcb_intern_atom_reply(Connection, Cookie, nullptr);
        const xcb_atom_t Result = Reply ? Reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(Reply);
        return Result;
    }

    xcb_connection_t* Connection;
    xcb_window_t Root = 0;
    xcb_atom_t Protocols = 0, Ping = 0, Delete = 0;
    int Pings = 0;
};

TX11& X11() {
    static TX11 Connection;
    return Connection;
}

} // namespace

TPulseServer::TPulseServer() {
    // A file, not a pipe nobody drains: a full pipe would stop the server at its next line.
    Server.setProcessChannelMode(QProcess::MergedChannels);
    Server.setStandardOutputFile(Dir.filePath("server.log"), QIODevice::Append);
    DieWithParent(Server);
}

TPulseServer::~TPulseServer() {
    Resume();
    Kill();
}

QString TPulseServer::Log() const {
    QFile File(Dir.filePath("server.log"));
    return File.open(QIODevice::ReadOnly) ? QString::fromUtf8(File.readAll()) : QString();
}

QString TPulseServer::Address() const {
    return "unix:" + Dir.path() + "/native";
}

bool TPulseServer::Start() {
    if (!Dir.isValid()) return false;
    QFile Script(Dir.filePath("server.pa"));
    if (!Script.open(QIODevice::WriteOnly)) return false;
    Script.write(QStringLiteral("load-module module-native-protocol-unix socket=%1/native "
                                "auth-anonymous=1\n"
                                "load-module module-null-sink sink_name=%2 rate=%3\n"
                                "set-default-sink %2\n")
                     .arg(Dir.path(), Sink())
                     .arg(Rate)
                     .toUtf8());
    Script.close();
    Server.setProcessEnvironment(ServerEnvironment(Dir.path()));
    // No default script, no idle exit, no shared memory (the capture and the program are
    // separate clients either way).
    Server.start("pulseaudio",
                 {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "--system=no",
                  "--disable-shm=yes", "-F", Script.fileName(), "--log-target=stderr"});
    const auto Failed = [this](const char* Why) {
        std::cerr << "pulseaudio " << Why << "; its output:\n"
                  << Log().toStdString() << "--- end of its output\n";
        return false;
    };
    if (!Server.waitForStarted(10000)) return Failed("did not start");
    QElapsedTimer Clock;
    Clock.start();
    while (Clock.elapsed() < 20000) {
        if (!Pactl({"list", "sinks", "short"}, 2000).isEmpty()) return true;
        if (Server.waitForFinished(50) || Server.state() == QProcess::NotRunning)
            return Failed("ended before it answered");
    }
    return Failed("did not answer within 20 s");
}

void TPulseServer::Kill() {
    if (Server.state() == QProcess::NotRunning) return;
    Server.kill();
    Server.waitForFinished(10000);
}

void TPulseServer::Pause() {
    if (Server.state() != QProcess::NotRunning)
        ::kill(static_cast<pid_t>(Server.processId()), SIGSTOP);
}

void TPulseServer::Resume() {
    if (Server.state() != QProcess::NotRunning)
        ::kill(static_cast<pid_t>(Server.processId()), SIGCONT);
}

QString TPulseServer::Pactl(const QStringList& Arguments, int TimeoutMs) const {
    QProcess Tool;
    QProcessEnvironment Env = ServerEnvironment(Dir.path());
    Env.insert("PULSE_SERVER", Address());
    Tool.setProcessEnvironment(Env);
    Tool.start("pactl", Arguments);
    if (!Tool.waitForFinished(TimeoutMs)) {
        Tool.kill();
        Tool.waitForFinished(2000);
        return {};
    }
    if (Tool.exitStatus() != QProcess::NormalExit || Tool.exitCode() != 0) return {};
    const QString Text = QString::fromUtf8(Tool.readAllStandardOutput());
    return Text.isEmpty() ? QStringLiteral("\n") : Text;
}

TCapture::TCapture(const TPulseServer& Server) : Server(Server) {
    DieWithParent(Parec);
}

TCapture::~TCapture() {
    Stop();
}

bool TCapture::Start() {
    Stop();
    QFile::remove(Dir.filePath("capture.raw"));
    Parec.setStandardOutputFile(Dir.filePath("capture.raw"));
    Parec.setProcessEnvironment(ServerEnvironment(Dir.path()));
    Parec.start("parec", {"--server=" + Server.Address(), "-d", Server.Sink() + ".monitor", "--raw",
                          "--format=s16le", QStringLiteral("--rate=%1").arg(Rate), "--channels=1",
                          "--latency-msec=10"});
    if (!Parec.waitForStarted(10000)) return false;
    // Running once the first samples arrive (the null sink renders silence all the time).
    QElapsedTimer Clock;
    Clock.start();
    while (Clock.elapsed() < 20000)
        if (Frames() > 0)
            return true;
        else if (Parec.waitForFinished(10) || Parec.state() == QProcess::NotRunning)
            break;
    std::cerr << "parec: no samples ("
              << (Parec.state() == QProcess::NotRunning ? "ended" : "running")
              << "): " << Parec.readAllStandardError().toStdString() << "\n";
    return false;
}

void TCapture::Stop() {
    if (Parec.state() == QProcess::NotRunning) return;
    Parec.terminate();
    if (!Parec.waitForFinished(5000)) {
        Parec.kill();
        Parec.waitForFinished(5000);
    }
}

size_t TCapture::Frames() const {
    return static_cast<size_t>(QFileInfo(Dir.filePath("capture.raw")).size() / 2);
}

std::vector<float> TCapture::Samples() const {
    std::vector<float> Result;
    std::ifstream In(Dir.filePath("capture.raw").toStdString(), std::ios::binary);
    int16_t Sample = 0;
    while (In.read(reinterpret_cast<char*>(&Sample), sizeof Sample))
        Result.push_back(static_cast<float>(Sample) / 32768.0f);
    return Result;
}

TProgram::TProgram(const TPulseServer& Server) : Server(Server) {
    // Into a file, read whenever wanted: a pipe is only drained while this process waits on
    // it, and a full one would block the program's next line.
    Process.setProcessChannelMode(QProcess::MergedChannels);
    Process.setStandardOutputFile(Dir.filePath("program.log"));
    DieWithParent(Process);
}

TProgram::~TProgram() {
    if (Ended()) return;
    std::cerr << "kelvaro " << Pid() << " still running at the end of the test: killed\n";
    Process.kill();
    Process.waitForFinished(10000);
    Ended();
}

bool TProgram::Start() {
    QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
    Env.insert("PULSE_SERVER", Server.Address());
    Env.insert("QT_QPA_PLATFORM", "xcb");
    Env.insert("KELVARO_SOUND_LOG", "1");
    Process.setProcessEnvironment(Env);
    // Another build of the program can be put to the same tests.
    Reported = false;
    WindowId = 0;
    Started.start();
    Process.start(qEnvironmentVariable("KELVARO_PROGRAM", KELVARO_PROGRAM), {});
    if (!Process.waitForStarted(10000)) return Fail("did not start: " + Process.errorString());
    QElapsedTimer Clock;
    Clock.start();
    while (Clock.elapsed() < StartTimeoutMs && WindowId == 0) {
        const std::vector<quint32> Found = Windows();
        if (!Found.empty()) WindowId = Found.front();
        // The pause between searches is a wait on the process: an end is seen at once.
        if (WindowId == 0) Process.waitForFinished(50);
        if (Ended()) return false;
    }
    if (WindowId == 0) return Fail("no window within 60 s");
    if (!Xdotool({"windowfocus", "--sync", QString::number(WindowId)}))
        return Ended() ? false : Fail("its window could not be focused");
    // The stream appears, corked, once the soundfont is in: keys before it would be silent.
    bool Numeric = false;
    const int StreamWaitMs = qEnvironmentVariableIntValue("KELVARO_STREAM_WAIT_MS", &Numeric);
    Clock.restart();
    while (Clock.elapsed() < (Numeric ? StreamWaitMs : StartTimeoutMs)) {
        if (Server.Pactl({"list", "sink-inputs", "short"}).trimmed().size() > 0) return true;
        Process.waitForFinished(50);
        if (Ended()) return false;
    }
    return Numeric || Fail("no audio stream within 60 s");
}

bool TProgram::Fail(const QString& Why) {
    std::cerr << "kelvaro " << Pid() << ": " << Why.toStdString() << " (" << Status().toStdString()
              << "); its output:\n"
              << Log().toStdString() << "--- end of its output\n";
    return false;
}

bool TProgram::Ended() {
    if (Process.state() != QProcess::NotRunning) Process.waitForFinished(0);
    if (Process.state() != QProcess::NotRunning) return false;
    if (!Reported && Started.isValid()) {
        Reported = true;
        std::cerr << "kelvaro ended " << Started.elapsed()
                  << " ms after its start: " << Status().toStdString() << "; its output:\n"
                  << Log().toStdString() << "--- end of its output\n";
    }
    return true;
}

QString TProgram::Status() const {
    if (Process.state() != QProcess::NotRunning) return QStringLiteral("running");
    if (Process.error() == QProcess::FailedToStart) return Process.errorString();
    if (Process.exitStatus() == QProcess::NormalExit)
        return QStringLiteral("exit status %1").arg(Process.exitCode());
    return QStringLiteral("signal %1 (%2)")
        .arg(Process.exitCode())
        .arg(QString::fromUtf8(strsignal(Process.exitCode())));
}

QString TProgram::Log() const {
    QFile File(Dir.filePath("program.log"));
    return File.open(QIODevice::ReadOnly) ? QString::fromUtf8(File.readAll()) : QString();
}

bool TProgram::Xdotool(const QStringList& Arguments) {
    QProcess Tool;
    Tool.start("xdotool", Arguments);
    if (!Tool.waitForStarted(10000) || !Tool.waitForFinished(60000)) return false;
    return Tool.exitStatus() == QProcess::NormalExit && Tool.exitCode() == 0;
}

std::optional<double> TProgram::PingMs(int TimeoutMs) {
    if (!X11().Ok()) return std::nullopt;
    return X11().PingMs(WindowId, TimeoutMs);
}

void TProgram::Close(quint32 Which) {
    if (X11().Ok()) X11().Close(Which ? Which : WindowId);
}

std::vector<quint32> TProgram::Windows() {
    QProcess Search;
    Search.start("xdotool", {"search", "--onlyvisible", "--pid", QString::number(Pid())});
    Search.waitForFinished(10000);
    std::vector<quint32> Result;
    for (const QString& Id :
         QString::fromUtf8(Search.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
        Result.push_back(Id.toUInt());
    return Result;
}

bool WaitForWindowManager(int TimeoutMs) {
    QElapsedTimer Clock;
    Clock.start();
    while (X11().Ok() && Clock.elapsed() < TimeoutMs) {
        if (X11().HasWindowManager()) return true;
        QThread::msleep(20);
    }
    return false;
}

double ResidentBytes(qint64 Pid) {
    std::ifstream Status("/proc/" + std::to_string(Pid) + "/status");
    for (std::string Line; std::getline(Status, Line);)
        if (Line.rfind("VmRSS:", 0) == 0) return 1024 * std::stod(Line.substr(6));
    return 0;
}

std::optional<double> TProgram::WaitExitMs(int TimeoutMs) {
    QElapsedTimer Clock;
    Clock.start();
    while (Process.state() != QProcess::NotRunning) {
        if (Clock.elapsed() > TimeoutMs) return std::nullopt;
        Process.waitForFinished(1);
    }
    const double Ms = static_cast<double>(Clock.nsecsElapsed()) / 1e6;
    Ended();
    return Ms;
}

double ProcessCpuSeconds(qint64 Pid) {
    std::ifstream Stat("/proc/" + std::to_string(Pid) + "/stat");
    std::string Text((std::istreambuf_iterator<char>(Stat)), std::istreambuf_iterator<char>());
    // The fields after the command name, which is in parentheses and may hold spaces.
    const size_t After = Text.rfind(')');
    if (After == std::string::npos) return 0;
    std::istringstream Fields(Text.substr(After + 2));
    std::string Field;
    double Ticks = 0;
    for (int i = 3; i <= 15 && Fields >> Field; ++i)
        if (i == 14 || i == 15) Ticks += std::stod(Field);
    return Ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

std::vector<size_t> Onsets(const std::vector<float>& Samples, float Threshold) {
    std::vector<size_t> Result;
    const size_t Quiet = Rate / 10;
    size_t QuietRun = Quiet;
    // Armed by a quiet stretch; the rise to the threshold may pass half of it first.
    bool Armed = true;
    for (size_t i = 0; i < Samples.size(); ++i) {
        const float Level = std::abs(Samples[i]);
        QuietRun = Level < Threshold / 2 ? QuietRun + 1 : 0;
        if (QuietRun >= Quiet) Armed = true;
        if (Level > Threshold && Armed) {
            Result.push_back(i);
            Armed = false;
        }
    }
    return Result;
}

float Peak(const std::vector<float>& Samples, size_t From, size_t To) {
    float Result = 0;
    for (size_t i = From; i < std::min(To, Samples.size()); ++i)
        Result = std::max(Result, std::abs(Samples[i]));
    return Result;
}

double Median(std::vector<double> Values) {
    if (Values.empty()) return 0;
    std::sort(Values.begin(), Values.end());
    const size_t Middle = Values.size() / 2;
    return Values.size() % 2 ? Values[Middle] : (Values[Middle - 1] + Values[Middle]) / 2;
}

} // namespace harness
