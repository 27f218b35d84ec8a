#pragma once

#include <QStringList>

class QWidget;

// The texts a widget paints, as the painter is handed them: for what a person reads where the
// widget keeps no copy of it (a count or an ellipsis drawn in a paint event).
namespace PaintedText {

// Every run of text the widget and its children paint at their current size, top to bottom by
// baseline, those on one baseline left to right. A line of plain text in the test fonts is one run.
QStringList record(QWidget* widget);

} // namespace PaintedText
