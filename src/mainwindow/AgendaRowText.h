#pragma once

#include <QLabel>
#include <QString>
#include <QStringList>

// A row's plain text, word-wrapped at the row's width to at most a few lines; the last line
// shown ends in "…" when the text goes on. The text is bounded before it is laid out, so a
// megabyte title costs what its first lines cost. Colours and fonts come from the label's style
// as for any label.
class AgendaRowText : public QLabel
{
    Q_OBJECT

public:
    // At most `maxLines` lines (at least one) of the first Limits::maxRowTextChars characters of
    // `text`.
    AgendaRowText(const QString& text, int maxLines, QWidget* parent = nullptr);

    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The lines shown at `width`, the last one elided when the text goes on.
    const QStringList& linesAt(int width) const;

    int m_maxLines;
    mutable int m_linesWidth = -1;
    mutable QStringList m_lines;
};
