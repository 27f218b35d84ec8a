#pragma once

class QHBoxLayout;
class QPushButton;
class QString;
class QToolButton;
class QWidget;

// The small parts the event form's rows are made of.
namespace FormRows {

// A flat push button drawn as a link in the accent colour.
QPushButton* linkButton(const QString& text, QWidget* parent);
// The "×" that removes the row it sits in.
QToolButton* removeButton(QWidget* parent);
// A horizontal layout for `row`, without margins.
QHBoxLayout* rowLayout(QWidget* row);

} // namespace FormRows
