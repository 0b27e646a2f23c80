// Runs the built octave-table and checks what it writes and how it fails.

#include "Escape.h"
#include "FormatReaders.h"
#include "NameMatch.h"
#include "Readings.h"
#include "Tables.h"
#include "Utf8.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

struct TRun {
    int Status = -1;
    std::string Out, Err;
};

// Runs the tool with Args (UTF-8); Locale, when given, replaces every locale variable of the
// child, and Stdout, when given, is the file its output goes to.
TRun RunTool(const std::vector<std::string>& Args, const char* Locale = nullptr,
             const char* Stdout = nullptr) {
    QProcess Tool;
    QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
    if (Locale) {
        for (const QString& Key : Env.keys())
            if (Key.startsWith(u"LC_") || Key == u"LANG" || Key == u"LANGUAGE") Env.remove(Key);
        Env.insert("LC_ALL", Locale);
    }
    Tool.setProcessEnvironment(Env);
    if (Stdout) Tool.setStandardOutputFile(Stdout);
    QStringList Arguments;
    for (const auto& A : Args)
        Arguments << QString::fromStdString(A);
    Tool.start(OCTAVE_TABLE, Arguments);
    TRun R;
    if (!Tool.waitForFinished(60'000)) return R;
    R.Status = Tool.exitStatus() == QProcess::NormalExit ? Tool.exitCode() : -1;
    R.Out = Tool.readAllStandardOutput().toStdString();
    R.Err = Tool.readAllStandardError().toStdString();
    return R;
}

bool Linux() {
    return QSysInfo::kernelType() == u"linux";
}

std::vector<std::string> Lines(const std::string& Text) {
    std::vector<std::string> L;
    std::istringstream In(Text);
    for (std::string Line; std::getline(In, Line);)
        L.push_back(Line);
    return L;
}

// One line for the user: a failure, its text safe for a terminal.
void ExpectOneCleanLine(const TRun& R) {
    ASSERT_FALSE(R.Err.empty());
    EXPECT_EQ(R.Err.find('\n'), R.Err.size() - 1) << R.Err;
    EXPECT_TRUE(R.Err.starts_with("octave-table: ")) << R.Err;
    EXPECT_TRUE(IsUtf8(R.Err)) << R.Err;
    for (size_t i = 0; i + 1 < R.Err.size(); ++i) {
        const auto C = static_cast<unsigned char>(R.Err[i]);
        EXPECT_TRUE(C >= 0x20 && C != 0x7F) << "byte " << int{C} << " in " << R.Err;
    }
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
        {{"--kithara", "8"}, "--kithara"},
        {{"--kithara", "Dorios"}, "--kithara"},
        {{"--kithara", "2", "--mixture", "1"}, "--mixture"},
        {{"--from", "top"}, "--from"},
        {{"--language", "latin"}, "--language"},
        {{"--intervals", "0,14"}, "--intervals"},
        {{"--intervals", "1,,2"}, "--intervals"},
        {{"--intervals", "a"}, "--intervals"},
        {{"--ratios=yes"}, "--ratios"},
        {{"--all", "--mixture", "2"}, "--mixture"},
        {{"--all", "--kithara", "2"}, "--kithara"},
        {{"--colour"}, "--colour"},
        {{"3"}, "\"3\""},
        {{"--format", "pdf"}, "--format"},
        {{"--format", "SCL"}, "--format"},
        {{"--json", "--format", "scl"}, "--json"},
        {{"--all", "--format", "scl"}, "--all"},
        {{"--all", "--format", "kbm"}, "--all"},
        {{"--all", "--format", "tun"}, "--all"},
        {{"--all", "--format", "csv"}, "--all"},
        {{"--all", "--format", "kanon", "--output", "k.svg"}, "--all"},
        {{"--format", "kanon"}, "--output"},
        {{"--format", "kanon", "--output", "k.svg", "--kanon-length", "99.99"}, "--kanon-length"},
        {{"--format", "kanon", "--output", "k.svg", "--kanon-length", "5000.01"}, "--kanon-length"},
        {{"--format", "kanon", "--output", "k.svg", "--kanon-length", "1e3"}, "--kanon-length"},
        {{"--format", "kanon", "--output", "k.svg", "--kanon-length", "1000.001"},
         "--kanon-length"},
        {{"--format", "kanon", "--output", "k.svg", "--kanon-length", "-500"}, "--kanon-length"},
        {{"--format", "csv", "--kanon-length", "1000"}, "--kanon-length"},
        {{"--output", ""}, "--output"},
    };
    for (const auto& C : Cases) {
        std::string Shown;
        for (const auto& A : C.Args)
            Shown += A + " ";
        SCOPED_TRACE(Shown);
        const TRun R = RunTool(C.Args);
        EXPECT_EQ(R.Status, 2);
        EXPECT_TRUE(R.Out.empty());
        ExpectOneCleanLine(R);
        EXPECT_NE(R.Err.find(C.Names), std::string::npos) << R.Err;
    }
}

TEST(OctaveTable, FailedWriteIsReported) {
    if (!QFile::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    for (const char* Option : {"--all", "--help"}) {
        const TRun R = RunTool({Option}, nullptr, "/dev/full");
        EXPECT_EQ(R.Status, 1) << Option;
        EXPECT_EQ(R.Err, "octave-table: cannot write the output\n");
    }
}

TEST(OctaveTable, HelpListsTheOptionsAndEveryNameItAccepts) {
    const TRun R = RunTool({"--help"});
    EXPECT_EQ(R.Status, 0);
    EXPECT_TRUE(R.Err.empty());
    EXPECT_TRUE(R.Out.starts_with("Usage: octave-table"));
    for (const char* Option :
         {"--tonos", "--mixture", "--kithara", "--from", "--language", "--ratios", "--intervals",
          "--all", "--json", "--format", "--output", "--kanon-length", "scl", "kbm", "tun", "csv",
          "kanon", "kanon-1.svg"})
        EXPECT_NE(R.Out.find(Option), std::string::npos) << Option;
    for (int32_t Language = 0; Language < 2; ++Language) {
        for (const auto& T : Tonoi)
            EXPECT_NE(R.Out.find(ToUtf8(T.Names[Language])), std::string::npos);
        for (int32_t m = 0; m < 19; ++m)
            EXPECT_NE(R.Out.find(ToUtf8(MixtureName(m, Language))), std::string::npos);
        for (const auto& K : KitharaTunings)
            EXPECT_NE(R.Out.find(ToUtf8(K.Names[Language])), std::string::npos);
    }
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
        RunTool({"--tonos", "Ὑποδωριστί", "--mixture", "0", "--language", "english"});
    EXPECT_EQ(ByRow.Status, 0);
    EXPECT_EQ(ByName.Out, ByRow.Out);
    EXPECT_EQ(ByGreek.Out, ByRow.Out);
}

TEST(OctaveTable, NamesAreFoundHoweverTheyAreTyped) {
    const struct {
        std::vector<std::string> Args;
        int Tonos, Mixture, Start;
    } Cases[] = {
        {{"--tonos", "Dorios"}, 3, 3, 0},
        {{"--tonos", "d\u1E53rios"}, 3, 3, 0},
        {{"--tonos", "DORIOS"}, 3, 3, 0},
        {{"--tonos", "Do\u0304\u0301rios"}, 3, 3, 0},                         // decomposed accents
        {{"--tonos", "\u0394\u03C9\u03C1\u03B9\u03C3\u03C4\u03AF"}, 3, 3, 0}, // monotonic ί
        {{"--tonos", "\u03B4\u03C9\u03C1\u03B9\u03C3\u03C4\u03B9"}, 3, 3, 0}, // no accents
        {{"--tonos", "\u0394\u03A9\u03A1\u0399\u03A3\u03A4\u0399"}, 3, 3, 0}, // capitals
        {{"--tonos", "hypod"}, 6, 3, 0},
        {{"--tonos", "\u03C5\u03C0\u03BF\u03C6"}, 5, 3, 0}, // υποφ
        {{"--mixture", "enarmonion"}, 3, 5, 0},
        {{"--mixture", "\u03B5\u03BD\u03B1\u03C1\u03BC\u03BF\u03BD\u03B9\u03BF\u03BD"}, 3, 5, 0},
        {{"--mixture", "Archytas enharmonic"}, 3, 12, 0},
        {{"--mixture", "archytas\u2019 chromatic"}, 3, 13, 0},
        {{"--mixture", "diatonon toniaion"}, 3, 2, 0}, // whole name before longer ones
        {{"--mixture", "diatonon toniaion + diatonon ditoniaion"}, 3, 3, 0},
        {{"--mixture", "Didymus d"}, 3, 18, 0},
        {{"--kithara", "Lydia"}, 3, 3, 0},
        {{"--kithara", "lydia sung"}, 3, 4, 0},
        {{"--kithara", "trop"}, 6, 0, 0},
        {{"--kithara", "\u03B9\u03B1\u03C3\u03C4\u03B9\u03B1 (vocal)"}, 5, 4, 0},
        {{"--kithara", "7"}, 3, 1, 0},
        {{"--kithara", "hypertropa", "--from", "mese"}, 2, 2, 1},
        {{"--from", "M\u00E9s\u0113"}, 3, 3, 1},
        {{"--from", "\u03BC\u03AD\u03C3\u03B7"}, 3, 3, 1},
    };
    for (const auto& C : Cases) {
        std::vector<std::string> Args = C.Args;
        SCOPED_TRACE(Args[1]);
        Args.push_back("--json");
        const TRun R = RunTool(Args);
        ASSERT_EQ(R.Status, 0) << R.Err;
        const QJsonObject J = Parse(R.Out);
        EXPECT_EQ(J["tonos"].toInt(), C.Tonos);
        EXPECT_EQ(J["mixture"].toInt(), C.Mixture);
        EXPECT_EQ(J["start"].toInt(), C.Start);
    }
}

TEST(OctaveTable, AmbiguousAbbreviationNamesTheCandidates) {
    const struct {
        std::vector<std::string> Args;
        std::vector<std::u16string_view> Candidates;
    } Cases[] = {
        {{"--tonos", "hypo"}, {Tonoi[4].Names[1], Tonoi[5].Names[1], Tonoi[6].Names[1]}},
        {{"--tonos", "\u1F51\u03C0\u03BF"},
         {Tonoi[4].Names[0], Tonoi[5].Names[0], Tonoi[6].Names[0]}},
        {{"--kithara", "ly"}, {KitharaTunings[0].Names[1], KitharaTunings[1].Names[1]}},
        {{"--mixture", "didymus"}, {Genera[12].Names[1], Genera[13].Names[1], Genera[14].Names[1]}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Args[1]);
        const TRun R = RunTool(C.Args);
        EXPECT_EQ(R.Status, 2);
        ExpectOneCleanLine(R);
        for (const auto Name : C.Candidates)
            EXPECT_NE(R.Err.find(ToUtf8(Name)), std::string::npos) << R.Err;
    }
}

TEST(OctaveTable, ErrorMessagesShowTheUsersTextEscaped) {
    for (const std::vector<std::string>& Args : {std::vector<std::string>{"--tonos", "a\x1B[2Jb"},
                                                 {"--mixture", "line\nbreak\r"},
                                                 {"--format", "tab\there\x7F"},
                                                 {"--kithara", "right\u202Eleft"},
                                                 {"--intervals", "back\\slash\"quote"},
                                                 {"--colour\x07"}}) {
        SCOPED_TRACE(Args[0]);
        const TRun R = RunTool(Args);
        EXPECT_EQ(R.Status, 2);
        ExpectOneCleanLine(R);
    }
    const TRun R = RunTool({"--tonos", "a\x1B[2Jb"});
    EXPECT_NE(R.Err.find("\"a\\u001B[2Jb\""), std::string::npos) << R.Err;
}

TEST(Escaped, LeavesTextAndQuotesControlsAndBytesThatAreNotUtf8) {
    const struct {
        std::string_view In, Out;
    } Cases[] = {
        {"Dṓrios Δωριστί", "Dṓrios Δωριστί"},
        {"a\"b\\c", "a\\\"b\\\\c"},
        {"\x1B[31m\r\n\t\x7F", "\\u001B[31m\\u000D\\u000A\\u0009\\u007F"},
        {"\xC2\x85 \u2028 \u202E \u2066", "\\u0085 \\u2028 \\u202E \\u2066"},
        {"\xFF\xC0\x80\xED\xA0\x80",
         "\\xFF\\xC0\\x80\\xED\\xA0\\x80"}, // stray, overlong, surrogate
        {"\xE1\xBD", "\\xE1\\xBD"},         // cut short
        {std::string_view("nul\0x", 5), "nul\\u0000x"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(Escaped(C.In), C.Out);
}

TEST(FoldedName, DropsAccentsBreathingsAndCaseInBothScripts) {
    const struct {
        std::string_view Typed;
        std::u16string_view Name;
    } Same[] = {
        {"hypodorios", u"Hypodṓrios"},
        {"HYPODŌRIOS", u"Hypodṓrios"},
        {"υποδωριστι", u"Ὑποδωριστί"},
        {"ΥΠΟΔΩΡΙΣΤΊ", u"Ὑποδωριστί"},
        {"χρωμα μαλακον", u"χρῶμα μαλακόν"},
        {"  khroma   malakon ", u"khrôma malakón"},
        {"archytas' enharmonic", u"Archytas' enharmonic"},
        {"Archytas enharmonic", u"Archytas' enharmonic"},
        {"λυδια vocal", u"Λύδια (vocal)"},
        {"προσλαμβανομενοσ", u"προσλαμβανόμενος"},
    };
    for (const auto& C : Same)
        EXPECT_EQ(FoldedName(C.Typed), FoldedName(C.Name)) << C.Typed;
    EXPECT_NE(FoldedName("Lydia"), FoldedName(u"Lýdios"));
    EXPECT_EQ(FoldedName("\xFF"), U"\uFFFD");
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
    // String 3 carries every kind of reading. Elsewhere than on Linux the decimal separator comes
    // from the regional settings, which no variable of the tool's environment replaces.
    std::string Row = L[7];
    if (!Linux()) std::replace(Row.begin(), Row.end(), ',', '.');
    for (const char* Cell :
         {"trítē diezeugménōn", "75 15/16", "\u03BF\u03B5\u0374 \u03BD\u03DA\u0374", " 90 ", "c -6",
          "290.4", "D-20"})
        EXPECT_NE(Row.find(Cell), std::string::npos) << Cell << " in " << Row;
    EXPECT_NE(R.Out.find("*2-8: 9/5 +22"), std::string::npos);
}

// The default choice, Dorian from nete, in every format the tool writes for it.
TEST(OctaveTable, EachFormatOfTheDefaultChoiceReadsBack) {
    std::string Error;
    const TRun Scl = RunTool({"--format", "scl"});
    ASSERT_EQ(Scl.Status, 0) << Scl.Err;
    const auto Scale = ReadScl(Scl.Out, Error);
    ASSERT_TRUE(Scale) << Error;
    std::vector<std::pair<int64_t, int64_t>> Ratios;
    for (const auto& P : Scale->Pitches)
        Ratios.emplace_back(P.Num, P.Den);
    EXPECT_EQ(Ratios, (std::vector<std::pair<int64_t, int64_t>>{
                          {28, 27}, {32, 27}, {4, 3}, {3, 2}, {128, 81}, {16, 9}, {2, 1}}));

    const TRun Kbm = RunTool({"--format", "kbm"});
    const auto Mapping = ReadKbm(Kbm.Out, Error);
    ASSERT_TRUE(Mapping) << Error;
    EXPECT_EQ(Mapping->Frequency, 183.75);

    const TRun Tun = RunTool({"--format", "tun"});
    const auto Tuning = ReadTun(Tun.Out, Error);
    ASSERT_TRUE(Tuning) << Error;
    EXPECT_EQ(Tuning->at("tuning").at(60), "5388");
    EXPECT_EQ(Tuning->at("tuning").at(67), "6588");

    const TRun Csv = RunTool({"--format", "csv", "--language", "english"});
    const auto Rows = ReadCsv(Csv.Out, Error);
    ASSERT_TRUE(Rows) << Error;
    EXPECT_EQ(Rows->at(3),
              (std::vector<std::string>{"3", "trítē diezeugménōn", "trítē diezeugménōn", "1215/16",
                                        "75", "15/16", "\u03BF\u03B5\u0374 \u03BD\u03DA\u0374",
                                        "56", "90", "c -6", "D-20", "290.4"}));
}

TEST(OctaveTable, OutputFileIsReplacedOnlyWhole) {
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    const std::string Target = Dir.filePath("octave.csv").toStdString();
    const TRun ToStdout = RunTool({"--format", "csv"});
    {
        QFile Old(QString::fromStdString(Target));
        ASSERT_TRUE(Old.open(QIODevice::WriteOnly));
        Old.write("an older and much longer file than the table that replaces it\n");
    }
    const TRun ToFile = RunTool({"--format", "csv", "--output", Target});
    EXPECT_EQ(ToFile.Status, 0) << ToFile.Err;
    EXPECT_TRUE(ToFile.Out.empty());
    QFile Written(QString::fromStdString(Target));
    ASSERT_TRUE(Written.open(QIODevice::ReadOnly));
    EXPECT_EQ(Written.readAll().toStdString(), ToStdout.Out);

    // A folder that does not exist, and a folder where the file should be: nothing is written.
    const std::string Missing = Dir.filePath("no such folder/octave.scl").toStdString();
    const TRun NoFolder = RunTool({"--format", "scl", "--output", Missing});
    EXPECT_EQ(NoFolder.Status, 1);
    ExpectOneCleanLine(NoFolder);
    EXPECT_NE(NoFolder.Err.find("no such folder"), std::string::npos) << NoFolder.Err;
    ASSERT_TRUE(QDir(Dir.path()).mkdir("taken.scl"));
    const TRun Taken =
        RunTool({"--format", "scl", "--output", Dir.filePath("taken.scl").toStdString()});
    EXPECT_EQ(Taken.Status, 1);
    ExpectOneCleanLine(Taken);
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"octave.csv", "taken.scl"}));
}

TEST(OctaveTable, KanonPagesAreNumberedFilesAndReplacedTogether) {
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    const TRun R = RunTool({"--format", "kanon", "--kithara", "Trópoi", "--output",
                            Dir.filePath("kanon.svg").toStdString()});
    ASSERT_EQ(R.Status, 0) << R.Err;
    const QStringList Pages = QDir(Dir.path()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(Pages, (QStringList{"kanon-1.svg", "kanon-2.svg", "kanon-3.svg", "kanon-4.svg",
                                  "kanon-5.svg"}));
    for (const QString& Page : Pages) {
        QFile File(Dir.filePath(Page));
        ASSERT_TRUE(File.open(QIODevice::ReadOnly));
        const QByteArray Svg = File.readAll();
        EXPECT_TRUE(Svg.startsWith("<?xml")) << Page.toStdString();
        EXPECT_TRUE(Svg.contains("of 5</text>")) << Page.toStdString();
    }

    // A later page that cannot be written leaves the earlier pages as they were.
    QFile::remove(Dir.filePath("kanon-2.svg"));
    ASSERT_TRUE(QDir(Dir.path()).mkdir("kanon-2.svg"));
    QFile First(Dir.filePath("kanon-1.svg"));
    ASSERT_TRUE(First.open(QIODevice::ReadOnly));
    const QByteArray Before = First.readAll();
    First.close();
    const TRun Shorter = RunTool({"--format", "kanon", "--kanon-length", "500", "--output",
                                  Dir.filePath("kanon.svg").toStdString()});
    EXPECT_EQ(Shorter.Status, 1);
    ExpectOneCleanLine(Shorter);
    ASSERT_TRUE(First.open(QIODevice::ReadOnly));
    EXPECT_EQ(First.readAll(), Before);
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 5);
}

TEST(OctaveTable, ForeignLocaleChangesOnlyTheTableDecimalSeparator) {
    if (!Linux()) GTEST_SKIP() << "the locale comes from LC_ALL on Linux only";
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
    // JSON and the files read the same everywhere.
    for (const std::vector<std::string>& Args : {std::vector<std::string>{"--all", "--json"},
                                                 {"--format", "scl"},
                                                 {"--format", "kbm"},
                                                 {"--format", "tun", "--tonos", "1"},
                                                 {"--format", "csv", "--mixture", "9"}}) {
        SCOPED_TRACE(Args[1]);
        const TRun InGerman = RunTool(Args, "de_DE.UTF-8");
        EXPECT_EQ(InGerman.Status, 0);
        EXPECT_EQ(InGerman.Out, RunTool(Args, "C").Out);
    }
}

TEST(OctaveTable, UnknownLocaleFallsBackToPoint) {
    if (!Linux()) GTEST_SKIP() << "the locale comes from LC_ALL on Linux only";
    const TRun R = RunTool({}, "xx_YY.nonsense");
    EXPECT_EQ(R.Status, 0);
    EXPECT_NE(R.Out.find("367.5"), std::string::npos);
}

} // namespace
