#pragma once

#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

class QWidget;

// The texts a widget paints, as the painter is handed them: for what a person reads where the
// widget keeps no copy of it (a count or an ellipsis drawn in a paint event).
//
//     const QStringList lines = PaintedText::lines(PaintedText::record(&strip));
namespace PaintedText {

struct Run
{
    QString text;
    QPointF baseline; // where the run starts on its baseline, in the painter's coordinates
};

// Every run of text the widget and its children paint at their current size, in paint order.
QList<Run> record(QWidget* widget);

// The runs grouped by baseline, top to bottom, each line's runs joined left to right.
QStringList lines(const QList<Run>& runs);

} // namespace PaintedText
