#include "PixelFonts.h"

#include <QFont>
#include <QVariant>
#include <QWidget>

namespace {
constexpr double PixelsPerPoint = 96.0 / 72.0;

void Convert(QWidget* W) {
    if (!W->testAttribute(Qt::WA_SetFont)) return;
    QFont F = W->font();
    if (F.pointSizeF() > 0) F.setPixelSize(qRound(F.pointSizeF() * PixelsPerPoint));
    if (W->property("fixedPitch").toBool()) {
        F.setFamilies({QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Courier New")});
        F.setStyleHint(QFont::TypeWriter);
        F.setFixedPitch(true);
    } else if (F.resolveMask() & QFont::FamiliesResolved ||
               F.resolveMask() & QFont::FamilyResolved) {
        // The condensed face keeps texts laid out for Tahoma within their boxes.
        F.setFamilies(
            {F.family(), QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
        F.setStyleHint(QFont::SansSerif);
    }
    W->setFont(F);
}
} // namespace

void PixelFonts(QWidget* Root) {
    Convert(Root);
    for (auto* W : Root->findChildren<QWidget*>())
        Convert(W);
}
