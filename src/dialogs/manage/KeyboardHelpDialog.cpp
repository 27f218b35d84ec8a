#include "KeyboardHelpDialog.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

KeyboardHelpDialog::KeyboardHelpDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Keyboard Shortcuts"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);

    const struct
    {
        QKeySequence keys;
        QString action;
    } rows[] = {
        {QKeySequence(QKeySequence::New), tr("New event")},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T), tr("New task")},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N), tr("Quick add")},
        {QKeySequence(Qt::CTRL | Qt::Key_F), tr("Find events")},
        {QKeySequence(Qt::CTRL | Qt::Key_K), tr("Command palette")},
        {QKeySequence(QStringLiteral("Ctrl+R")), tr("Sync now")},
        {QKeySequence(QStringLiteral("Ctrl+Shift+R")), tr("Force full sync")},
        {QKeySequence(Qt::Key_T), tr("Go to today")},
        {QKeySequence(Qt::Key_J), tr("Next period")},
        {QKeySequence(Qt::Key_K), tr("Previous period")},
        {QKeySequence(Qt::Key_L), tr("One week later")},
        {QKeySequence(Qt::Key_H), tr("One week earlier")},
        {QKeySequence(Qt::SHIFT | Qt::Key_J), tr("One month later")},
        {QKeySequence(Qt::SHIFT | Qt::Key_K), tr("One month earlier")},
        {QKeySequence(Qt::Key_1), tr("Day view")},
        {QKeySequence(Qt::Key_2), tr("Days view")},
        {QKeySequence(Qt::Key_3), tr("Week view")},
        {QKeySequence(Qt::Key_4), tr("Grid view")},
        {QKeySequence(Qt::Key_5), tr("Month view")},
        {QKeySequence(Qt::Key_6), tr("Year view")},
        {QKeySequence(QStringLiteral("Ctrl+Shift+1")),
         tr("Days view span: 3, 5, 7, 10 or 14 days (Ctrl+Shift+1 to Ctrl+Shift+5)")},
        {QKeySequence(Qt::ALT | Qt::Key_Left), tr("Back")},
        {QKeySequence(Qt::ALT | Qt::Key_Right), tr("Forward")},
        {QKeySequence(QStringLiteral("Ctrl+1")), tr("Calendar group 1 (Ctrl+1 to Ctrl+9)")},
        {QKeySequence(Qt::CTRL | Qt::Key_BracketRight), tr("Next calendar group")},
        {QKeySequence(Qt::CTRL | Qt::Key_BracketLeft), tr("Previous calendar group")},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), tr("Show empty days in the agenda")},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D), tr("Compact density")},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K), tr("Show or hide the tasks pane")},
        {QKeySequence(QKeySequence::Undo), tr("Undo")},
        {QKeySequence(QKeySequence::Preferences), tr("Preferences")},
        {QKeySequence(QKeySequence::HelpContents), tr("Keyboard shortcuts")},
        {QKeySequence(QKeySequence::Quit), tr("Quit")},
    };

    auto* table = new QTableWidget(0, 2, this);
    table->setHorizontalHeaderLabels({tr("Shortcut"), tr("Action")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setShowGrid(false);
    table->setFocusPolicy(Qt::NoFocus);
    for (const auto& row : rows) {
        // Standard keys without a binding on this platform are left out rather than shown empty.
        const QString keys = row.keys.toString(QKeySequence::NativeText);
        if (keys.isEmpty())
            continue;
        const int index = table->rowCount();
        table->insertRow(index);
        table->setItem(index, 0, new QTableWidgetItem(keys));
        table->setItem(index, 1, new QTableWidgetItem(row.action));
    }
    // Headings stand over their column's text, which starts at the left.
    table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 10);
    int rowsHeight = table->horizontalHeader()->sizeHint().height() + 2 * table->frameWidth();
    for (int row = 0; row < table->rowCount(); ++row)
        rowsHeight += table->rowHeight(row);
    table->setMinimumSize(440, std::min(rowsHeight, 320));
    layout->addWidget(table);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    // Every row at once where the screen has room; a scroll bar only on a low screen.
    int room = rowsHeight;
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        room = std::min(room, screen->availableGeometry().height() - 160);
    resize(sizeHint().width(), std::max(room, 320) + 100);
}
