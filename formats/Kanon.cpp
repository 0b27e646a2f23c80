#include "Kanon.h"

#include "ChoiceText.h"
#include "Numbers.h"
#include "Utf8.h"
#include "WOrvel.h"

#include <algorithm>

namespace {

// Page geometry in hundredths of a millimetre. The strip of the kanon shows through a window on
// every page; neighbouring windows share Overlap of the strip, where the pages are glued.
constexpr int64_t WindowTop = 2800, WindowBottom = 28200;
constexpr int64_t WindowHeight = WindowBottom - WindowTop;
constexpr int64_t Overlap = 2000;
constexpr int64_t Step = WindowHeight - Overlap;
constexpr int64_t Lead = 1500; // strip above the fixed end on the first page
constexpr int64_t Tail = 1000; // strip below the last mark or label

// Columns of the strip and of the page furniture.
constexpr int64_t TapeTextX = 1900, TapeLongX = 2100, TapeShortX = 2400, TapeEndX = 2700;
constexpr int64_t MarkLeftX = 2900, StringX = 3400, MarkRightX = 4500;
constexpr int64_t LeaderEndX = 5100, LabelX = 5200;
constexpr int64_t RulerX = 19600, RulerTop = 15000, RulerLength = 10000;
constexpr int64_t CrossLeftX = 1400, CrossRightX = 19600, CrossArm = 200;
constexpr int64_t PageLeftX = 1000, PageRightX = 20000;

// A label is two lines beside its mark; labels that would overlap move down, with a leader.
constexpr int64_t LabelHeight = 700, LabelPitch = 850, LabelMiddle = 180;

struct TLabel {
    int64_t Mark = 0; // distance from the fixed end
    int64_t Top = 0;
    std::string First, Second;
};

void AppendXml(std::string& Out, std::string_view Text) {
    for (const char C : Text) {
        switch (C) {
        case '&':
            Out += "&amp;";
            break;
        case '<':
            Out += "&lt;";
            break;
        case '>':
            Out += "&gt;";
            break;
        case '"':
            Out += "&quot;";
            break;
        default:
            Out += C;
        }
    }
}

void AppendAttribute(std::string& Out, const char* Name, int64_t Hundredths) {
    Out += ' ';
    Out += Name;
    Out += "=\"";
    AppendHundredths(Out, Hundredths);
    Out += '"';
}

void AppendLine(std::string& Out, int64_t X1, int64_t Y1, int64_t X2, int64_t Y2,
                std::string_view Style) {
    Out += "<line";
    AppendAttribute(Out, "x1", X1);
    AppendAttribute(Out, "y1", Y1);
    AppendAttribute(Out, "x2", X2);
    AppendAttribute(Out, "y2", Y2);
    Out += ' ';
    Out += Style;
    Out += "/>\n";
}

void AppendText(std::string& Out, int64_t X, int64_t Y, int64_t Size, std::string_view Text,
                std::string_view Extra = {}) {
    Out += "<text";
    AppendAttribute(Out, "x", X);
    AppendAttribute(Out, "y", Y);
    AppendAttribute(Out, "font-size", Size);
    if (!Extra.empty()) {
        Out += ' ';
        Out += Extra;
    }
    Out += '>';
    AppendXml(Out, Text);
    Out += "</text>\n";
}

void AppendCross(std::string& Out, int64_t X, int64_t Y) {
    constexpr std::string_view Style = R"(stroke="#000" stroke-width="0.2")";
    AppendLine(Out, X - CrossArm, Y, X + CrossArm, Y, Style);
    AppendLine(Out, X, Y - CrossArm, X, Y + CrossArm, Style);
}

std::string Trimmed(std::u16string_view Text) {
    while (!Text.empty() && Text.back() == u' ')
        Text.remove_suffix(1);
    return ToUtf8(Text);
}

std::string GreekLength(int32_t Whole, int32_t Minutes) {
    std::u16string Text;
    AppendGreekNumeralOrZero(Text, Whole);
    Text += u' ';
    AppendGreekNumeralOrZero(Text, Minutes);
    return ToUtf8(Text);
}

std::string Millimetres(int64_t Tenths) {
    std::string Text;
    AppendTenths(Text, Tenths);
    Text += " mm";
    return Text;
}

std::vector<TLabel> Labels(const TOctave& Mhkh, const TReadings& R, int64_t Kanon) {
    std::vector<TLabel> Out;
    Out.push_back({0, 0, "fixed end, 0 mm", {}});
    for (size_t k = 0; k < 8; ++k) {
        const TStringLength& L = Mhkh[k];
        TLabel Label;
        Label.Mark = KanonMarkHundredths(L.Ratio, Kanon);
        Label.First =
            std::to_string(k + 1) + "  " + ToUtf8(R.LBQesei[k]) + " / " + ToUtf8(R.LBFusei[k]);
        Label.Second =
            Trimmed(R.LBArab[k]) + " \u00B7 " + GreekLength(L.Whole, L.Minutes) + " \u00B7 " +
            Millimetres(RoundedQuotient(Kanon * L.Ratio.Num, int64_t{L.Ratio.Den} * 1350));
        Out.push_back(std::move(Label));
    }
    Out.push_back({Kanon, 0, "9",
                   "135 \u00B7 " + GreekLength(135, 0) + " \u00B7 " +
                       Millimetres(RoundedQuotient(Kanon, 10))});
    bool First = true;
    int64_t Previous = 0;
    for (TLabel& Label : Out) {
        Label.Top = Label.Mark - LabelMiddle;
        if (!First) Label.Top = std::max(Label.Top, Previous + LabelPitch);
        Previous = Label.Top;
        First = false;
    }
    return Out;
}

bool Overlaps(int64_t From, int64_t To, int64_t WindowFrom, int64_t WindowTo) {
    return To >= WindowFrom && From <= WindowTo;
}

void AppendStrip(std::string& Out, const std::vector<TLabel>& Labels, int64_t Kanon, int64_t From,
                 int64_t To) {
    constexpr std::string_view Thin = R"(stroke="#000" stroke-width="0.2")";
    for (int64_t Y = 0; Y <= Kanon; Y += 1000) {
        if (Y < From - 100 || Y > To + 100) continue;
        const bool Long = Y % 5000 == 0;
        AppendLine(Out, Long ? TapeLongX : TapeShortX, Y, TapeEndX, Y, Thin);
        if (Long) {
            std::string Number;
            AppendInt(Number, Y / 100);
            AppendText(Out, TapeTextX, Y + 80, 220, Number, R"(text-anchor="end")");
        }
    }
    if (Overlaps(0, Kanon, From, To))
        AppendLine(Out, StringX, std::max<int64_t>(0, From - 100), StringX,
                   std::min(Kanon, To + 100), R"(stroke="#000" stroke-width="0.35")");
    if (Overlaps(0, 0, From, To))
        AppendLine(Out, MarkLeftX - 200, 0, MarkRightX - 200, 0,
                   R"(class="fixed-end" stroke="#000" stroke-width="0.8")");

    for (size_t i = 0; i < Labels.size(); ++i) {
        const TLabel& L = Labels[i];
        // The fixed end has its own bar; the nine bridge marks are red lines across the string.
        if (i > 0 && L.Mark >= From && L.Mark <= To) {
            Out += "<line class=\"mark\" id=\"mark-";
            AppendInt(Out, static_cast<int64_t>(i));
            Out += '"';
            AppendAttribute(Out, "x1", MarkLeftX);
            AppendAttribute(Out, "y1", L.Mark);
            AppendAttribute(Out, "x2", MarkRightX);
            AppendAttribute(Out, "y2", L.Mark);
            Out += " stroke=\"#e00000\" stroke-width=\"0.25\"/>\n";
        }
        const int64_t Middle = L.Top + LabelMiddle;
        if (Overlaps(std::min(L.Mark, Middle), std::max(L.Mark, Middle), From, To))
            AppendLine(Out, MarkRightX, L.Mark, LeaderEndX, Middle,
                       R"(stroke="#000" stroke-width="0.15")");
        if (Overlaps(L.Top, L.Top + LabelHeight, From, To)) {
            AppendText(Out, LabelX, L.Top + 280, 280, L.First);
            if (!L.Second.empty()) AppendText(Out, LabelX, L.Top + 620, 250, L.Second);
        }
    }
}

void AppendRuler(std::string& Out) {
    constexpr std::string_view Thin = R"(stroke="#000" stroke-width="0.15")";
    AppendLine(Out, RulerX, RulerTop, RulerX, RulerTop + RulerLength,
               R"(class="ruler" stroke="#000" stroke-width="0.2")");
    for (int64_t mm = 0; mm <= 100; ++mm) {
        const int64_t Y = RulerTop + mm * 100;
        const int64_t Tick = mm % 10 == 0 ? 400 : mm % 5 == 0 ? 250 : 150;
        AppendLine(Out, RulerX - Tick, Y, RulerX, Y, Thin);
        if (mm % 10 == 0) {
            std::string Number;
            AppendInt(Number, mm);
            AppendText(Out, RulerX + 100, Y + 70, 200, Number);
        }
    }
    AppendText(Out, PageRightX, RulerTop - 250, 220, "ruler: 100 mm", R"(text-anchor="end")");
}

} // namespace

int64_t KanonMarkHundredths(TFraction Length, int64_t KanonHundredths) {
    return RoundedQuotient(KanonHundredths * Length.Num, int64_t{Length.Den} * 135);
}

std::vector<std::string> KanonPages(const TChoices& Choices, const TOctave& Mhkh,
                                    const TReadings& Readings, int64_t Kanon) {
    const std::vector<TLabel> AllLabels = Labels(Mhkh, Readings, Kanon);
    const int64_t End = std::max(Kanon, AllLabels.back().Top + LabelHeight) + Tail;
    int64_t Pages = 1;
    while (-Lead + (Pages - 1) * Step + WindowHeight < End)
        ++Pages;

    const std::string Description = ToUtf8(ChoiceDescription(Choices, Readings.Kithara));
    std::string KanonText;
    AppendHundredths(KanonText, Kanon);
    constexpr std::string_view Dashed =
        R"(stroke="#000" stroke-width="0.2" stroke-dasharray="2 1")";

    std::vector<std::string> Out;
    for (int64_t p = 0; p < Pages; ++p) {
        const int64_t From = -Lead + p * Step; // strip position at the top of the window
        const int64_t To = From + WindowHeight;
        const std::string PageText = std::to_string(p + 1) + " of " + std::to_string(Pages);

        std::string Page =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"210mm\" height=\"297mm\" "
            "viewBox=\"0 0 210 297\" font-family=\"DejaVu Sans, Arial, sans-serif\">\n<title>";
        AppendXml(Page, "Kanon, " + Description + ", page " + PageText);
        Page += "</title>\n<defs><clipPath id=\"window\"><rect x=\"0\"";
        AppendAttribute(Page, "y", WindowTop);
        Page += " width=\"210\"";
        AppendAttribute(Page, "height", WindowHeight);
        Page += "/></clipPath></defs>\n<g clip-path=\"url(#window)\">\n<g id=\"strip\" "
                "transform=\"translate(0 ";
        AppendHundredths(Page, WindowTop - From);
        Page += ")\">\n";
        AppendStrip(Page, AllLabels, Kanon, From, To);
        Page += "</g>\n</g>\n";

        AppendText(Page, PageLeftX, 1300, 320, Description);
        AppendText(Page, PageLeftX, 1800, 240,
                   "Kanon of " + KanonText +
                       " mm: the bridge of string 9 (length 135) lies that far from the fixed "
                       "end. Names: by position / by function.");
        AppendText(Page, PageLeftX, 2250, 240,
                   "Print at actual size (100 %, no fitting to the page): the ruler at the "
                   "right must measure 100 mm.");
        if (p > 0) {
            AppendLine(Page, PageLeftX, WindowTop, PageRightX, WindowTop, Dashed);
            AppendCross(Page, CrossLeftX, WindowTop + Overlap / 2);
            AppendCross(Page, CrossRightX, WindowTop + Overlap / 2);
            AppendText(Page, PageLeftX, 2680, 220,
                       "Cut along the dashed line and lay this edge on the dashed line at the "
                       "foot of page " +
                           std::to_string(p) + ", crosses on crosses.");
        }
        if (p + 1 < Pages) {
            AppendLine(Page, PageLeftX, WindowBottom - Overlap, PageRightX, WindowBottom - Overlap,
                       Dashed);
            AppendCross(Page, CrossLeftX, WindowBottom - Overlap / 2);
            AppendCross(Page, CrossRightX, WindowBottom - Overlap / 2);
            AppendText(Page, PageLeftX, 28650, 220,
                       "Glue: the cut top edge of page " + std::to_string(p + 2) +
                           " lies on the dashed line above, crosses on crosses and string on "
                           "string.");
        }
        AppendRuler(Page);
        AppendText(Page, PageLeftX, 29100, 220, "Kelvaro kanon, page " + PageText);
        Page += "</svg>\n";
        Out.push_back(std::move(Page));
    }
    return Out;
}
