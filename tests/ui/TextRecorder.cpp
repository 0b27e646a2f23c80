#include "TextRecorder.h"

#include <QFontMetricsF>
#include <QTextItem>
#include <QWidget>

QRectF TDrawnText::Extent() const {
    const QRectF Ink = QFontMetricsF(Font).boundingRect(Text).translated(Origin);
    const QFontMetricsF Metrics(Font);
    const QRectF Advance(Origin.x(), Origin.y() - Metrics.ascent(), Width, Metrics.height());
    return Ink.isEmpty() ? Advance : Advance.united(Ink);
}

class TTextRecorder::TEngine final : public QPaintEngine {
public:
    TEngine() : QPaintEngine(AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& State) override {
        if (State.state() & DirtyTransform) Transform = State.transform();
    }

    void drawTextItem(const QPointF& At, const QTextItem& Item) override {
        Texts.push_back({Item.text(), Item.font(), Transform.map(At), Item.width()});
    }

    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
    }
    void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPolygon(const QPoint*, int, PolygonDrawMode) override {}
    void drawRects(const QRectF*, int) override {}
    void drawRects(const QRect*, int) override {}
    void drawLines(const QLineF*, int) override {}
    void drawLines(const QLine*, int) override {}
    void drawEllipse(const QRectF&) override {}
    void drawEllipse(const QRect&) override {}
    void drawPoints(const QPointF*, int) override {}
    void drawPoints(const QPoint*, int) override {}

    QTransform Transform;
    std::vector<TDrawnText> Texts;
};

TTextRecorder::TTextRecorder(QSize S) : Size(S), Engine(std::make_unique<TEngine>()) {}

TTextRecorder::~TTextRecorder() = default;

std::vector<TDrawnText> TTextRecorder::Render(QWidget* W) {
    Engine->Texts.clear();
    Engine->Transform = QTransform();
    W->render(this, QPoint(), QRegion(), QWidget::DrawChildren);
    return std::move(Engine->Texts);
}

QPaintEngine* TTextRecorder::paintEngine() const {
    return Engine.get();
}

int TTextRecorder::metric(PaintDeviceMetric Metric) const {
    switch (Metric) {
    case PdmWidth:
        return Size.width();
    case PdmHeight:
        return Size.height();
    case PdmWidthMM:
        return Size.width() * 254 / 960;
    case PdmHeightMM:
        return Size.height() * 254 / 960;
    case PdmNumColors:
        return 1 << 24;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 96;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
    }
    return 0;
}
