#pragma once
// A paint device that keeps every text a widget draws on it, with the font it was drawn in, its
// baseline origin in the device's pixels and its width as laid out by that font's engine. A
// widget rendered here paints exactly as on screen, so what it records is what it shows.

#include <QFont>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <memory>
#include <vector>

class QWidget;

struct TDrawnText {
    QString Text;
    QFont Font;
    QPointF Origin;
    qreal Width = 0;

    // Advance and ink together, in device pixels.
    QRectF Extent() const;
};

class TTextRecorder final : public QPaintDevice {
public:
    explicit TTextRecorder(QSize Size);
    ~TTextRecorder() override;

    // Renders W with its children at the device's origin and returns what it drew.
    std::vector<TDrawnText> Render(QWidget* W);

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric Metric) const override;

private:
    class TEngine;
    QSize Size;
    std::unique_ptr<TEngine> Engine;
};
