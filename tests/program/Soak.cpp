// A long run of the real program under random but seeded X events, against a private PulseAudio
// server that fails now and then; run by scripts/soak on a display with a window manager.
// Prints one line of figures; a failure also prints the seed that repeats the run.
#include "Harness.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <random>
#include <string>

namespace {

using namespace harness;

constexpr int PingEveryMs = 5000;
constexpr int FaultEveryMs = 60000;
constexpr int PauseMs = 3000;
constexpr double PingBoundMs = 100;
constexpr double ExitBoundMs = 1000;
// Louder than any tail, far under a struck note (as in the program tests).
constexpr float Audible = 0.003f;

class TSoak {
public:
    TSoak(int Seconds, unsigned Seed) : Seconds(Seconds), Seed(Seed), Random(Seed) {}

    int Run();

private:
    bool Start();
    void Event();
    void Click(int X, int Y);
    void DropDown();
    void Dialog(const QString& Opening);
    void CloseDialogs();
    void Ping();
    void Fault();
    bool Alive();
    void Finish();
    int Pick(int Count) { return std::uniform_int_distribution<int>(0, Count - 1)(Random); }
    bool Keys(const QString& Line) {
        ++Events;
        return Program.Xdotool(Line.split(' ', Qt::SkipEmptyParts));
    }
    QString Window() const { return QString::number(Program.Window()); }

    const int Seconds;
    const unsigned Seed;
    std::mt19937 Random;
    TPulseServer Server;
    TCapture Capture{Server};
    TProgram Program{Server};
    QElapsedTimer Clock;
    int Width = 659, Height = 499;
    bool CapsLock = false;
    qint64 NextPing = PingEveryMs, NextFault = FaultEveryMs, ResumeAt = -1;

    int Events = 0, Faults = 0, Crashes = 0, Hangs = 0, StuckNotes = 0, Failures = 0;
    double SlowestPing = 0, FirstRss = 0, LastRss = 0, FirstCpu = 0, LastCpu = 0;
    std::string Exit = "none";
};

bool TSoak::Start() {
    if (!WaitForWindowManager(20000)) {
        std::cerr << "soak: no window manager on the display\n";
        return false;
    }
    if (!Server.Start() || !Capture.Start() || !Program.Start()) return false;
    QProcess Geometry;
    Geometry.start("xdotool", {"getwindowgeometry", "--shell", Window()});
    Geometry.waitForFinished(10000);
    for (const QString& Line : QString::fromUtf8(Geometry.readAllStandardOutput()).split('\n')) {
        if (Line.startsWith("WIDTH=")) Width = Line.mid(6).toInt();
        if (Line.startsWith("HEIGHT=")) Height = Line.mid(7).toInt();
    }
    return true;
}

void TSoak::Click(int X, int Y) {
    Keys(QStringLiteral("mousemove --window %1 %2 %3 click 1").arg(Window()).arg(X).arg(Y));
}

// Where the controls are, as fractions of the window (the layout stretches with it).
struct TSpot {
    double X, Y;
};
constexpr TSpot DropDowns[] = {{0.17, 0.04}, {0.13, 0.11}, {0.80, 0.11}, {0.14, 0.96}};
constexpr TSpot Languages[] = {{0.39, 0.04}, {0.48, 0.04}};
constexpr TSpot AboutNotice = {0.86, 0.96};

// A drop-down list opened, perhaps moved in, and closed by a key or a click beside it.
void TSoak::DropDown() {
    const TSpot& Spot = DropDowns[Pick(std::size(DropDowns))];
    Click(static_cast<int>(Spot.X * Width), static_cast<int>(Spot.Y * Height));
    if (Pick(2)) Keys(Pick(2) ? "key Down" : "key Up");
    switch (Pick(3)) {
    case 0:
        Keys("key Escape");
        break;
    case 1:
        Keys("key Return");
        break;
    default:
        Click(static_cast<int>(0.62 * Width), static_cast<int>(0.19 * Height));
        break;
    }
}

void TSoak::Dialog(const QString& Opening) {
    Keys(Opening);
    // Opened: a second window of the program; closed by Escape, as a user does.
    QElapsedTimer Wait;
    Wait.start();
    while (Program.Windows().size() < 2 && Wait.elapsed() < 5000)
        QThread::msleep(20);
    QThread::msleep(static_cast<unsigned long>(100 + Pick(400)));
    CloseDialogs();
}

void TSoak::CloseDialogs() {
    for (int Try = 0; Try < 3; ++Try) {
        const std::vector<quint32> Open = Program.Windows();
        if (Open.size() < 2) return;
        for (quint32 Id : Open)
            if (Id != Program.Window())
                Try == 0 ? (void)Keys(QStringLiteral("windowfocus --sync %1 key Escape").arg(Id))
                         : Program.Close(Id);
        QThread::msleep(200);
    }
    std::cerr << "soak: a dialog of the program did not close\n";
    ++Failures;
}

void TSoak::Event() {
    static const char* const Others[] = {"a",    "q",     "z",    "space",  "minus",
                                         "Left", "Right", "Up",   "Down",   "Home",
                                         "End",  "Prior", "Next", "period", "KP_End"};
    static const char* const Modifiers[] = {"", "shift+", "ctrl+"};
    const int Kind = Pick(100);
    const QString Digit = QString::number(1 + Pick(9));
    if (Kind < 40) {
        Keys(QStringLiteral("key %1").arg(QString::fromLatin1(Modifiers[Pick(3)]) + Digit));
    } else if (Kind < 45) {
        Keys(QStringLiteral("keydown %1 sleep 0.%2 keyup %1").arg(Digit).arg(1 + Pick(8)));
    } else if (Kind < 50) {
        Keys("key Caps_Lock");
        CapsLock = !CapsLock;
    } else if (Kind < 62) {
        Keys(QStringLiteral("key %1").arg(QString::fromLatin1(Others[Pick(std::size(Others))])));
    } else if (Kind < 70) {
        Keys(Pick(2) ? "key Tab" : "key shift+Tab");
    } else if (Kind < 82) {
        Click(Pick(Width), Pick(Height));
    } else if (Kind < 90) {
        DropDown();
    } else if (Kind < 95) {
        const TSpot& Spot = Languages[Pick(2)];
        Click(static_cast<int>(Spot.X * Width), static_cast<int>(Spot.Y * Height));
    } else if (Kind < 98) {
        Dialog("key F1");
    } else {
        Dialog(QStringLiteral("mousemove --window %1 %2 %3 click 1")
                   .arg(Window())
                   .arg(static_cast<int>(AboutNotice.X * Width))
                   .arg(static_cast<int>(AboutNotice.Y * Height)));
    }
    // A click anywhere can open the About box or leave a list open: neither may stay.
    if (Kind >= 70 && Kind < 82) CloseDialogs();
}

void TSoak::Ping() {
    const std::optional<double> Answer = Program.PingMs(5000);
    const double Ms = Answer.value_or(5000);
    SlowestPing = std::max(SlowestPing, Ms);
    if (Ms > PingBoundMs) {
        ++Hangs;
        std::cerr << "soak: ping " << Ms << " ms at " << Clock.elapsed() / 1000 << " s\n";
    }
    LastRss = ResidentBytes(Program.Pid());
    LastCpu = Program.CpuSeconds();
    if (FirstRss == 0) {
        FirstRss = LastRss;
        FirstCpu = LastCpu;
    }
}

// Alternately the server killed and started again, or stopped for a while and continued.
void TSoak::Fault() {
    ++Faults;
    if (Faults % 2) {
        Server.Kill();
        if (!Server.Start() || !Capture.Start()) {
            std::cerr << "soak: the sound server did not come back\n";
            ++Failures;
        }
    } else {
        Server.Pause();
        ResumeAt = Clock.elapsed() + PauseMs;
    }
}

bool TSoak::Alive() {
    if (!Program.Ended()) return true;
    ++Crashes;
    std::cerr << "soak: the program ended by itself at " << Clock.elapsed() / 1000
              << " s: " << Program.Status().toStdString() << "\n";
    return false;
}

// A note struck and silenced by a non-digit key: nothing may sound after it. Then the close.
void TSoak::Finish() {
    CloseDialogs();
    if (CapsLock) Keys("key Caps_Lock");
    Keys("windowfocus --sync " + Window());
    bool Heard = false;
    size_t Silenced = 0;
    // The first note after a restarted server may come while the stream connects: a second try.
    for (int Try = 0; Try < 2 && !Heard; ++Try) {
        const size_t From = Capture.Frames();
        Keys("key 5 sleep 0.6");
        Silenced = Capture.Frames();
        Keys("key a");
        Heard = Peak(Capture.Samples(), From, Silenced) > Audible;
    }
    QThread::msleep(1600);
    if (!Heard) {
        std::cerr << "soak: the last note was not heard\n";
        ++Failures;
    }
    const float After = Peak(Capture.Samples(), Silenced + Rate / 2, Silenced + 3 * Rate / 2);
    if (After > Audible) {
        ++StuckNotes;
        std::cerr << "soak: sound after the silencing key, peak " << After << "\n";
    }
    Program.Close();
    const std::optional<double> Ended = Program.WaitExitMs(10000);
    Exit = Program.Status().toStdString();
    if (Ended) Exit += " after " + std::to_string(static_cast<int>(*Ended)) + " ms";
    if (!Ended || *Ended > ExitBoundMs || Program.Status() != "exit status 0") ++Failures;
}

int TSoak::Run() {
    if (!Start()) {
        std::printf("soak: the program did not start; seed %u\n", Seed);
        return 1;
    }
    Clock.start();
    Ping();
    bool Running = true;
    while (Running && Clock.elapsed() < 1000LL * Seconds) {
        if (ResumeAt >= 0 && Clock.elapsed() >= ResumeAt) {
            Server.Resume();
            ResumeAt = -1;
        }
        if (Clock.elapsed() >= NextFault) {
            Fault();
            NextFault += FaultEveryMs;
        } else if (Clock.elapsed() >= NextPing) {
            Ping();
            NextPing += PingEveryMs;
        } else {
            Event();
            QThread::msleep(static_cast<unsigned long>(20 + Pick(180)));
        }
        Running = Alive();
    }
    if (ResumeAt >= 0) Server.Resume();
    if (Running) {
        Ping();
        Finish();
    }
    const bool Passed = Crashes == 0 && Hangs == 0 && StuckNotes == 0 && Failures == 0;
    std::printf("soak %d s: events %d, faults %d, crashes %d, hangs %d, slowest ping %.1f ms, "
                "memory %.1f MB first %.1f MB last, cpu %.1f s, stuck notes %d, exit %s%s\n",
                Seconds, Events, Faults, Crashes, Hangs, SlowestPing, FirstRss / 1e6, LastRss / 1e6,
                LastCpu - FirstCpu, StuckNotes, Exit.c_str(),
                Passed ? ""
                       : (", FAILED; repeat with: scripts/soak " + std::to_string(Seconds) + " " +
                          std::to_string(Seed))
                             .c_str());
    return Passed ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication Application(argc, argv);
    if (argc < 2 || std::atoi(argv[1]) <= 0) {
        std::fputs("usage: kelvaro_soak SECONDS [SEED]\n", stderr);
        return 2;
    }
    const unsigned Seed =
        argc > 2 ? static_cast<unsigned>(std::stoul(argv[2])) : std::random_device{}();
    return TSoak(std::atoi(argv[1]), Seed).Run();
}
