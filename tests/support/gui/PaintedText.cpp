#include "PaintedText.h"

#include <QMap>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QTextItem>
#include <QWidget>

#include <algorithm>
#include <limits>

namespace {

// Keeps the text and drops every other drawing: no pixel is made.
class RecordingEngine : public QPaintEngine
{
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& state) override
    {
        if (state.state() & QPaintEngine::DirtyTransform)
            m_transform = state.transform();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF& point, const QTextItem& item) override
    {
        runs.append({item.text(), m_transform.map(point)});
    }
    Type type() const override { return QPaintEngine::User; }

    QList<PaintedText::Run> runs;

private:
    QTransform m_transform;
};

// A device of the widget's size and resolution, so that fonts resolve as on the screen.
class RecordingDevice : public QPaintDevice
{
public:
    explicit RecordingDevice(const QWidget* widget)
        : m_size(widget->size()), m_dpiX(widget->logicalDpiX()), m_dpiY(widget->logicalDpiY())
    {
    }
    ~RecordingDevice() override = default;

    QPaintEngine* paintEngine() const override { return &engine; }

    mutable RecordingEngine engine;

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmWidthMM:
            return m_size.width() * 254 / (10 * m_dpiX);
        case PdmHeightMM:
            return m_size.height() * 254 / (10 * m_dpiY);
        case PdmNumColors:
            return std::numeric_limits<int>::max();
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmPhysicalDpiX:
            return m_dpiX;
        case PdmDpiY:
        case PdmPhysicalDpiY:
            return m_dpiY;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    QSize m_size;
    int m_dpiX;
    int m_dpiY;
};

} // namespace

namespace PaintedText {

QList<Run> record(QWidget* widget)
{
    RecordingDevice device(widget);
    widget->render(&device, QPoint(), QRegion(), QWidget::DrawChildren);
    return device.engine.runs;
}

QStringList lines(const QList<Run>& runs)
{
    QMap<int, QList<Run>> byBaseline;
    for (const Run& run : runs)
        byBaseline[qRound(run.baseline.y())].append(run);
    QStringList texts;
    for (QList<Run>& line : byBaseline) {
        std::stable_sort(line.begin(), line.end(), [](const Run& a, const Run& b) {
            return a.baseline.x() < b.baseline.x();
        });
        QString text;
        for (const Run& run : std::as_const(line))
            text += run.text;
        texts.append(text);
    }
    return texts;
}

} // namespace PaintedText
