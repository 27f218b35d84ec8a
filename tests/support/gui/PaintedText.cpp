#include "PaintedText.h"

#include <QImage>
#include <QPaintEngine>
#include <QTextItem>
#include <QWidget>

#include <algorithm>
#include <tuple>

namespace {

// An image of the widget's size and resolution, so that fonts resolve as on the screen, painted
// through its own engine, which keeps the text and draws nothing.
class Recorder : public QImage, public QPaintEngine
{
public:
    explicit Recorder(const QWidget* widget)
        : QImage(widget->size(), Format_ARGB32_Premultiplied), QPaintEngine(AllFeatures)
    {
        setDotsPerMeterX(qRound(widget->logicalDpiX() / 0.0254));
        setDotsPerMeterY(qRound(widget->logicalDpiY() / 0.0254));
    }

    QPaintEngine* paintEngine() const override { return const_cast<Recorder*>(this); }
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& changed) override
    {
        if (changed.state() & DirtyTransform)
            m_transform = changed.transform();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF& point, const QTextItem& item) override
    {
        const QPoint baseline = m_transform.map(point).toPoint();
        runs.append({baseline.y(), baseline.x(), item.text()});
    }
    Type type() const override { return User; }

    QList<std::tuple<int, int, QString>> runs; // baseline y, x, text

private:
    QTransform m_transform;
};

} // namespace

namespace PaintedText {

QStringList record(QWidget* widget)
{
    Recorder recorder(widget);
    widget->render(&recorder, QPoint(), QRegion(), QWidget::DrawChildren);
    std::sort(recorder.runs.begin(), recorder.runs.end());
    QStringList texts;
    for (const auto& run : std::as_const(recorder.runs))
        texts.append(std::get<2>(run));
    return texts;
}

} // namespace PaintedText
