// Renders the widget kinds the stylesheet styles, in light and dark mode with the default and a
// custom accent, and the application style's check and radio indicators in every state, as PNG
// files for a person to look at. Run under a display (for instance `xvfb-run -a`):
//     theme_gallery <output folder>

#include "Theme.h"
#include "ThemeManager.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <cstdio>

namespace {

QWidget* buttonsRow()
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->addWidget(new QPushButton(QStringLiteral("Button")));
    auto* primary = new QPushButton(QStringLiteral("Default"));
    primary->setDefault(true);
    layout->addWidget(primary);
    auto* disabled = new QPushButton(QStringLiteral("Disabled"));
    disabled->setEnabled(false);
    layout->addWidget(disabled);
    auto* tool = new QToolButton;
    tool->setText(QStringLiteral("Tool"));
    layout->addWidget(tool);
    auto* checked = new QToolButton;
    checked->setText(QStringLiteral("Checked"));
    checked->setCheckable(true);
    checked->setChecked(true);
    layout->addWidget(checked);
    auto* chip = new QToolButton;
    chip->setText(QStringLiteral("7 days"));
    chip->setProperty("horizonChip", true);
    chip->setPopupMode(QToolButton::InstantPopup);
    chip->setMenu(new QMenu(chip));
    layout->addWidget(chip);
    auto* toolDisabled = new QToolButton;
    toolDisabled->setText(QStringLiteral("Off"));
    toolDisabled->setEnabled(false);
    layout->addWidget(toolDisabled);
    layout->addStretch();
    return row;
}

QWidget* editorsGrid()
{
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    auto* line = new QLineEdit(QStringLiteral("Team standup"));
    line->selectAll();
    grid->addWidget(line, 0, 0);
    auto* lineDisabled = new QLineEdit(QStringLiteral("Disabled line"));
    lineDisabled->setEnabled(false);
    grid->addWidget(lineDisabled, 0, 1);
    auto* combo = new QComboBox;
    combo->addItems({QStringLiteral("Personal"), QStringLiteral("Work")});
    grid->addWidget(combo, 1, 0);
    auto* comboDisabled = new QComboBox;
    comboDisabled->addItem(QStringLiteral("Disabled combo"));
    comboDisabled->setEnabled(false);
    grid->addWidget(comboDisabled, 1, 1);
    auto* date = new QDateEdit(QDate(2026, 3, 14));
    date->setCalendarPopup(true);
    grid->addWidget(date, 2, 0);
    grid->addWidget(new QDateTimeEdit(QDateTime(QDate(2026, 3, 14), QTime(9, 30))), 2, 1);
    auto* spin = new QSpinBox;
    spin->setValue(15);
    grid->addWidget(spin, 3, 0);
    auto* plain = new QPlainTextEdit(QStringLiteral("Plain text notes"));
    plain->setMaximumHeight(56);
    grid->addWidget(plain, 3, 1);
    auto* rich = new QTextEdit(QStringLiteral("<b>Rich</b> text description"));
    rich->setMaximumHeight(56);
    grid->addWidget(rich, 4, 0, 1, 2);
    auto* check = new QCheckBox(QStringLiteral("Check box"));
    check->setChecked(true);
    grid->addWidget(check, 5, 0);
    grid->addWidget(new QCheckBox(QStringLiteral("Unchecked")), 5, 1);
    auto* radio = new QRadioButton(QStringLiteral("Radio on"));
    radio->setChecked(true);
    grid->addWidget(radio, 6, 0);
    auto* muted = new QLabel(QStringLiteral("Muted label"));
    muted->setProperty("muted", true);
    grid->addWidget(muted, 6, 1);
    return box;
}

QWidget* listsTabs()
{
    auto* tabs = new QTabWidget;

    auto* list = new QListWidget;
    for (int i = 1; i <= 30; ++i) {
        auto* item = new QListWidgetItem(QStringLiteral("Calendar %1").arg(i), list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(i % 3 == 0 ? Qt::Unchecked : Qt::Checked);
        item->setIcon(Theme::calendarColorIcon(i % 2 ? QStringLiteral("#4285F4")
                                                     : QStringLiteral("#E67C73")));
    }
    list->setCurrentRow(1);
    tabs->addTab(list, QStringLiteral("List"));

    auto* model = new QStandardItemModel(12, 3, tabs);
    model->setHorizontalHeaderLabels(
        {QStringLiteral("Title"), QStringLiteral("When"), QStringLiteral("Calendar")});
    for (int r = 0; r < 12; ++r) {
        model->setItem(r, 0, new QStandardItem(QStringLiteral("Event %1").arg(r + 1)));
        model->setItem(
            r, 1, new QStandardItem(QStringLiteral("09:%1").arg(r * 5, 2, 10, QLatin1Char('0'))));
        model->setItem(r, 2, new QStandardItem(QStringLiteral("Work")));
    }
    auto* table = new QTableView;
    table->setModel(model);
    table->setAlternatingRowColors(true);
    table->selectRow(2);
    tabs->addTab(table, QStringLiteral("Table"));
    auto* tree = new QTreeView;
    tree->setModel(model);
    tabs->addTab(tree, QStringLiteral("Tree"));
    return tabs;
}

QMainWindow* buildWindow()
{
    auto* window = new QMainWindow;
    window->setWindowTitle(QStringLiteral("Theme gallery"));
    QMenu* file = window->menuBar()->addMenu(QStringLiteral("File"));
    file->addAction(QStringLiteral("New event"));
    file->addSeparator();
    file->addAction(QStringLiteral("Quit"));
    window->menuBar()->addMenu(QStringLiteral("View"));
    window->menuBar()->addMenu(QStringLiteral("Help"));
    window->statusBar()->showMessage(QStringLiteral("Synced 2 minutes ago"));

    auto* splitter = new QSplitter;
    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->addWidget(new QLabel(QStringLiteral("Label in the primary text colour")));
    leftLayout->addWidget(buttonsRow());
    leftLayout->addWidget(editorsGrid());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    leftLayout->addWidget(buttons);
    leftLayout->addStretch();
    splitter->addWidget(left);
    splitter->addWidget(listsTabs());
    splitter->setSizes({560, 340});
    window->setCentralWidget(splitter);
    window->resize(920, 620);
    return window;
}

// The open File menu, drawn on its own: popups are separate windows and not part of a grab.
QPixmap menuPicture(QMainWindow* window)
{
    QMenu* menu = window->menuBar()->actions().constFirst()->menu();
    menu->setActiveAction(menu->actions().constFirst());
    menu->ensurePolished();
    menu->adjustSize();
    return menu->grab();
}

// Every indicator state, drawn by the application style and enlarged four times, then the same
// states on real widgets (which also passes through the stylesheet).
QImage indicatorSheet()
{
    struct State
    {
        const char* name;
        QStyle::State flags;
    };
    const QStyle::State enabled = QStyle::State_Enabled;
    const State states[] = {
        {"off", enabled | QStyle::State_Off},
        {"hover", enabled | QStyle::State_Off | QStyle::State_MouseOver},
        {"on", enabled | QStyle::State_On},
        {"on+hover", enabled | QStyle::State_On | QStyle::State_MouseOver},
        {"disabled", QStyle::State_Off},
        {"disabled on", QStyle::State_On},
    };
    const QStyle::PrimitiveElement elements[] = {QStyle::PE_IndicatorCheckBox,
                                                 QStyle::PE_IndicatorItemViewItemCheck,
                                                 QStyle::PE_IndicatorRadioButton};
    const int cell = 110;
    QImage image(cell * 6 + 20, 3 * 100 + 40 + 120, QImage::Format_ARGB32_Premultiplied);
    image.fill(Theme::canvas());
    QPainter painter(&image);
    painter.setPen(Theme::textPrimary());
    for (int column = 0; column < 6; ++column)
        painter.drawText(QRect(10 + column * cell, 4, cell, 20), Qt::AlignCenter,
                         QString::fromLatin1(states[column].name));
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 6; ++column) {
            QImage small(18, 18, QImage::Format_ARGB32_Premultiplied);
            small.fill(Theme::surface());
            QStyleOptionButton option;
            option.rect = QRect(0, 0, 18, 18);
            option.state = states[column].flags;
            QPainter indicator(&small);
            QApplication::style()->drawPrimitive(elements[row], &option, &indicator);
            indicator.end();
            painter.drawImage(QPoint(10 + column * cell + 19, 30 + row * 100),
                              small.scaled(72, 72, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        }
    }

    auto* strip = new QWidget;
    auto* layout = new QGridLayout(strip);
    for (int column = 0; column < 3; ++column) {
        auto* check = new QCheckBox(QStringLiteral("Check"));
        auto* radio = new QRadioButton(QStringLiteral("Radio"));
        check->setChecked(column != 0);
        radio->setChecked(column != 0);
        check->setEnabled(column != 2);
        radio->setEnabled(column != 2);
        layout->addWidget(check, 0, column);
        layout->addWidget(radio, 1, column);
    }
    auto* list = new QListWidget;
    for (const char* text : {"Checked in a list", "Unchecked in a list"}) {
        auto* item = new QListWidgetItem(QString::fromLatin1(text), list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(text[0] == 'C' ? Qt::Checked : Qt::Unchecked);
    }
    list->setFixedHeight(70);
    layout->addWidget(list, 0, 3, 2, 1);
    strip->resize(image.width() - 20, 110);
    strip->show();
    QApplication::processEvents();
    painter.drawPixmap(10, 3 * 100 + 40, strip->grab());
    delete strip;
    return image;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: theme_gallery <output folder>\n");
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(output.path());

    ThemeManager theme(nullptr);
    int failures = 0;
    for (const char* mode : {"light", "dark"}) {
        for (const char* accent : {"", "#d81b60"}) {
            theme.setAccentColor(QString::fromLatin1(accent));
            theme.setMode(QString::fromLatin1(mode));
            const QString suffix = QString::fromLatin1(mode) +
                                   (accent[0] ? QStringLiteral("-accent") : QStringLiteral(""));

            QMainWindow* window = buildWindow();
            window->show();
            QApplication::processEvents();
            if (!window->grab().save(output.filePath(QStringLiteral("window-%1.png").arg(suffix))))
                ++failures;
            if (!menuPicture(window).save(
                    output.filePath(QStringLiteral("menu-%1.png").arg(suffix))))
                ++failures;
            // The table tab shows the header sections and alternating rows.
            window->findChild<QTabWidget*>()->setCurrentIndex(1);
            QApplication::processEvents();
            if (!window->grab().save(
                    output.filePath(QStringLiteral("window-table-%1.png").arg(suffix))))
                ++failures;
            delete window;
            if (!indicatorSheet().save(
                    output.filePath(QStringLiteral("indicators-%1.png").arg(suffix))))
                ++failures;
        }
    }
    std::printf("wrote %s\n", qPrintable(output.absolutePath()));
    return failures == 0 ? 0 : 1;
}
