#include "FilterFormDialog.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "CalendarSort.h"
#include "ChangedElsewhere.h"
#include "Clock.h"
#include "EventRepository.h"
#include "FilterConditions.h"
#include "FilterRuleRepository.h"
#include "FormScrollArea.h"
#include "FormMerge.h"
#include "Limits.h"
#include "LongTextField.h"
#include "ShownText.h"
#include "Theme.h"
#include "VisibleEvents.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimeEdit>
#include <QTimeZone>
#include <QTimer>
#include <QToolButton>
#include <QUuid>
#include <QVBoxLayout>

#include <algorithm>

namespace {

struct Kind
{
    const char* key;
    const char* button;
    const char* description;
};

// Translated in the generic context, like the day buttons, so that other windows naming the
// kinds share one translation.
const Kind kinds[] = {
    {"pattern", QT_TRANSLATE_NOOP("QObject", "Pattern Match"),
     QT_TRANSLATE_NOOP("QObject", "Filter events matching text patterns")},
    {"time", QT_TRANSLATE_NOOP("QObject", "Time-Based"),
     QT_TRANSLATE_NOOP("QObject", "Filter events at specific times")},
    {"specific", QT_TRANSLATE_NOOP("QObject", "Specific Event"),
     QT_TRANSLATE_NOOP("QObject", "Filter a specific recurring event")},
    {"all_day", QT_TRANSLATE_NOOP("QObject", "All-Day Events"),
     QT_TRANSLATE_NOOP("QObject", "Filter all-day events")},
};

const char* const dayLabels[] = {
    QT_TRANSLATE_NOOP("QObject", "Mon"), QT_TRANSLATE_NOOP("QObject", "Tue"),
    QT_TRANSLATE_NOOP("QObject", "Wed"), QT_TRANSLATE_NOOP("QObject", "Thu"),
    QT_TRANSLATE_NOOP("QObject", "Fri"), QT_TRANSLATE_NOOP("QObject", "Sat"),
    QT_TRANSLATE_NOOP("QObject", "Sun"),
};

const QString specificKind = QStringLiteral("specific");
const int formWidth = 620;

// The form shows exactly its current page: hints come from that page alone, so the dialog is
// as tall as what it shows instead of as tall as its tallest page.
class CurrentPageStack : public QStackedWidget
{
public:
    using QStackedWidget::QStackedWidget;
    ~CurrentPageStack() override = default;

    QSize sizeHint() const override
    {
        return currentWidget() ? currentWidget()->sizeHint() : QStackedWidget::sizeHint();
    }
    QSize minimumSizeHint() const override
    {
        return currentWidget() ? currentWidget()->minimumSizeHint()
                               : QStackedWidget::minimumSizeHint();
    }
};

QFormLayout* formLayout()
{
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(12);
    return form;
}

QLabel* boldLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setWeight(QFont::Bold);
    label->setFont(font);
    return label;
}

QLabel* mutedLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setProperty("muted", true);
    return label;
}

QToolButton* toggleButton(const QString& text, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::Fixed);
    button->setMinimumHeight(28);
    return button;
}

QTimeEdit* timeEdit(QWidget* parent)
{
    auto* edit = new QTimeEdit(QTime(0, 0), parent);
    edit->setDisplayFormat(QStringLiteral("h:mm AP"));
    edit->setEnabled(false);
    return edit;
}

// An event's title as the specific-event page names it.
QString shownEventTitle(const QString& title)
{
    return title.isEmpty() ? FilterFormDialog::tr("(Untitled event)")
                           : ShownText::bounded(title, Limits::maxFilterTitleChars);
}

QVBoxLayout* pageLayout(QWidget* page, int spacing)
{
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

} // namespace

FilterFormDialog::FilterFormDialog(AppState* appState, const FilterRule& rule, QWidget* parent)
    : QDialog(parent), m_appState(appState), m_editedRule(rule)
{
    setWindowTitle(tr("Edit Filter"));
    setModal(true);
    buildUi();
    loadRule();
    m_shown = formValues();
    refreshPreview();
}

FilterFormDialog::FilterFormDialog(AppState* appState, QWidget* parent)
    : QDialog(parent), m_appState(appState)
{
    setWindowTitle(tr("Add Filter"));
    setModal(true);
    buildUi();
    setKind(QStringLiteral("pattern"));
    setMinimumHeight(0);
    adjustSize();
    refreshPreview();
}

FilterFormDialog::~FilterFormDialog() = default;

void FilterFormDialog::buildUi()
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 16, 16, 16);
    outer->setSpacing(12);

    auto* header = new QLabel(m_editedRule ? tr("Edit filter") : tr("New filter"), this);
    QFont headerFont = header->font();
    headerFont.setWeight(QFont::Bold);
    headerFont.setPointSize(16);
    header->setFont(headerFont);
    outer->addWidget(header);
    outer->addWidget(mutedLabel(tr("Filters hide or dim events that match — they don't delete "
                                   "anything, and you can toggle the whole set off from the "
                                   "filters pill in the status bar."),
                                this));

    auto* body = new QVBoxLayout;
    body->setContentsMargins(0, 8, 0, 8);
    body->setSpacing(12);
    outer->addLayout(body);

    auto* nameForm = formLayout();
    m_nameEdit = new QLineEdit(this);
    m_name = new LongTextField(m_nameEdit);
    m_nameEdit->setPlaceholderText(tr("Hide standups, Dim birthdays…"));
    nameForm->addRow(tr("&Name"), m_nameEdit);
    body->addLayout(nameForm);

    auto* kindSection = new QWidget(this);
    auto* kindLayout = new QVBoxLayout(kindSection);
    kindLayout->setContentsMargins(0, 0, 0, 0);
    kindLayout->setSpacing(4);
    kindLayout->addWidget(boldLabel(tr("Type"), kindSection));
    buildKindSelector(kindSection);
    m_kindDescriptionLabel = mutedLabel(QString(), kindSection);
    kindLayout->addWidget(m_kindDescriptionLabel);
    body->addWidget(kindSection);

    m_pageStack = new CurrentPageStack(this);
    buildKindPages();
    body->addWidget(m_pageStack);

    auto* actionForm = formLayout();
    m_actionCombo = new QComboBox(this);
    m_actionCombo->addItem(tr("Hide completely"), QStringLiteral("hide"));
    m_actionCombo->addItem(tr("Dim (still visible, faded)"), QStringLiteral("dim"));
    actionForm->addRow(tr("&Action"), m_actionCombo);
    m_suppressRemindersCheck = new QCheckBox(tr("Suppress reminders for matched events"), this);
    m_suppressRemindersCheck->setVisible(false);
    actionForm->addRow(QString(), m_suppressRemindersCheck);
    m_enabledCheck = new QCheckBox(tr("Enabled"), this);
    m_enabledCheck->setChecked(true);
    actionForm->addRow(QString(), m_enabledCheck);
    body->addLayout(actionForm);

    m_calendarSection = new QWidget(this);
    auto* calendarLayout = new QVBoxLayout(m_calendarSection);
    calendarLayout->setContentsMargins(0, 0, 0, 0);
    calendarLayout->setSpacing(4);
    calendarLayout->addWidget(boldLabel(tr("Apply to calendars"), m_calendarSection));
    calendarLayout->addWidget(
        mutedLabel(tr("Leave empty to apply to every calendar."), m_calendarSection));
    buildCalendarList(m_calendarSection);
    body->addWidget(m_calendarSection);

    m_previewLabel = mutedLabel(QString(), this);
    // Example titles come from servers and other devices.
    m_previewLabel->setTextFormat(Qt::PlainText);
    outer->addWidget(m_previewLabel);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Plain);
    rule->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::border().name()));
    outer->addWidget(rule);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)
        ->setText(m_editedRule ? tr("Save changes") : tr("Create filter"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &FilterFormDialog::save);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    outer->addWidget(buttons);
    // The time page and a long calendar list make the form taller than a laptop's screen; the
    // preview stays in sight with the buttons.
    m_fields = FormScrollArea::wrap(this, m_previewLabel);

    // Typing and toggling only restart the timer: the preview reads and expands a month of
    // events, which is too much to redo on every keystroke.
    m_previewTimer = new QTimer(this);
    m_previewTimer->setSingleShot(true);
    m_previewTimer->setInterval(previewDelayMs);
    connect(m_previewTimer, &QTimer::timeout, this, &FilterFormDialog::refreshPreview);

    connect(m_titleContainsEdit, &QLineEdit::textChanged, this, &FilterFormDialog::schedulePreview);
    for (QCheckBox* box : {m_caseSensitiveCheck, m_exactTimeCheck, m_rangeCheck,
                           m_recurringOnlyCheck, m_allDayRecurringOnlyCheck})
        connect(box, &QCheckBox::toggled, this, &FilterFormDialog::schedulePreview);
    for (QAbstractButton* day : std::as_const(m_dayButtons))
        connect(day, &QAbstractButton::toggled, this, &FilterFormDialog::schedulePreview);
    for (QTimeEdit* edit : {m_exactTimeEdit, m_rangeStartEdit, m_rangeEndEdit})
        connect(edit, &QTimeEdit::timeChanged, this, &FilterFormDialog::schedulePreview);
    connect(m_calendarList, &QListWidget::itemChanged, this, &FilterFormDialog::schedulePreview);
    connect(m_actionCombo, &QComboBox::currentIndexChanged, this, [this] {
        updateSuppressRemindersVisibility();
        schedulePreview();
    });

    refreshPreview();
    resize(formWidth, sizeHint().height());
    m_nameEdit->setFocus(Qt::OtherFocusReason);
}

void FilterFormDialog::buildKindSelector(QWidget* section)
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    m_kindGroup = new QButtonGroup(this);
    m_kindGroup->setExclusive(true);
    for (const Kind& kind : kinds) {
        const QString key = QString::fromLatin1(kind.key);
        QToolButton* button = toggleButton(QObject::tr(kind.button), section);
        row->addWidget(button, 1);
        m_kindGroup->addButton(button);
        m_kindButtons.insert(key, button);
        connect(button, &QToolButton::toggled, this, [this, key](bool checked) {
            if (checked)
                setKind(key);
        });
    }
    static_cast<QVBoxLayout*>(section->layout())->addLayout(row);
}

void FilterFormDialog::buildKindPages()
{
    auto* pattern = new QWidget(m_pageStack);
    auto* patternLayout = pageLayout(pattern, 4);
    patternLayout->addWidget(new QLabel(tr("Title contains"), pattern));
    m_titleContainsEdit = new QLineEdit(pattern);
    m_titleContainsEdit->setPlaceholderText(tr("e.g. standup, lunch, 1:1 — comma separated"));
    patternLayout->addWidget(m_titleContainsEdit);
    m_caseSensitiveCheck = new QCheckBox(tr("Case sensitive"), pattern);
    patternLayout->addWidget(m_caseSensitiveCheck);
    m_pageIndexByKind.insert(QStringLiteral("pattern"), m_pageStack->addWidget(pattern));

    auto* time = new QWidget(m_pageStack);
    auto* timeLayout = pageLayout(time, 8);
    auto* exactRow = new QHBoxLayout;
    m_exactTimeCheck = new QCheckBox(tr("Exact start time"), time);
    m_exactTimeEdit = timeEdit(time);
    exactRow->addWidget(m_exactTimeCheck);
    exactRow->addWidget(m_exactTimeEdit, 1);
    timeLayout->addLayout(exactRow);
    auto* rangeRow = new QHBoxLayout;
    m_rangeCheck = new QCheckBox(tr("Time range"), time);
    m_rangeStartEdit = timeEdit(time);
    m_rangeEndEdit = timeEdit(time);
    rangeRow->addWidget(m_rangeCheck);
    rangeRow->addWidget(m_rangeStartEdit, 1);
    rangeRow->addWidget(new QLabel(tr("to"), time));
    rangeRow->addWidget(m_rangeEndEdit, 1);
    timeLayout->addLayout(rangeRow);
    connect(m_exactTimeCheck, &QCheckBox::toggled, m_exactTimeEdit, &QWidget::setEnabled);
    connect(m_rangeCheck, &QCheckBox::toggled, m_rangeStartEdit, &QWidget::setEnabled);
    connect(m_rangeCheck, &QCheckBox::toggled, m_rangeEndEdit, &QWidget::setEnabled);
    timeLayout->addWidget(new QLabel(tr("Days of week (empty = every day)"), time));
    auto* dayRow = new QHBoxLayout;
    dayRow->setSpacing(4);
    const QStringList& keys = FilterConditions::dayKeys();
    for (int i = 0; i < keys.size(); ++i) {
        QToolButton* button = toggleButton(QObject::tr(dayLabels[i]), time);
        dayRow->addWidget(button, 1);
        m_dayButtons.insert(keys.at(i), button);
    }
    timeLayout->addLayout(dayRow);
    m_recurringOnlyCheck = new QCheckBox(tr("Recurring events only"), time);
    timeLayout->addWidget(m_recurringOnlyCheck);
    m_pageIndexByKind.insert(QStringLiteral("time"), m_pageStack->addWidget(time));

    auto* specific = new QWidget(m_pageStack);
    auto* specificLayout = pageLayout(specific, 4);
    specificLayout->addWidget(new QLabel(tr("Filtering this specific event:"), specific));
    m_specificEventLabel =
        mutedLabel(tr("(Right-click an event and choose \"Create Filter from Event\" to create a "
                      "specific-event filter.)"),
                   specific);
    m_specificEventLabel->setTextFormat(Qt::PlainText);
    specificLayout->addWidget(m_specificEventLabel);
    m_pageIndexByKind.insert(specificKind, m_pageStack->addWidget(specific));

    auto* allDay = new QWidget(m_pageStack);
    auto* allDayLayout = pageLayout(allDay, 4);
    auto* allDayText =
        new QLabel(tr("Matches every all-day event in the selected calendars."), allDay);
    allDayText->setWordWrap(true);
    allDayLayout->addWidget(allDayText);
    m_allDayRecurringOnlyCheck = new QCheckBox(tr("Only recurring all-day events"), allDay);
    allDayLayout->addWidget(m_allDayRecurringOnlyCheck);
    m_pageIndexByKind.insert(QStringLiteral("all_day"), m_pageStack->addWidget(allDay));
}

void FilterFormDialog::buildCalendarList(QWidget* section)
{
    m_calendarList = new QListWidget(section);
    m_calendarList->setMinimumHeight(72);
    m_calendarList->setMaximumHeight(160);
    m_calendarList->setStyleSheet(Theme::checkboxListStyle());

    QHash<QString, Account> accounts;
    QList<Calendar> calendars;
    if (m_appState) {
        for (const Account& account : m_appState->accounts()->getAll())
            accounts.insert(account.id, account);
        for (const Calendar& calendar : m_appState->calendars()->getAll()) {
            if (calendar.isVisible)
                calendars.append(calendar);
        }
    }
    sortCalendarsByAccountAndName(calendars, accounts);
    for (const Calendar& calendar : calendars) {
        // Names come from servers: each item lays out a row's worth.
        const QString name = ShownText::bounded(calendar.name, Limits::maxRowTextChars);
        const QString accountName =
            ShownText::bounded(accounts.value(calendar.accountId).name, Limits::maxRowTextChars);
        auto* item = new QListWidgetItem(
            accountName.isEmpty() ? name : QStringLiteral("%1 / %2").arg(accountName, name),
            m_calendarList);
        item->setIcon(Theme::calendarColorIcon(calendar.color));
        item->setData(Qt::UserRole, calendar.id);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    section->layout()->addWidget(m_calendarList);
}

void FilterFormDialog::setKind(const QString& key)
{
    m_currentKind = key;
    if (QAbstractButton* button = m_kindButtons.value(key); button && !button->isChecked())
        button->setChecked(true);
    for (const Kind& kind : kinds) {
        if (key == QLatin1String(kind.key))
            m_kindDescriptionLabel->setText(QObject::tr(kind.description));
    }
    const int index = m_pageIndexByKind.value(key, 0);
    m_pageStack->setCurrentIndex(index);
    for (int i = 0; i < m_pageStack->count(); ++i)
        m_pageStack->widget(i)->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_pageStack->currentWidget()->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    m_pageStack->updateGeometry();
    m_calendarSection->setVisible(key != specificKind);
    m_fields->takeBodyChanges();
    setMinimumHeight(0);
    adjustSize();
    // The height follows the page; the width stays that of the form as it opened.
    resize(std::max(width(), formWidth), height());
    schedulePreview();
}

void FilterFormDialog::loadRule()
{
    const FilterRule& rule = *m_editedRule;
    m_name->setText(rule.name);
    setKind(rule.type);

    const FilterConditions::FormValues values = FilterConditions::read(rule.conditions);
    if (rule.type == QLatin1String("pattern")) {
        m_titleContainsEdit->setText(values.phrasesText);
        m_caseSensitiveCheck->setChecked(values.caseSensitive);
    } else if (rule.type == QLatin1String("time")) {
        if (values.timeExact) {
            m_exactTimeCheck->setChecked(true);
            m_exactTimeEdit->setTime(*values.timeExact);
        }
        if (values.rangeStart && values.rangeEnd) {
            m_rangeCheck->setChecked(true);
            m_rangeStartEdit->setTime(*values.rangeStart);
            m_rangeEndEdit->setTime(*values.rangeEnd);
        }
        for (const QString& day : values.days)
            m_dayButtons.value(day)->setChecked(true);
        m_recurringOnlyCheck->setChecked(values.recurringOnly);
    } else if (rule.type == specificKind) {
        m_specificEventUid = rule.eventUid;
        m_specificEventCalendarId = rule.eventCalendarId;
        std::optional<Event> event;
        if (m_appState && !m_specificEventUid.isEmpty() && !m_specificEventCalendarId.isEmpty())
            event = m_appState->events()->getByUid(m_specificEventUid, m_specificEventCalendarId);
        if (!event)
            m_specificEventLabel->setText(tr("(Event no longer exists)"));
        else
            m_specificEventLabel->setText(shownEventTitle(event->title));
    } else if (rule.type == QLatin1String("all_day")) {
        m_allDayRecurringOnlyCheck->setChecked(values.recurringOnly);
    }

    m_actionCombo->setCurrentIndex(rule.action == QLatin1String("dim") ? 1 : 0);
    m_suppressRemindersCheck->setChecked(rule.suppressReminders);
    updateSuppressRemindersVisibility();
    m_enabledCheck->setChecked(rule.enabled);

    const QStringList stored = FilterConditions::storedCalendarIds(rule.calendarIds);
    for (int i = 0; i < m_calendarList->count(); ++i) {
        QListWidgetItem* item = m_calendarList->item(i);
        item->setCheckState(stored.contains(item->data(Qt::UserRole).toString()) ? Qt::Checked
                                                                                 : Qt::Unchecked);
    }
}

void FilterFormDialog::setSpecificEvent(const Event& event)
{
    if (event.uid.isEmpty())
        return;
    m_specificEventUid = event.uid;
    m_specificEventCalendarId = event.calendarId;
    setKind(specificKind);
    m_specificEventLabel->setText(shownEventTitle(event.title));
    // The name is only a suggestion to edit: a title's start is enough of one.
    if (m_nameEdit->text().isEmpty() && !event.title.isEmpty())
        m_nameEdit->setText(ShownText::bounded(event.title, Limits::maxFilterTitleChars));
}

void FilterFormDialog::updateSuppressRemindersVisibility()
{
    m_suppressRemindersCheck->setVisible(currentAction() == QLatin1String("dim"));
}

QString FilterFormDialog::currentAction() const
{
    return m_actionCombo->currentData().toString();
}

QString FilterFormDialog::conditionsText() const
{
    const QString written = formConditionsText();
    return m_editedRule ? FilterConditions::keepUnedited(written, m_editedRule->conditions)
                        : written;
}

QString FilterFormDialog::formConditionsText() const
{
    if (m_currentKind == QLatin1String("pattern"))
        return FilterConditions::patternConditions(
            FilterConditions::splitPhrases(m_titleContainsEdit->text()),
            m_caseSensitiveCheck->isChecked());
    if (m_currentKind == QLatin1String("time")) {
        std::optional<QTime> exact;
        std::optional<QTime> start;
        std::optional<QTime> end;
        if (m_exactTimeCheck->isChecked())
            exact = m_exactTimeEdit->time();
        if (m_rangeCheck->isChecked()) {
            start = m_rangeStartEdit->time();
            end = m_rangeEndEdit->time();
        }
        QStringList days;
        for (const QString& key : FilterConditions::dayKeys()) {
            if (m_dayButtons.value(key)->isChecked())
                days.append(key);
        }
        return FilterConditions::timeConditions(exact, start, end, days,
                                                m_recurringOnlyCheck->isChecked());
    }
    if (m_currentKind == specificKind)
        return FilterConditions::specificConditions();
    return FilterConditions::allDayConditions(m_allDayRecurringOnlyCheck->isChecked());
}

QString FilterFormDialog::calendarIdsText() const
{
    if (m_currentKind == specificKind)
        return QStringLiteral("[]");
    QStringList ticked;
    QStringList listed;
    for (int i = 0; i < m_calendarList->count(); ++i) {
        const QListWidgetItem* item = m_calendarList->item(i);
        const QString id = item->data(Qt::UserRole).toString();
        listed.append(id);
        if (item->checkState() == Qt::Checked)
            ticked.append(id);
    }
    return FilterConditions::calendarIdsText(ticked, listed,
                                             m_editedRule ? m_editedRule->calendarIds : QString());
}

FilterRule FilterFormDialog::previewRule() const
{
    FilterRule rule;
    rule.id = QStringLiteral("__preview");
    rule.priority = 100;
    rule.enabled = true;
    rule.type = m_currentKind;
    rule.action = currentAction();
    rule.conditions = conditionsText();
    rule.calendarIds = calendarIdsText();
    if (m_currentKind == specificKind) {
        rule.eventUid = m_specificEventUid;
        rule.eventCalendarId = m_specificEventCalendarId;
    }
    return rule;
}

void FilterFormDialog::schedulePreview()
{
    // Before the timer exists (while the widgets are built) there is nothing to preview yet.
    if (m_previewTimer)
        m_previewTimer->start();
}

void FilterFormDialog::refreshPreview()
{
    m_previewTimer->stop();
    // The rule alone, over the events of every calendar, not only those of the group shown.
    const FilterRule rule = previewRule();
    const QDateTime from = Clock::today().startOfDay(QTimeZone::systemTimeZone());
    const VisibleEvents::Result shown =
        VisibleEvents::load(m_appState, from, from.addDays(30),
                            {VisibleEvents::Calendars::Every, QList<FilterRule>{rule}});
    const QList<Event>& occurrences = shown.occurrences;
    if (occurrences.isEmpty()) {
        m_previewLabel->setText(tr("No events in the next 30 days to preview against."));
        return;
    }
    const FilterConditions::PreviewTally tally =
        FilterConditions::tally(occurrences, shown.filtered);
    const int total = int(occurrences.size());
    QString text = rule.action == QLatin1String("hide")
                       ? tr("Would hide %1 of %n event(s) in the next 30 days.", nullptr, total)
                       : tr("Would dim %1 of %n event(s) in the next 30 days.", nullptr, total);
    text = text.arg(tally.matched);
    if (!tally.examples.isEmpty()) {
        QStringList examples;
        for (const QString& example : tally.examples)
            examples.append(ShownText::bounded(example, Limits::maxFilterTitleChars));
        text += QStringLiteral("  ") + tr("e.g. %1").arg(examples.join(QStringLiteral(", ")));
    }
    m_previewLabel->setText(text);
}

FilterRule FilterFormDialog::formValues() const
{
    FilterRule values;
    // A stored name the user did not edit goes back as it came.
    const QString name = m_name->text();
    values.name = m_editedRule && name == m_editedRule->name ? name : name.trimmed();
    values.type = m_currentKind;
    values.action = currentAction();
    values.enabled = m_enabledCheck->isChecked();
    values.conditions = conditionsText();
    values.calendarIds = calendarIdsText();
    values.suppressReminders =
        values.action == QLatin1String("dim") && m_suppressRemindersCheck->isChecked();
    if (m_currentKind == specificKind) {
        values.eventUid = m_specificEventUid;
        values.eventCalendarId = m_specificEventCalendarId;
    }
    return values;
}

void FilterFormDialog::save()
{
    const FilterRule edited = formValues();
    if (edited.name.trimmed().isEmpty()) {
        QMessageBox::warning(this, tr("Name required"), tr("Please enter a name for the filter."),
                             QMessageBox::Ok);
        m_nameEdit->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (m_currentKind == QLatin1String("pattern") &&
        FilterConditions::splitPhrases(m_titleContainsEdit->text()).isEmpty()) {
        QMessageBox::warning(this, tr("No patterns"),
                             tr("Add at least one phrase to \"Title contains\"."), QMessageBox::Ok);
        m_titleContainsEdit->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (m_currentKind == specificKind &&
        (m_specificEventUid.isEmpty() || m_specificEventCalendarId.isEmpty())) {
        QMessageBox::warning(
            this, tr("No event selected"),
            tr("Specific-event filters need to be created from an event's right-click menu — "
               "that's how the rule learns which event to match."),
            QMessageBox::Ok);
        return;
    }

    const QDateTime now = Clock::now();
    FilterRule rule = edited;
    QList<FormMerge::Field> replaced;
    if (m_editedRule) {
        // The rule as stored now: the configuration sync may have changed it while the form was
        // open (a field the user left alone keeps that change), or removed it.
        const std::optional<FilterRule> stored =
            m_appState ? m_appState->filterRules()->getById(m_editedRule->id) : std::nullopt;
        if (!stored || stored->deletedAt) {
            QMessageBox::warning(this, tr("Filter removed"),
                                 tr("This filter was removed meanwhile, so it cannot be saved."),
                                 QMessageBox::Ok);
            reject();
            return;
        }
        const FormMerge::Merged<FilterRule> merged =
            FormMerge::filterRule(*m_editedRule, m_shown, *stored, edited);
        rule = merged.record;
        replaced = merged.replaced;
    } else {
        rule.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        rule.priority = 100;
        rule.createdAt = now;
    }
    rule.syncStatus = QStringLiteral("pending");
    rule.updatedAt = now;

    const bool saved = m_appState && (m_editedRule ? m_appState->filterRules()->update(rule)
                                                   : m_appState->filterRules()->insert(rule));
    if (!saved) {
        QMessageBox::critical(this, tr("Database Error"), tr("Could not save the filter."),
                              QMessageBox::Ok);
        return;
    }
    ChangedElsewhere::tell(this, replaced);
    accept();
}
