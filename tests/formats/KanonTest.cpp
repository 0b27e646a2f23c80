// The printable kanon: its SVG pages read with Qt's XML reader and checked against the exact
// fractions, and rendered by a real SVG renderer to find the marks among the pixels.
#include "Kanon.h"
#include "ExactOctave.h"

#include <QColor>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <map>
#include <optional>
#include <set>

namespace {

constexpr int64_t WindowTop = 2800, WindowBottom = 28200, Overlap = 2000; // hundredths of a mm

// "123.45" as 12345; nullopt for anything that is not a decimal with at most two decimals.
std::optional<int64_t> Hundredths(QStringView Text) {
    const qsizetype Point = Text.indexOf(u'.');
    const QStringView Whole = Point < 0 ? Text : Text.left(Point);
    const QStringView Fraction = Point < 0 ? QStringView() : Text.mid(Point + 1);
    bool WholeOk = false, FractionOk = true;
    const int64_t W = Whole.toLongLong(&WholeOk);
    int64_t F = 0;
    if (Fraction.size() > 2 || (Point >= 0 && Fraction.isEmpty())) return std::nullopt;
    if (!Fraction.isEmpty()) F = Fraction.toLongLong(&FractionOk) * (Fraction.size() == 1 ? 10 : 1);
    if (!WholeOk || !FractionOk || Fraction.startsWith(u'-') || Fraction.startsWith(u'+'))
        return std::nullopt;
    return W * 100 + (Text.startsWith(u'-') ? -F : F);
}

QStringView Attr(const QXmlStreamAttributes& A, const char* Name) {
    return A.value(QLatin1StringView(Name));
}

struct TMark {
    int32_t String;  // 1..9
    int64_t Y;       // distance from the fixed end, hundredths of a mm
    int64_t Shifted; // on the page
};

struct TPage {
    QString Width, Height, ViewBox;
    int64_t Shift = 0; // page y of the fixed end
    std::vector<TMark> Marks;
    std::vector<int64_t> RulerLengths;
    std::vector<int64_t> DashedLines;
    QString AllText;
};

TPage ReadPage(const std::string& Svg) {
    TPage Page;
    QXmlStreamReader Xml(QByteArray::fromStdString(Svg));
    int StripDepth = 0, Depth = 0;
    while (!Xml.atEnd()) {
        const auto Token = Xml.readNext();
        if (Token == QXmlStreamReader::EndElement) {
            if (StripDepth == Depth) StripDepth = 0;
            --Depth;
            continue;
        }
        if (Token != QXmlStreamReader::StartElement) continue;
        ++Depth;
        const auto A = Xml.attributes();
        const QStringView Name = Xml.name();
        if (Name == u"svg") {
            Page.Width = Attr(A, "width").toString();
            Page.Height = Attr(A, "height").toString();
            Page.ViewBox = Attr(A, "viewBox").toString();
        } else if (Name == u"g" && Attr(A, "id") == u"strip") {
            const QStringView T = Attr(A, "transform");
            EXPECT_TRUE(T.startsWith(u"translate(0 ") && T.endsWith(u")"))
                << T.toString().toStdString();
            Page.Shift = Hundredths(T.mid(12, T.size() - 13)).value_or(-1);
            StripDepth = Depth;
        } else if (Name == u"line" && Attr(A, "class") == u"mark") {
            EXPECT_NE(StripDepth, 0) << "a mark outside the strip";
            const auto Y1 = Hundredths(Attr(A, "y1")), Y2 = Hundredths(Attr(A, "y2"));
            EXPECT_TRUE(Y1 && Y2 && *Y1 == *Y2);
            const int32_t String = Attr(A, "id").mid(5).toInt();
            Page.Marks.push_back({String, Y1.value_or(0), Page.Shift + Y1.value_or(0)});
        } else if (Name == u"line" && Attr(A, "class") == u"ruler") {
            Page.RulerLengths.push_back(Hundredths(Attr(A, "y2")).value_or(0) -
                                        Hundredths(Attr(A, "y1")).value_or(0));
        } else if (Name == u"line" && A.hasAttribute(QLatin1StringView("stroke-dasharray")) &&
                   StripDepth == 0) {
            Page.DashedLines.push_back(Hundredths(Attr(A, "y1")).value_or(0));
        } else if (Name == u"text") {
            Page.AllText += Xml.readElementText() + u'\n';
            --Depth;
        }
    }
    EXPECT_FALSE(Xml.hasError()) << Xml.errorString().toStdString();
    return Page;
}

// Distance of the bridge of a string of this length, to the hundredth, halves up.
bool WithinHalfHundredth(int64_t Y, int64_t Num, int64_t Den, int64_t Kanon) {
    return std::abs(2 * Y * Den * 135 - 2 * Kanon * Num) <= Den * 135;
}

std::string MillimetreLabel(int64_t Num, int64_t Den, int64_t Kanon) {
    const int64_t Tenths = (2 * Kanon * Num + Den * 1350) / (2 * Den * 1350);
    return std::to_string(Tenths / 10) + "." + std::to_string(Tenths % 10) + " mm";
}

void CheckKanon(const TChoices& C, const TOctave& Mhkh, const TReadings& R, int64_t Kanon) {
    const std::vector<std::string> Pages = KanonPages(C, Mhkh, R, Kanon);
    ASSERT_FALSE(Pages.empty());
    std::map<int32_t, int> Seen;
    QString AllText;
    int64_t PreviousTop = 0;
    for (size_t p = 0; p < Pages.size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        const TPage Page = ReadPage(Pages[p]);
        EXPECT_EQ(Page.Width, u"210mm");
        EXPECT_EQ(Page.Height, u"297mm");
        EXPECT_EQ(Page.ViewBox, u"0 0 210 297");
        EXPECT_EQ(Page.RulerLengths, std::vector<int64_t>{10000});
        AllText += Page.AllText;

        // The strip shows through one window per page; neighbours share exactly the overlap,
        // where the glue lines are.
        const int64_t Top = WindowTop - Page.Shift;
        if (p == 0) {
            EXPECT_LE(Top, 0);
        } else {
            EXPECT_EQ(PreviousTop + (WindowBottom - WindowTop) - Top, Overlap);
        }
        if (p + 1 == Pages.size()) {
            EXPECT_GE(Top + WindowBottom - WindowTop, Kanon);
        }
        std::set<int64_t> Dashed(Page.DashedLines.begin(), Page.DashedLines.end());
        EXPECT_EQ(Dashed.count(WindowTop), p > 0 ? 1u : 0u);
        EXPECT_EQ(Dashed.count(WindowBottom - Overlap), p + 1 < Pages.size() ? 1u : 0u);
        PreviousTop = Top;

        for (const TMark& M : Page.Marks) {
            ASSERT_GE(M.String, 1);
            ASSERT_LE(M.String, 9);
            const TFraction L = M.String == 9 ? TFraction{135, 1} : Mhkh[M.String - 1].Ratio;
            EXPECT_TRUE(WithinHalfHundredth(M.Y, L.Num, L.Den, Kanon))
                << "string " << M.String << " at " << M.Y;
            EXPECT_GE(M.Shifted, WindowTop);
            EXPECT_LE(M.Shifted, WindowBottom);
            ++Seen[M.String];
        }
    }
    for (int32_t String = 1; String <= 9; ++String) {
        EXPECT_GE(Seen[String], 1) << "string " << String << " has no mark";
        const TFraction L = String == 9 ? TFraction{135, 1} : Mhkh[String - 1].Ratio;
        EXPECT_TRUE(AllText.contains(
            QString::fromStdString("\u00B7 " + MillimetreLabel(L.Num, L.Den, Kanon))))
            << "string " << String;
    }
}

TEST(Kanon, EveryChoiceMarksEveryStringExactlyOnGluedA4Pages) {
    ForEachChoice([](const TChoices& C, const TOctave& Mhkh,
                     const TReadings& R) { CheckKanon(C, Mhkh, R, 100'000); },
                  false);
}

TEST(Kanon, ShortestLongestAndFractionalLengths) {
    TOctave Mhkh = MakeOctave();
    TReadings R;
    for (const auto& [Tonos, Mixture, Start] : {std::tuple{4, 8, 1}, {0, 14, 0}, {3, 3, 0}}) {
        TChoices C;
        C.Tonos = Tonos;
        C.Mixture = Mixture;
        C.Start = Start;
        UpdateReadings(C, Mhkh, R);
        for (const int64_t Kanon : {KanonShortest, int64_t{33'333}, KanonLongest}) {
            SCOPED_TRACE(std::to_string(Kanon));
            CheckKanon(C, Mhkh, R, Kanon);
        }
    }
}

// Centres, in pixels, of the runs of pixels in column X, rows From to To, that Match.
template <typename F>
std::vector<double> Runs(const QImage& Image, int X, int From, int To, F&& Match) {
    std::vector<double> Centres;
    int Start = -1;
    for (int Y = From; Y <= To; ++Y) {
        const bool In = Y < To && Match(Image.pixelColor(X, Y));
        if (In && Start < 0) Start = Y;
        if (!In && Start >= 0) {
            Centres.push_back((Start + Y - 1) / 2.0 + 0.5);
            Start = -1;
        }
    }
    return Centres;
}

TEST(Kanon, RendersAtTrueSizeWithTheMarksWhereTheFractionsPlaceThem) {
    if (std::string(RSVG_CONVERT).empty()) GTEST_SKIP() << "rsvg-convert is not installed";
    TChoices C;
    C.Language = 0;
    TOctave Mhkh = MakeOctave();
    TReadings R;
    UpdateReadings(C, Mhkh, R);
    const std::vector<std::string> Pages = KanonPages(C, Mhkh, R, 100'000);
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    std::set<int32_t> Found;
    for (size_t p = 0; p < Pages.size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        const QString Svg = Dir.filePath(QString("page-%1.svg").arg(p + 1));
        const QString Png = Dir.filePath(QString("page-%1.png").arg(p + 1));
        QFile File(Svg);
        ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        File.write(Pages[p].data(), static_cast<qint64>(Pages[p].size()));
        File.close();
        // 254 dots per inch: ten pixels to the millimetre.
        QProcess Render;
        Render.start(RSVG_CONVERT, {"-d", "254", "-p", "254", "-b", "white", Svg, "-o", Png});
        ASSERT_TRUE(Render.waitForFinished(60'000));
        ASSERT_EQ(Render.exitCode(), 0) << Render.readAllStandardError().toStdString();
        EXPECT_TRUE(Render.readAllStandardError().isEmpty());
        const QImage Image(Png);
        ASSERT_EQ(Image.width(), 2100);
        ASSERT_EQ(Image.height(), 2970);

        // Every red run across the string, 4 mm right of it, is a mark within 0.1 mm of its place.
        const TPage Page = ReadPage(Pages[p]);
        const auto Red = [](QColor Pixel) {
            return Pixel.red() > 150 && Pixel.green() < 110 && Pixel.blue() < 110;
        };
        const std::vector<double> Seen = Runs(Image, 380, WindowTop / 10, WindowBottom / 10, Red);
        ASSERT_EQ(Seen.size(), Page.Marks.size());
        for (size_t i = 0; i < Seen.size(); ++i) {
            EXPECT_NEAR(Seen[i], static_cast<double>(Page.Marks[i].Shifted) / 10, 1.0)
                << "string " << Page.Marks[i].String;
            Found.insert(Page.Marks[i].String);
        }
        // The ruler's centimetre ticks, from 150 to 250 mm down the page: 1000 pixels apart if
        // nothing scaled.
        const auto Dark = [](QColor Pixel) { return Pixel.lightness() < 128; };
        const std::vector<double> Ticks = Runs(Image, 1925, 1490, 2510, Dark);
        ASSERT_EQ(Ticks.size(), 11u);
        EXPECT_NEAR(Ticks.back() - Ticks.front(), 1000, 1.0);
    }
    EXPECT_EQ(Found.size(), 9u);
}

} // namespace
