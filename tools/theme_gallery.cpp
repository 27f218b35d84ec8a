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
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
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

#include <cstdio>

namespace {

// Adds the widget to the layout, enabled or not, and hands it back for more settings.
template <typename Widget>
Widget* add(QGridLayout* grid, Widget* widget, int row, int column, bool enabled = true)
{
    widget->setEnabled(enabled);
    grid->addWidget(widget, row, column);
    return widget;
}

QToolButton* toolButton(const QString& text)
{
    auto* button = new QToolButton;
    button->setText(text);
    return button;
}

QListWidget* checkList(const QStringList& texts, int uncheckedEvery)
{
    auto* list = new QListWidget;
    for (int i = 0; i < texts.size(); ++i) {
        auto* item = new QListWidgetItem(texts.at(i), list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState((i + 1) % uncheckedEvery == 0 ? Qt::Unchecked : Qt::Checked);
        item->setIcon(Theme::calendarColorIcon(i % 2 ? QStringLiteral("#E67C73")
                                                     : QStringLiteral("#4285F4")));
    }
    return list;
}

// Buttons and editors in their usual and disabled states.
QWidget* controls()
{
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(QStringLiteral("Label in the primary text colour")), 0, 0, 1, 4);
    add(grid, new QPushButton(QStringLiteral("Button")), 1, 0);
    add(grid, new QPushButton(QStringLiteral("Default")), 1, 1)->setDefault(true);
    add(grid, new QPushButton(QStringLiteral("Disabled")), 1, 2, false);
    add(grid, toolButton(QStringLiteral("Tool")), 1, 3);
    QToolButton* checked = add(grid, toolButton(QStringLiteral("Checked")), 2, 0);
    checked->setCheckable(true);
    checked->setChecked(true);
    QToolButton* chip = add(grid, toolButton(QStringLiteral("7 days")), 2, 1);
    chip->setProperty("horizonChip", true);
    chip->setPopupMode(QToolButton::InstantPopup);
    chip->setMenu(new QMenu(chip));
    add(grid, toolButton(QStringLiteral("Off")), 2, 2, false);
    add(grid, new QLineEdit(QStringLiteral("Team standup")), 3, 0)->selectAll();
    add(grid, new QLineEdit(QStringLiteral("Disabled line")), 3, 1, false);
    add(grid, new QComboBox, 4, 0)->addItems({QStringLiteral("Personal"), QStringLiteral("Work")});
    add(grid, new QComboBox, 4, 1, false)->addItem(QStringLiteral("Disabled combo"));
    add(grid, new QDateEdit(QDate(2026, 3, 14)), 5, 0)->setCalendarPopup(true);
    add(grid, new QDateTimeEdit(QDateTime(QDate(2026, 3, 14), QTime(9, 30))), 5, 1);
    add(grid, new QSpinBox, 6, 0)->setValue(15);
    add(grid, new QPlainTextEdit(QStringLiteral("Plain text notes")), 6, 1)->setMaximumHeight(56);
    add(grid, new QTextEdit(QStringLiteral("<b>Rich</b> text description")), 7, 0)
        ->setMaximumHeight(56);
    add(grid, new QCheckBox(QStringLiteral("Check box")), 8, 0)->setChecked(true);
    add(grid, new QCheckBox(QStringLiteral("Unchecked")), 8, 1);
    add(grid, new QRadioButton(QStringLiteral("Radio on")), 9, 0)->setChecked(true);
    add(grid, new QLabel(QStringLiteral("Muted label")), 9, 1)->setProperty("muted", true);
    grid->addWidget(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel), 10, 0, 1,
                    4);
    grid->setRowStretch(11, 1);
    return box;
}

// A checkable list, a table with a header and alternating rows, and a tree, as tabs.
QWidget* views()
{
    auto* tabs = new QTabWidget;
    QStringList calendars;
    for (int i = 1; i <= 30; ++i)
        calendars.append(QStringLiteral("Calendar %1").arg(i));
    QListWidget* list = checkList(calendars, 3);
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
    window->statusBar()->showMessage(QStringLiteral("Synced 2 minutes ago"));
    auto* splitter = new QSplitter;
    splitter->addWidget(controls());
    splitter->addWidget(views());
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
    const QStyle::State enabled = QStyle::State_Enabled;
    const std::pair<const char*, QStyle::State> states[] = {
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
    for (int column = 0; column < 6; ++column) {
        painter.drawText(QRect(10 + column * cell, 4, cell, 20), Qt::AlignCenter,
                         QString::fromLatin1(states[column].first));
        for (int row = 0; row < 3; ++row) {
            QImage small(18, 18, QImage::Format_ARGB32_Premultiplied);
            small.fill(Theme::surface());
            QStyleOptionButton option;
            option.rect = QRect(0, 0, 18, 18);
            option.state = states[column].second;
            QPainter indicator(&small);
            QApplication::style()->drawPrimitive(elements[row], &option, &indicator);
            indicator.end();
            painter.drawImage(QPoint(10 + column * cell + 19, 30 + row * 100),
                              small.scaled(72, 72, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        }
    }

    QWidget strip;
    auto* grid = new QGridLayout(&strip);
    for (int column = 0; column < 3; ++column) {
        add(grid, new QCheckBox(QStringLiteral("Check")), 0, column, column != 2)
            ->setChecked(column != 0);
        QRadioButton* radio =
            add(grid, new QRadioButton(QStringLiteral("Radio")), 1, column, column != 2);
        radio->setAutoExclusive(false); // one checked radio per state, not one per strip
        radio->setChecked(column != 0);
    }
    QListWidget* list =
        checkList({QStringLiteral("Checked in a list"), QStringLiteral("Unchecked in a list")}, 2);
    list->setFixedHeight(70);
    grid->addWidget(list, 0, 3, 2, 1);
    strip.resize(image.width() - 20, 110);
    strip.show();
    QApplication::processEvents();
    painter.drawPixmap(10, 3 * 100 + 40, strip.grab());
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
    const auto save = [&](const auto& picture, const QString& name) {
        if (!picture.save(output.filePath(name)))
            ++failures;
    };
    for (const char* mode : {"light", "dark"}) {
        for (const char* accent : {"", "#d81b60"}) {
            theme.setAccentColor(QString::fromLatin1(accent));
            theme.setMode(QString::fromLatin1(mode));
            const QString suffix =
                QString::fromLatin1(mode) +
                (accent[0] ? QStringLiteral("-accent.png") : QStringLiteral(".png"));
            QMainWindow* window = buildWindow();
            window->show();
            QApplication::processEvents();
            save(window->grab(), QStringLiteral("window-") + suffix);
            save(menuPicture(window), QStringLiteral("menu-") + suffix);
            // The table tab shows the header sections and alternating rows.
            window->findChild<QTabWidget*>()->setCurrentIndex(1);
            QApplication::processEvents();
            save(window->grab(), QStringLiteral("window-table-") + suffix);
            delete window;
            save(indicatorSheet(), QStringLiteral("indicators-") + suffix);
        }
    }
    std::printf("wrote %s\n", qPrintable(output.absolutePath()));
    return failures == 0 ? 0 : 1;
}
