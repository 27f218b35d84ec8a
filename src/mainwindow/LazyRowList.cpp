#include "LazyRowList.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace {

// How far beyond the view built rows are kept, in views: scrolling back a little rebuilds
// nothing, and what lies further goes.
constexpr int keptViews = 1;
// How long one turn of the event loop may spend building rows; the rest of the view follows in
// the next turns, so a jump into a region of new rows never holds the window for long.
constexpr qint64 buildBudgetNs = 8'000'000;
// A list settles in a pass or two; this bounds the passes of one turn when measured heights keep
// moving the view, and the next turn goes on.
constexpr int mostPasses = 4;

} // namespace

LazyRowList::LazyRowList(QScrollArea* scrollArea)
    : QWidget(nullptr), m_scrollArea(scrollArea), m_viewport(scrollArea->viewport())
{
    m_scrollArea->setWidgetResizable(false);
    m_scrollArea->setWidget(this);
    m_viewport->installEventFilter(this);
    connect(m_scrollArea->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &LazyRowList::layoutRows);
    m_tops = {0};
}

void LazyRowList::setRows(QVector<quint64> keys, QVector<quint8> shapes, Build build)
{
    Q_ASSERT(keys.size() == shapes.size());
    dropRowsOfAnotherTheme();
    // The built rows wait by their keys for a row of the new list that shows the same, beside
    // those of an earlier list that still wait.
    for (int i = 0; i < m_built.size(); ++i) {
        if (QWidget* row = m_built[i])
            m_spare.insert(m_keys[i], row);
    }
    m_keys = std::move(keys);
    m_shapes = std::move(shapes);
    m_build = std::move(build);
    m_built = QVector<QWidget*>(m_keys.size(), nullptr);

    QHash<quint64, int> kept;
    for (const quint64 key : std::as_const(m_keys)) {
        const auto known = m_keyHeights.constFind(key);
        if (known != m_keyHeights.cend())
            kept.insert(key, *known);
    }
    m_keyHeights = std::move(kept);
    m_heights = QVector<int>(m_keys.size(), -1);
    estimateHeights();
    layoutRows();
    // While the view is still filling, the rows not taken yet wait out of sight for the turns
    // that reach them: a slow turn must not turn keeping them into building them again.
    for (QWidget* row : std::as_const(m_spare))
        row->hide();
}

QWidget* LazyRowList::showRow(int index)
{
    if (index < 0 || index >= count())
        return nullptr;
    QScrollBar* bar = m_scrollArea->verticalScrollBar();
    const int viewHeight = m_scrollArea->viewport()->height();
    // Rows measured on the way may differ from what was guessed of them and move the row: it is
    // scrolled to again until it sits where it was put.
    for (int attempt = 0; attempt < mostPasses; ++attempt) {
        if (m_tops[index] < bar->value())
            bar->setValue(m_tops[index]);
        else if (m_tops[index + 1] > bar->value() + viewHeight)
            bar->setValue(std::min(m_tops[index], m_tops[index + 1] - viewHeight));
        layoutRows();
        if (!m_built[index]) {
            // Left for a later turn, or the list is not on screen and has no scroll range yet:
            // the row is built and measured now, where it belongs.
            QWidget* row = buildRow(index);
            const int height = measure(row);
            m_keyHeights.insert(m_keys[index], height);
            if (height != m_heights[index]) {
                m_heights[index] = height;
                recomputeTops();
            }
            row->setGeometry(0, m_tops[index], m_measuredWidth, height);
            row->show();
        }
        const bool tallerThanView = m_heights[index] > viewHeight;
        if (m_tops[index] >= bar->value() && (m_tops[index + 1] <= bar->value() + viewHeight ||
                                              (tallerThanView && m_tops[index] == bar->value())))
            break;
    }
    return m_built[index];
}

bool LazyRowList::eventFilter(QObject* watched, QEvent* event)
{
    // Compared by the pointer kept: the scroll area may be part-way through its destructor when its
    // viewport's last events come by.
    if (event->type() == QEvent::Resize && watched == m_viewport)
        layoutRows();
    return QWidget::eventFilter(watched, event);
}

void LazyRowList::changeEvent(QEvent* event)
{
    // A new style sheet or font changes what the rows ask for; a new theme, what they show. The
    // rows are laid out once the style sheet has reached every widget: rows made while it is
    // still on its way measure by a half-applied sheet.
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange) {
        m_measuredWidth = -1;
        layoutLater();
    }
    QWidget::changeEvent(event);
}

int LazyRowList::rowAt(int y) const
{
    if (count() == 0)
        return 0;
    // The last row whose top is at or above y.
    const auto after = std::upper_bound(m_tops.cbegin(), m_tops.cend() - 1, y);
    return std::max(0, int(after - m_tops.cbegin()) - 1);
}

int LazyRowList::measure(QWidget* row) const
{
    // What a vertical box layout would give the row at this width.
    int height = row->sizeHint().height();
    if (row->hasHeightForWidth()) {
        height = row->layout() ? row->layout()->totalHeightForWidth(m_measuredWidth)
                               : row->heightForWidth(m_measuredWidth);
    }
    return std::clamp(height, row->minimumHeight(), row->maximumHeight());
}

void LazyRowList::recomputeTops()
{
    m_tops.resize(m_heights.size() + 1);
    int top = 0;
    for (int i = 0; i < m_heights.size(); ++i) {
        m_tops[i] = top;
        top += m_heights[i];
    }
    m_tops[m_heights.size()] = top;
}

void LazyRowList::estimateHeights()
{
    for (int i = 0; i < m_keys.size(); ++i) {
        const auto known = m_keyHeights.constFind(m_keys[i]);
        if (known != m_keyHeights.cend()) {
            m_heights[i] = *known;
            continue;
        }
        const auto shaped = m_shapeHeights.constFind(m_shapes[i]);
        if (shaped != m_shapeHeights.cend()) {
            m_heights[i] = *shaped;
            continue;
        }
        // The first row of a shape not seen at this width is measured for all of its shape.
        QWidget* row = buildRow(i);
        m_heights[i] = measure(row);
        m_shapeHeights.insert(m_shapes[i], m_heights[i]);
        m_keyHeights.insert(m_keys[i], m_heights[i]);
    }
    recomputeTops();
}

QWidget* LazyRowList::buildRow(int index)
{
    if (QWidget* row = m_built[index])
        return row;
    QWidget* row = m_spare.take(m_keys[index]);
    if (!row) {
        row = m_build(index);
        row->setParent(this);
        row->ensurePolished();
    }
    m_built[index] = row;
    return row;
}

void LazyRowList::dropSpare()
{
    for (QWidget* row : std::as_const(m_spare)) {
        row->hide();
        row->deleteLater();
    }
    m_spare.clear();
}

void LazyRowList::dropRowsOfAnotherTheme()
{
    const QString styleSheet = qApp->styleSheet();
    if (styleSheet == m_styleSheet)
        return;
    m_styleSheet = styleSheet;
    for (int i = 0; i < m_built.size(); ++i)
        dropRow(i);
    dropSpare();
    m_keyHeights.clear();
    m_shapeHeights.clear();
    m_measuredWidth = -1;
}

void LazyRowList::dropRow(int index)
{
    QWidget* row = m_built[index];
    if (!row)
        return;
    m_built[index] = nullptr;
    // Deferred: the row may be handling the click that led here.
    row->hide();
    row->deleteLater();
}

void LazyRowList::layoutRows()
{
    if (m_layingOut) {
        m_layoutAgain = true;
        return;
    }
    m_layingOut = true;
    dropRowsOfAnotherTheme();
    m_turn.start();
    m_buildLater = false;
    bool settled = false;
    for (int pass = 0; pass < mostPasses && !settled && !m_buildLater; ++pass) {
        m_layoutAgain = false;
        bool heightsChanged = false;
        layoutPass(&heightsChanged);
        settled = !m_layoutAgain && !heightsChanged;
    }
    // Rows measured in the last pass moved the view onto rows not built yet: the next turn goes
    // on from there.
    if (!settled)
        m_buildLater = true;
    m_layingOut = false;
    if (m_buildLater)
        layoutLater();
    else
        dropSpare();
}

void LazyRowList::layoutLater()
{
    if (m_continuing)
        return;
    m_continuing = true;
    QTimer::singleShot(0, this, [this] {
        m_continuing = false;
        layoutRows();
    });
}

void LazyRowList::layoutPass(bool* heightsChanged)
{
    QWidget* viewport = m_scrollArea->viewport();
    QScrollBar* bar = m_scrollArea->verticalScrollBar();
    const int viewHeight = viewport->height();
    // The row at the top of the view, found before anything is measured anew.
    const int anchor = rowAt(bar->value());
    const int anchorOffset = bar->value() - m_tops.value(anchor);
    // A view at the end of the list stays there, however the rows above the end measure.
    const bool atEnd = count() > 0 && bar->maximum() > 0 && bar->value() >= bar->maximum();
    const int width = viewport->width();
    if (width != m_measuredWidth) {
        m_measuredWidth = width;
        m_keyHeights.clear();
        m_shapeHeights.clear();
        estimateHeights();
    }
    const int viewTop = m_tops.value(anchor) + anchorOffset;

    // Build and measure what the view shows, from the row at its top down.
    int y = m_tops.value(anchor);
    bool builtOne = false;
    for (int i = anchor; i < count() && y < viewTop + viewHeight; ++i) {
        // At least one row a turn, so a slow turn still fills the view in the end. Taking a
        // spare row costs next to nothing and spends none of the turn.
        if (!m_built[i] && !m_spare.contains(m_keys[i])) {
            if (builtOne && m_turn.nsecsElapsed() >= buildBudgetNs) {
                m_buildLater = true;
                break;
            }
            builtOne = true;
        }
        QWidget* row = buildRow(i);
        const int height = measure(row);
        if (height != m_heights[i]) {
            m_heights[i] = height;
            *heightsChanged = true;
        }
        m_keyHeights.insert(m_keys[i], height);
        y += height;
    }
    if (*heightsChanged)
        recomputeTops();

    const int total = m_tops.value(count());
    if (size() != QSize(width, std::max(total, viewHeight)))
        resize(width, std::max(total, viewHeight));
    // The row at the top of the view stays where it was, whatever the rows above it measured.
    const int wanted =
        atEnd ? std::max(0, total - viewHeight) : m_tops.value(anchor) + anchorOffset;
    if (count() > 0 && bar->value() != wanted && wanted <= bar->maximum())
        bar->setValue(wanted);

    const int keepFrom = bar->value() - keptViews * viewHeight;
    const int keepTo = bar->value() + (keptViews + 1) * viewHeight;
    for (int i = 0; i < m_built.size(); ++i) {
        QWidget* row = m_built[i];
        if (!row)
            continue;
        if (m_tops[i + 1] <= keepFrom || m_tops[i] >= keepTo) {
            dropRow(i);
            continue;
        }
        const QRect place(0, m_tops[i], width, m_heights[i]);
        if (row->geometry() != place)
            row->setGeometry(place);
        if (row->isHidden())
            row->show();
    }
}
