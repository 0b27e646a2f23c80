// Runs the built octave-table and checks what it writes and how it fails.

#include "Readings.h"
#include "Utf8.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

struct TRun {
    int Status = -1;
    std::string Out, Err;
};

std::string ReadFile(const std::string& Path) {
    std::ifstream In(Path, std::ios::binary);
    std::stringstream S;
    S << In.rdbuf();
    return S.str();
}

// Runs the tool with Args; Locale, when given, replaces every locale variable of the child, and
// Stdout, when given, is the file its output goes to.
TRun RunTool(std::vector<std::string> Args, const char* Locale = nullptr,
             const char* Stdout = nullptr) {
    std::vector<std::string> Env;
    for (char** E = environ; *E; ++E) {
        const std::string_view V = *E;
        if (Locale &&
            (V.starts_with("LC_") || V.starts_with("LANG=") || V.starts_with("LANGUAGE=")))
            continue;
        Env.emplace_back(V);
    }
    if (Locale) Env.push_back(std::string("LC_ALL=") + Locale);

    char OutPath[] = "/tmp/octave-table-out-XXXXXX", ErrPath[] = "/tmp/octave-table-err-XXXXXX";
    const int OutFd = mkstemp(OutPath), ErrFd = mkstemp(ErrPath);
    posix_spawn_file_actions_t Actions;
    posix_spawn_file_actions_init(&Actions);
    if (Stdout)
        posix_spawn_file_actions_addopen(&Actions, 1, Stdout, O_WRONLY, 0);
    else
        posix_spawn_file_actions_adddup2(&Actions, OutFd, 1);
    posix_spawn_file_actions_adddup2(&Actions, ErrFd, 2);

    Args.insert(Args.begin(), OCTAVE_TABLE);
    std::vector<char*> Argv, Envp;
    for (auto& A : Args)
        Argv.push_back(A.data());
    Argv.push_back(nullptr);
    for (auto& E : Env)
        Envp.push_back(E.data());
    Envp.push_back(nullptr);

    TRun R;
    pid_t Pid = 0;
    if (posix_spawn(&Pid, OCTAVE_TABLE, &Actions, nullptr, Argv.data(), Envp.data()) == 0) {
        int WaitStatus = 0;
        waitpid(Pid, &WaitStatus, 0);
        R.Status = WIFEXITED(WaitStatus) ? WEXITSTATUS(WaitStatus) : 128 + WTERMSIG(WaitStatus);
    }
    posix_spawn_file_actions_destroy(&Actions);
    close(OutFd);
    close(ErrFd);
    R.Out = ReadFile(OutPath);
    R.Err = ReadFile(ErrPath);
    unlink(OutPath);
    unlink(ErrPath);
    return R;
}

std::vector<std::string> Lines(const std::string& Text) {
    std::vector<std::string> L;
    std::istringstream In(Text);
    for (std::string Line; std::getline(In, Line);)
        L.push_back(Line);
    return L;
}

TEST(OctaveTable, BadInputFailsWithOneLineNamingTheOption) {
    const struct {
        std::vector<std::string> Args;
        const char* Names;
    } Cases[] = {
        {{"--tonos", "7"}, "--tonos"},
        {{"--tonos", "-1"}, "--tonos"},
        {{"--tonos", "Doric"}, "--tonos"},
        {{"--tonos"}, "--tonos"},
        {{"--tonos", "3x"}, "--tonos"},
        {{"--mixture", "19"}, "--mixture"},
        {{"--mixture", ""}, "--mixture"},
        {{"--from", "top"}, "--from"},
        {{"--language", "latin"}, "--language"},
        {{"--intervals", "0,14"}, "--intervals"},
        {{"--intervals", "1,,2"}, "--intervals"},
        {{"--intervals", "a"}, "--intervals"},
        {{"--ratios=yes"}, "--ratios"},
        {{"--all", "--mixture", "2"}, "--mixture"},
        {{"--colour"}, "--colour"},
        {{"3"}, "\"3\""},
    };
    for (const auto& C : Cases) {
        const TRun R = RunTool(C.Args);
        SCOPED_TRACE(C.Args.front());
        EXPECT_EQ(R.Status, 2);
        EXPECT_TRUE(R.Out.empty());
        ASSERT_EQ(Lines(R.Err).size(), 1u) << R.Err;
        EXPECT_EQ(R.Err.back(), '\n');
        EXPECT_NE(R.Err.find(C.Names), std::string::npos) << R.Err;
    }
}

TEST(OctaveTable, FailedWriteIsReported) {
    const TRun R = RunTool({"--all"}, nullptr, "/dev/full");
    EXPECT_EQ(R.Status, 1);
    EXPECT_EQ(R.Err, "octave-table: cannot write the output\n");
}

TEST(OctaveTable, HelpPrintsTheUsage) {
    const TRun R = RunTool({"--help"});
    EXPECT_EQ(R.Status, 0);
    EXPECT_TRUE(R.Err.empty());
    EXPECT_TRUE(R.Out.starts_with("Usage: octave-table"));
    for (const char* Option : {"--tonos", "--mixture", "--from", "--language", "--ratios",
                               "--intervals", "--all", "--json"})
        EXPECT_NE(R.Out.find(Option), std::string::npos) << Option;
}

// Qt's parser checks the tool's JSON independently of the tool's own writer.
QJsonObject Parse(const std::string& Line) {
    QJsonParseError Error;
    const QJsonDocument Doc = QJsonDocument::fromJson(QByteArray::fromStdString(Line), &Error);
    EXPECT_EQ(Error.error, QJsonParseError::NoError) << Error.errorString().toStdString();
    EXPECT_TRUE(Doc.isObject());
    return Doc.object();
}

std::vector<std::string> StringArray(const QJsonValue& V) {
    std::vector<std::string> S;
    for (const QJsonValue Item : V.toArray())
        S.push_back(Item.toString().toStdString());
    return S;
}

std::string Str(const QJsonValue& V) {
    return V.toString().toStdString();
}

template <size_t N> std::vector<std::string> Utf8Lines(const std::array<std::u16string, N>& L) {
    std::vector<std::string> S;
    for (const auto& Line : L)
        S.push_back(ToUtf8(Line));
    return S;
}

TEST(OctaveTable, AllAsJsonGivesEveryChoiceInNestingOrder) {
    const TRun R = RunTool({"--all", "--json", "--language", "english"});
    ASSERT_EQ(R.Status, 0) << R.Err;
    const auto L = Lines(R.Out);
    ASSERT_EQ(L.size(), 7u * 19 * 2);
    TChoices C;
    C.Language = 1;
    TOctave Mhkh = MakeOctave();
    TReadings Want;
    size_t n = 0;
    for (C.Tonos = 0; C.Tonos < 7; ++C.Tonos)
        for (C.Mixture = 0; C.Mixture < 19; ++C.Mixture)
            for (C.Start = 0; C.Start < 2; ++C.Start) {
                SCOPED_TRACE(L[n]);
                const std::string& Line = L[n++];
                const QJsonObject J = Parse(Line);
                // The keys in the documented order (a JSON object's order is only in the text).
                size_t At = 0;
                for (const char* Key :
                     {"tonos", "mixture", "start", "language", "kithara", "LTetra", "LBQesei",
                      "LBFusei", "LBArab", "LBGreek", "LBCent", "LBNotes", "MFreq", "MNotesAbs",
                      "LBInt", "Frequency"}) {
                    const size_t Next = Line.find('"' + std::string(Key) + "\":", At);
                    ASSERT_NE(Next, std::string::npos) << Key;
                    At = Next;
                }
                EXPECT_EQ(J.size(), 16);
                UpdateReadings(C, Mhkh, Want);
                EXPECT_EQ(J["tonos"].toInt(), C.Tonos);
                EXPECT_EQ(J["mixture"].toInt(), C.Mixture);
                EXPECT_EQ(J["start"].toInt(), C.Start);
                EXPECT_EQ(J["language"].toInt(), 1);
                EXPECT_EQ(J["kithara"].toInt(), Want.Kithara);
                EXPECT_EQ(Str(J["LTetra"]), ToUtf8(Want.LTetra));
                EXPECT_EQ(StringArray(J["LBQesei"]), Utf8Lines(Want.LBQesei));
                EXPECT_EQ(StringArray(J["LBGreek"]), Utf8Lines(Want.LBGreek));
                EXPECT_EQ(StringArray(J["MFreq"]), Utf8Lines(Want.MFreq));
                EXPECT_EQ(StringArray(J["LBCent"]), Utf8Lines(Want.LBCent));
                EXPECT_EQ(J["LBInt"].toArray().size(), static_cast<qsizetype>(Want.LBInt.size()));
                const QJsonArray F = J["Frequency"].toArray();
                ASSERT_EQ(F.size(), 9);
                for (int32_t k = 0; k < 9; ++k)
                    EXPECT_EQ(F[k].toDouble(), GetFrequency(Mhkh, k));
            }
}

TEST(OctaveTable, JsonLineOfHypodorianFromMese) {
    const TRun R = RunTool({"--json", "--tonos", "6", "--mixture", "0", "--from", "mese"});
    ASSERT_EQ(R.Status, 0) << R.Err;
    ASSERT_EQ(Lines(R.Out).size(), 1u);
    const QJsonObject J = Parse(R.Out);
    EXPECT_EQ(J["kithara"].toInt(), 2);
    EXPECT_EQ(J["language"].toInt(), 0);
    // Greek as written: U+1F79 (omicron with oxia) and U+0374 after the numeral, in UTF-8.
    EXPECT_EQ(Str(J["LBQesei"][7]), "\u03C0\u03C1\u03BF\u03C3\u03BB\u03B1\u03BC\u03B2\u03B1"
                                    "\u03BD\u1F79\u03BC\u03B5\u03BD\u03BF\u03C2");
    EXPECT_EQ(Str(J["LBGreek"][1]), "\u03BE\u03B7\u0374 \u03BB\u03B4\u0374");
    EXPECT_EQ(Str(J["MFreq"][4]), "236.3");
    EXPECT_EQ(J["Frequency"][8].toDouble(), 22050.0 / 135);
    EXPECT_EQ(Str(J["LBInt"][12]), "*2-6: 3/2 +18");
}

TEST(OctaveTable, NamesWorkLikeRows) {
    const TRun ByRow = RunTool({"--tonos", "6", "--mixture", "0", "--language", "english"});
    const TRun ByName = RunTool({"--tonos", "Hypodṓrios", "--mixture",
                                 "khrôma sýntonon + diátonon toniaîon", "--language", "english"});
    const TRun ByGreek =
        RunTool({"--tonos", "Ὑποδωριστί", "--mixture", "0", "--language", "english"});
    EXPECT_EQ(ByRow.Status, 0);
    EXPECT_EQ(ByName.Out, ByRow.Out);
    EXPECT_EQ(ByGreek.Out, ByRow.Out);
}

TEST(OctaveTable, MarksAndRatiosShapeTheIntervalList) {
    const TRun Only = RunTool({"--json", "--intervals", "0"});
    EXPECT_EQ(StringArray(Parse(Only.Out)["LBInt"]),
              (std::vector<std::string>{"1-5: 3/2", "2-6: 3/2", "4-8: 3/2"}));
    const TRun None = RunTool({"--json", "--intervals", ""});
    EXPECT_TRUE(Parse(None.Out)["LBInt"].toArray().isEmpty());
    const TRun Ratios = RunTool({"--json", "--ratios", "--intervals", "2"});
    const QJsonArray All = Parse(Ratios.Out)["LBInt"].toArray();
    EXPECT_EQ(All.size(), 28);
    EXPECT_EQ(Str(All[1]), "1-3: 81/64");
}

TEST(OctaveTable, TextTableShowsEveryColumn) {
    const TRun R = RunTool({"--language", "english"}, "C");
    ASSERT_EQ(R.Status, 0);
    const auto L = Lines(R.Out);
    ASSERT_GE(L.size(), 14u);
    EXPECT_EQ(L[0], "Dṓrios, diátonon toniaîon + diátonon ditoniaîon, from nḗtē");
    EXPECT_EQ(L[1], "Kithara: Lýdia");
    EXPECT_EQ(L[2], "Tetrachords: 27:28  7:8  8:9  -  243:256  8:9  8:9");
    // String 3 carries every kind of reading.
    const std::string& Row = L[7];
    for (const char* Cell :
         {"trítē diezeugménōn", "75 15/16", "\u03BF\u03B5\u0374 \u03BD\u03DA\u0374", " 90 ", "c -6",
          "290.4", "D-20"})
        EXPECT_NE(Row.find(Cell), std::string::npos) << Cell << " in " << Row;
    EXPECT_NE(R.Out.find("*2-8: 9/5 +22"), std::string::npos);
}

TEST(OctaveTable, ForeignLocaleChangesOnlyTheDecimalSeparator) {
    for (const std::vector<std::string>& Args :
         {std::vector<std::string>{}, {"--all", "--language", "english"}}) {
        const TRun InC = RunTool(Args, "C");
        const TRun InGerman = RunTool(Args, "de_DE.UTF-8");
        ASSERT_EQ(InGerman.Status, 0);
        EXPECT_NE(InGerman.Out.find("367,5"), std::string::npos);
        EXPECT_EQ(InGerman.Out.find("367.5"), std::string::npos);
        std::string Swapped = InGerman.Out;
        for (char& C : Swapped)
            if (C == ',') C = '.';
        std::string Expected = InC.Out;
        for (char& C : Expected)
            if (C == ',') C = '.';
        EXPECT_EQ(Swapped, Expected);
    }
    const TRun Json = RunTool({"--all", "--json"}, "de_DE.UTF-8");
    EXPECT_EQ(Json.Out, RunTool({"--all", "--json"}, "C").Out);
}

TEST(OctaveTable, UnknownLocaleFallsBackToPoint) {
    const TRun R = RunTool({}, "xx_YY.nonsense");
    EXPECT_EQ(R.Status, 0);
    EXPECT_NE(R.Out.find("367.5"), std::string::npos);
}

} // namespace
