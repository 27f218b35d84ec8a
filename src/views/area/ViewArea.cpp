#include "ViewArea.h"

#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "DayView.h"
#include "DeferredReload.h"
#include "EventRepository.h"
#include "FilterEngine.h"
#include "FilterRuleRepository.h"
#include "FittingLabel.h"
#include "Glyphs.h"
#include "Limits.h"
#include "MonthView.h"
#include "ShownText.h"
#include "Theme.h"
#include "TodayWatch.h"
#include "ViewData.h"
#include "ViewPeriod.h"
#include "ViewRepository.h"
#include "ViewWeather.h"
#include "WeatherService.h"
#include "WeekGridView.h"
#include "WeekView.h"
#include "WheelPaging.h"
#include "YearView.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QShortcut>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

const QStringList pageModes = {QStringLiteral("day"),   QStringLiteral("week"),
                               QStringLiteral("days"),  QStringLiteral("grid"),
                               QStringLiteral("month"), QStringLiteral("year")};

QToolButton* modeButton(const QString& text, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setCheckable(true);
    button->setAutoRaise(true);
    return button;
}

QToolButton* navigationButton(const QString& text, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setAutoRaise(true);
    return button;
}

// Whether the widget lies in a scroll area that can scroll sideways by itself.
bool inHorizontalScrollArea(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) {
            const QScrollBar* bar = area->horizontalScrollBar();
            if (area->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff && bar &&
                bar->maximum() > bar->minimum())
                return true;
        }
        if (w->isWindow())
            break;
    }
    return false;
}

} // namespace

ViewArea::ViewArea(AppState* appState, QWidget* parent)
    : QWidget(parent), m_appState(appState),
      m_hiddenCountReload(DeferredReload::create(this, [this] { updateFilterHiddenCount(); }))
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* header = new QWidget(this);
    header->setAutoFillBackground(true);
    auto* headerLayout = new QVBoxLayout(header);
    headerLayout->setContentsMargins(12, 6, 12, 6);
    headerLayout->setSpacing(4);
    auto* row1 = new QHBoxLayout;
    row1->setContentsMargins(0, 0, 0, 0);
    row1->setSpacing(8);
    auto* row2 = new QHBoxLayout;
    row2->setContentsMargins(0, 0, 0, 0);
    // The mode buttons carry their own padding; a narrow gap keeps the row, whose width is the
    // view area's minimum, as short in German or French as in English.
    row2->setSpacing(2);
    headerLayout->addLayout(row1);
    headerLayout->addLayout(row2);

    m_previousButton = navigationButton(QStringLiteral("\u25C0"), header);
    m_todayButton = navigationButton(tr("Today"), header);
    m_nextButton = navigationButton(QStringLiteral("\u25B6"), header);
    m_titleLabel = new FittingLabel(header);
    QFont titleFont = m_titleLabel->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() + 1);
    titleFont.setWeight(QFont::Bold);
    m_titleLabel->setFont(titleFont);
    // The title takes the room between the buttons, whatever its text, and shortens where room
    // is short: a long title ("Today · Wednesday, September 30, …") widened the window's
    // minimum and moved the view buttons with every change of title.
    m_titleLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_titleLabel->setMinimumWidth(90);
    m_groupButton = new QToolButton(header);
    m_groupButton->setPopupMode(QToolButton::InstantPopup);
    m_groupButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_groupButton->setAutoRaise(true);
    m_groupButton->setCursor(Qt::PointingHandCursor);
    QFont groupFont = m_groupButton->font();
    groupFont.setPointSizeF(groupFont.pointSizeF() + 1);
    groupFont.setWeight(QFont::Bold);
    m_groupButton->setFont(groupFont);
    row1->addWidget(m_previousButton);
    row1->addWidget(m_todayButton);
    row1->addWidget(m_nextButton);
    row1->addSpacing(12);
    row1->addWidget(m_titleLabel, 1);
    row1->addWidget(m_groupButton);

    m_dayButton = modeButton(tr("Day"), header);
    m_daysButton = modeButton(tr("Days"), header);
    m_weekButton = modeButton(tr("Week"), header);
    m_gridButton = modeButton(tr("Grid"), header);
    m_monthButton = modeButton(tr("Month"), header);
    m_yearButton = modeButton(tr("Year"), header);
    m_horizonChip = new QToolButton(header);
    m_horizonChip->setObjectName(QStringLiteral("horizonChip"));
    m_horizonChip->setPopupMode(QToolButton::InstantPopup);
    m_horizonChip->setAutoRaise(true);
    m_horizonChip->setCursor(Qt::PointingHandCursor);
    m_horizonChip->setToolTip(
        tr("Days timeline span \u2014 Ctrl+Shift+1..5 for 3 / 5 / 7 / 10 / 14 days"));
    m_horizonChip->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_horizonChip->setLayoutDirection(Qt::RightToLeft);
    m_horizonChip->setIcon(
        Theme::glyphIcon(Glyphs::dropDown, 14, palette().color(QPalette::WindowText)));
    m_horizonChip->setStyleSheet(
        QStringLiteral("QToolButton#horizonChip::menu-indicator { image: none; width: 0; }"
                       "QToolButton#horizonChip {  border: 1px solid %1; padding: 4px 10px;}"
                       "QToolButton#horizonChip:hover { border-color: %2; }")
            .arg(Theme::border().name(), Theme::borderStrong().name()));
    auto* horizonMenu = new QMenu(m_horizonChip);
    for (int days : {3, 5, 7, 10, 14}) {
        QAction* action = horizonMenu->addAction(tr("%n days", nullptr, days));
        action->setCheckable(true);
        action->setData(days);
        connect(action, &QAction::triggered, this,
                [this, days] { m_appState->setWeekHorizon(days); });
    }
    m_horizonChip->setMenu(horizonMenu);
    row2->addStretch(1);
    for (QToolButton* button :
         {m_dayButton, m_daysButton, m_weekButton, m_gridButton, m_monthButton, m_yearButton})
        row2->addWidget(button);
    row2->addStretch(1);
    // The chip keeps its place while hidden and is as wide for "3d" as for "14d", so choosing
    // Days moves none of the mode buttons.
    QSizePolicy chipPolicy = m_horizonChip->sizePolicy();
    chipPolicy.setRetainSizeWhenHidden(true);
    m_horizonChip->setSizePolicy(chipPolicy);
    m_horizonChip->setText(tr("%1d").arg(14));
    m_horizonChip->setMinimumWidth(m_horizonChip->sizeHint().width());
    row2->addWidget(m_horizonChip);

    m_stack = new QStackedWidget(this);
    outer->addWidget(header);
    outer->addWidget(m_stack, 1);
    m_dayView = new DayView(appState);
    m_weekView = new WeekView(appState, true);
    m_daysView = new WeekView(appState, false);
    m_gridView = new WeekGridView(appState);
    m_monthView = new MonthView(appState);
    m_yearView = new YearView(appState);
    for (QWidget* page : std::initializer_list<QWidget*>{m_dayView, m_weekView, m_daysView,
                                                         m_gridView, m_monthView, m_yearView})
        m_stack->addWidget(page);

    const QDate current = appState->currentDate();
    m_dayView->setDate(current);
    m_weekView->setDate(current);
    m_daysView->setDate(current);
    m_monthView->setDate(current);
    m_yearView->setDate(current);
    setMode(appState->viewMode());
    updateTitle();

    connect(appState, &AppState::currentDateChanged, this, &ViewArea::setDate);
    connect(appState, &AppState::viewModeChanged, this, &ViewArea::setMode);
    connect(appState, &AppState::weekHorizonChanged, this, &ViewArea::updateTitle);
    // "Today · " leaves the day's title at midnight, as the agenda's "Today" moves on.
    connect(new TodayWatch(this), &TodayWatch::dayChanged, this, &ViewArea::updateTitle);
    const QList<QPair<QToolButton*, QString>> buttons = {
        {m_dayButton, QStringLiteral("day")},   {m_weekButton, QStringLiteral("week")},
        {m_daysButton, QStringLiteral("days")}, {m_monthButton, QStringLiteral("month")},
        {m_yearButton, QStringLiteral("year")}, {m_gridButton, QStringLiteral("grid")}};
    for (const auto& [button, word] : buttons)
        connect(button, &QToolButton::clicked, this, [this, word = word] { setMode(word); });
    connect(m_previousButton, &QToolButton::clicked, this, [this] { step(-1); });
    connect(m_nextButton, &QToolButton::clicked, this, [this] { step(1); });
    connect(m_todayButton, &QToolButton::clicked, this,
            [this] { m_appState->setCurrentDate(Clock::today()); });
    const auto openDay = [this](const QDate& date) {
        m_appState->setViewModeAndDate(QStringLiteral("day"), date);
    };
    connect(m_yearView, &YearView::dayActivated, this, openDay);
    connect(m_gridView, &WeekGridView::dayActivated, this, openDay);
    if (appState->views())
        connect(appState->views(), &ViewRepository::viewsChanged, this, &ViewArea::buildGroupMenu);
    connect(appState, &AppState::activeViewChanged, this, &ViewArea::buildGroupMenu);
    buildGroupMenu();
    installShortcuts();
    if (appState->weather())
        connect(appState->weather(), &Weather::Service::forecastRefreshed, this,
                &ViewArea::updateTitle);
    if (appState->events())
        connect(appState->events(), &EventRepository::eventsChanged, this,
                &ViewArea::updateFilterHiddenCount);
    if (appState->filterRules())
        connect(appState->filterRules(), &FilterRuleRepository::filterRulesChanged, this,
                &ViewArea::updateFilterHiddenCount);
    if (appState->calendars())
        connect(appState->calendars(), &CalendarRepository::calendarsChanged, this,
                &ViewArea::updateFilterHiddenCount);
    connect(appState, &AppState::activeViewChanged, this, &ViewArea::updateFilterHiddenCount);
    connect(appState, &AppState::weekHorizonChanged, this, &ViewArea::updateFilterHiddenCount);
    connect(appState, &AppState::firstDayOfWeekChanged, this, [this] {
        updateTitle();
        updateFilterHiddenCount();
    });
    updateFilterHiddenCount();
    qApp->installEventFilter(this);
}

ViewArea::~ViewArea()
{
    qApp->removeEventFilter(this);
}

QString ViewArea::title() const
{
    return m_titleLabel->fullText();
}

void ViewArea::setMode(const QString& mode)
{
    m_mode = ViewPeriod::normalizedMode(mode);
    const QList<QPair<QToolButton*, QString>> buttons = {
        {m_dayButton, QStringLiteral("day")},   {m_weekButton, QStringLiteral("week")},
        {m_daysButton, QStringLiteral("days")}, {m_monthButton, QStringLiteral("month")},
        {m_yearButton, QStringLiteral("year")}, {m_gridButton, QStringLiteral("grid")}};
    for (const auto& [button, word] : buttons)
        button->setChecked(word == m_mode);
    const qsizetype page = pageModes.indexOf(m_mode);
    if (page >= 0) {
        // The stack would take the largest minimum of all pages (the year's): only the page
        // shown may hold the window's size up.
        for (int index = 0; index < m_stack->count(); ++index) {
            const QSizePolicy::Policy policy =
                index == page ? QSizePolicy::Preferred : QSizePolicy::Ignored;
            m_stack->widget(index)->setSizePolicy(policy, policy);
        }
        m_stack->setCurrentIndex(int(page));
        m_stack->updateGeometry();
    }
    m_horizonChip->setVisible(m_mode == QLatin1String("days"));
    updateTitle();
    updateFilterHiddenCount();
    m_appState->setViewMode(m_mode);
}

void ViewArea::setDate(const QDate& date)
{
    m_dayView->setDate(date);
    m_weekView->setDate(date);
    m_daysView->setDate(date);
    m_monthView->setDate(date);
    m_yearView->setDate(date);
    updateTitle();
    m_hiddenCountReload->start();
}

void ViewArea::step(int direction)
{
    const bool ctrl = QApplication::keyboardModifiers() & Qt::ControlModifier;
    m_appState->setCurrentDate(ViewPeriod::step(m_mode, m_appState->currentDate(), direction,
                                                m_appState->weekHorizon(), ctrl));
}

void ViewArea::updateTitle()
{
    const QDate date = m_appState->currentDate();
    const int horizon = m_appState->weekHorizon();
    QString text = ViewPeriod::title(m_mode, date, m_weekView->rangeStart(),
                                     m_daysView->rangeStart(), horizon, Clock::today());
    if (m_mode == QLatin1String("days")) {
        m_horizonChip->setText(tr("%1d").arg(horizon));
        for (QAction* action : m_horizonChip->menu()->actions())
            action->setChecked(action->data().toInt() == horizon);
    }
    QStringList texts{text};
    texts += ViewPeriod::shorterTitles(m_mode, date, Clock::today());
    texts += ViewPeriod::shorterRangeTitles(m_mode, date, m_weekView->rangeStart(),
                                            m_daysView->rangeStart(), horizon);
    if (!pageModes.mid(1).contains(m_mode)) {
        const QString suffix = weatherSuffix(date);
        for (QString& each : texts)
            each += suffix;
    }
    m_titleLabel->setTexts(texts);
}

QString ViewArea::weatherSuffix(const QDate& date)
{
    const QString label = ViewWeather::label(m_appState, date);
    return label.isEmpty() ? QString() : QStringLiteral("  \u00b7  ") + label;
}

void ViewArea::updateFilterHiddenCount()
{
    m_hiddenCountReload->stop();
    if (!m_appState)
        return;
    // Without a rule that hides, nothing is hidden: reading and expanding the whole range only
    // to count none doubled the cost of every step.
    if (!m_appState->filterRules() ||
        !FilterEngine::hidesAny(m_appState->filterRules()->getEnabled())) {
        m_appState->setFilterHiddenCount(0);
        return;
    }
    const ViewPeriod::Range range = ViewPeriod::modeRange(
        m_mode, m_appState->currentDate(), m_appState->firstDayOfWeek(), m_appState->weekHorizon());
    const ViewData::Result result = ViewData::load(m_appState, ViewData::rangeStart(range.first),
                                                   ViewData::rangeEnd(range.first, range.days));
    m_appState->setFilterHiddenCount(result.hiddenCount);
}

void ViewArea::buildGroupMenu()
{
    if (!m_groupButton || !m_appState->views())
        return;
    const QList<CalendarView> views = m_appState->views()->getAll();
    const QString active = m_appState->activeViewId();
    QString label = tr("All Calendars");
    QString color;
    for (const CalendarView& view : views) {
        if (view.id == active) {
            label = ShownText::bounded(view.displayName(), Limits::maxRowTextChars);
            color = view.color;
        }
    }
    // A long name (a View's, or "All Calendars" in French) is shortened rather than widening the
    // header, whose width is the window's minimum; the name is in the tool tip, up to a row's
    // length as in the menu below (a name can come from another device at any length).
    constexpr int widestName = 170;
    const QString shown =
        m_groupButton->fontMetrics().elidedText(label, Qt::ElideRight, widestName);
    m_groupButton->setText(shown);
    m_groupButton->setToolTip(shown == label ? QString() : label);
    m_groupButton->setIcon(Theme::calendarColorIcon(color));

    auto* menu = new QMenu(m_groupButton);
    for (const CalendarView& view : views) {
        QAction* action =
            menu->addAction(ShownText::bounded(view.displayName(), Limits::maxRowTextChars));
        action->setCheckable(true);
        action->setChecked(view.id == active);
        if (!view.color.isEmpty())
            action->setIcon(Theme::calendarColorIcon(view.color));
        const QString id = view.id;
        connect(action, &QAction::triggered, this, [this, id] { m_appState->setActiveViewId(id); });
    }
    if (!views.isEmpty())
        menu->addSeparator();
    connect(menu->addAction(tr("Add Calendar Group…")), &QAction::triggered, this,
            [this] { Q_EMIT calendarGroupFormRequested(QString()); });
    const std::optional<CalendarView> current = m_appState->views()->getById(active);
    if (current && !current->deletedAt) {
        const QString id = current->id;
        const QString name = current->name;
        connect(menu->addAction(tr("Edit Current Group…")), &QAction::triggered, this,
                [this, id] { Q_EMIT calendarGroupFormRequested(id); });
        if (active != QLatin1String("all-calendars"))
            connect(menu->addAction(tr("Delete Current Group")), &QAction::triggered, this,
                    [this, id, name] { confirmDeleteGroup(id, name); });
    }
    QMenu* old = m_groupButton->menu();
    m_groupButton->setMenu(menu);
    if (old)
        old->deleteLater();
}

void ViewArea::confirmDeleteGroup(const QString& id, const QString& name)
{
    if (QMessageBox::question(this, tr("Delete group?"),
                              tr("Delete \"%1\"? You can recreate it later.")
                                  .arg(ShownText::bounded(name, Limits::maxRowTextChars)),
                              QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) != QMessageBox::Yes)
        return;
    m_appState->views()->remove(id);
    if (m_appState->activeViewId() == id)
        m_appState->setActiveViewId(QStringLiteral("all-calendars"));
}

void ViewArea::addModeShortcut(const QKeySequence& key, const QString& mode)
{
    auto* shortcut = new QShortcut(key, this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, mode] { setMode(mode); });
}

void ViewArea::addHorizonShortcut(const QKeySequence& key, int days)
{
    auto* shortcut = new QShortcut(key, this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, days] {
        m_appState->setWeekHorizon(days);
        setMode(QStringLiteral("days"));
    });
}

void ViewArea::installShortcuts()
{
    const auto add = [this](const QKeySequence& key, const std::function<void()>& action) {
        auto* shortcut = new QShortcut(key, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    add(QKeySequence(Qt::Key_T), [this] { m_appState->setCurrentDate(Clock::today()); });
    add(QKeySequence(Qt::Key_J), [this] { step(1); });
    add(QKeySequence(Qt::Key_K), [this] { step(-1); });
    add(QKeySequence(Qt::Key_H),
        [this] { m_appState->setCurrentDate(m_appState->currentDate().addDays(-7)); });
    add(QKeySequence(Qt::Key_L),
        [this] { m_appState->setCurrentDate(m_appState->currentDate().addDays(7)); });
    add(QKeySequence(Qt::SHIFT | Qt::Key_K),
        [this] { m_appState->setCurrentDate(m_appState->currentDate().addMonths(-1)); });
    add(QKeySequence(Qt::SHIFT | Qt::Key_J),
        [this] { m_appState->setCurrentDate(m_appState->currentDate().addMonths(1)); });
    const QList<QPair<int, QString>> modes = {
        {Qt::Key_1, QStringLiteral("day")},   {Qt::Key_2, QStringLiteral("days")},
        {Qt::Key_3, QStringLiteral("week")},  {Qt::Key_4, QStringLiteral("grid")},
        {Qt::Key_5, QStringLiteral("month")}, {Qt::Key_6, QStringLiteral("year")}};
    for (const auto& [key, mode] : modes)
        addModeShortcut(QKeySequence(key), mode);
    const QList<QPair<int, int>> horizons = {
        {Qt::Key_1, 3}, {Qt::Key_2, 5}, {Qt::Key_3, 7}, {Qt::Key_4, 10}, {Qt::Key_5, 14}};
    for (const auto& [key, days] : horizons)
        addHorizonShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | key), days);
}

bool ViewArea::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Wheel)
        return QWidget::eventFilter(watched, event);
    const QPoint delta = static_cast<QWheelEvent*>(event)->angleDelta();
    WheelPaging::Target target;
    auto* widget = qobject_cast<QWidget*>(watched);
    target.inMainWindow = widget && widget->window() == window();
    target.modalDialogOpen = QApplication::activeModalWidget() != nullptr;
    target.horizontallyScrollable = widget && inHorizontalScrollArea(widget);
    if (!WheelPaging::pagesPeriod(delta.x(), delta.y(), target))
        return false;
    const int steps = WheelPaging::addDelta(m_wheelAccumulator, delta.x());
    for (int i = 0; i < std::abs(steps); ++i)
        step(steps > 0 ? 1 : -1);
    return true;
}
