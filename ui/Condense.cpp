#include "Condense.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QtMath>
#include <algorithm>

int TextWidth(const QFont& Face, const QString& Text) {
    const QFontMetricsF Metrics(Face);
    return qCeil(std::max(Metrics.horizontalAdvance(Text), Metrics.boundingRect(Text).right()));
}

namespace {
bool Fits(const QFont& Face, const QString& Text, int Width) {
    const QFontMetricsF Metrics(Face);
    // Bounds that spare laying the text out: no glyph is wider than the widest, and ink reaches
    // past the advance by at most the face's largest overhang.
    const qreal Overhang = -std::min<qreal>(0, Metrics.minRightBearing());
    if (Metrics.maxWidth() * qreal(Text.size()) + Overhang <= Width) return true;
    if (Metrics.horizontalAdvance(Text) + Overhang <= Width) return true;
    return TextWidth(Face, Text) <= Width;
}
} // namespace

QFont Condensed(const QFont& Face, const QString& Text, int Width) {
    if (Fits(Face, Text, Width)) return Face;
    // A stretch is relative to a normal width of 100, not to the face's own: a condensed face
    // reads 87 as its natural width and 100 would widen it. So estimate from the width at 100.
    // A family may hold faces of several widths (DejaVu Sans holds a condensed one): naming the
    // face drawn now keeps it, only narrower.
    const QString Style = QFontInfo(Face).styleName();
    const auto At = [&](int Stretch) {
        QFont F = Face;
        F.setStyleName(Style);
        F.setStretch(Stretch);
        return F;
    };
    const int Normal = std::max(1, TextWidth(At(100), Text));
    int Stretch = std::clamp(100 * Width / Normal, 1, 100);
    while (Stretch > 1 && TextWidth(At(Stretch), Text) > Width)
        --Stretch;
    while (Stretch < 100 && TextWidth(At(Stretch + 1), Text) <= Width)
        ++Stretch;
    return At(Stretch);
}

QString WithoutMnemonic(const QString& Caption) {
    QString Text;
    Text.reserve(Caption.size());
    for (qsizetype i = 0; i < Caption.size(); ++i) {
        if (Caption[i] == u'&' && i + 1 < Caption.size()) ++i;
        Text += Caption[i];
    }
    return Text;
}
