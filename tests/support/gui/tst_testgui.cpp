#include "InputEvents.h"
#include "ModalSeam.h"
#include "PixelProbe.h"

#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

// The harness every widget test leans on: modal windows answered or taken away, mouse input
// that reaches the widget.
class TestGuiHarness : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // An answered box returns the answer; an unanswered one is rejected instead of hanging; each
    // is reported with its title, text and buttons.
    void modalWindowsAreAnswered()
    {
        QMessageBox::StandardButton answer = QMessageBox::NoButton;
        const QList<ModalSeam::Seen> seen = ModalSeam::run(
            [&] {
                answer = QMessageBox::question(nullptr, QStringLiteral("Delete?"),
                                               QStringLiteral("Delete the event?"));
                QMessageBox::warning(nullptr, QStringLiteral("Second"), QStringLiteral("Left"));
            },
            QList<ModalSeam::Answer>{[](QWidget* window) {
                QVERIFY(ModalSeam::clickButton(window, QStringLiteral("Yes")));
            }});
        QCOMPARE(answer, QMessageBox::Yes);
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen.first().title, QStringLiteral("Delete?"));
        QCOMPARE(seen.first().text, QStringLiteral("Delete the event?"));
        QCOMPARE(seen.first().buttons, (QStringList{"Yes", "No"}));
        QCOMPARE(seen.last().title, QStringLiteral("Second"));
    }

    // A drag moves a slider's handle with the button held; a wheel notch steps a spin box.
    void mouseInputArrives()
    {
        QSlider slider(Qt::Horizontal);
        slider.setRange(0, 100);
        slider.resize(200, 30);
        slider.show();
        const int y = slider.height() / 2;
        InputEvents::drag(&slider, QPoint(3, y), QPoint(197, y), 8);
        QVERIFY(slider.value() > 80);

        QSpinBox spin;
        spin.setRange(0, 10);
        spin.show();
        InputEvents::wheel(&spin, spin.rect().center(), 120);
        QCOMPARE(spin.value(), 1);
    }

    // A probe passes within its tolerance and names the point and both colours otherwise; a
    // blend matches what a painter draws for a translucent fill.
    void pixelProbesCompareWithTolerance()
    {
        QWidget canvas;
        canvas.resize(40, 20);
        canvas.setAutoFillBackground(true);
        QPalette palette = canvas.palette();
        palette.setColor(QPalette::Window, QColor(200, 200, 200));
        canvas.setPalette(palette);
        const QImage image = PixelProbe::render(&canvas);
        QCOMPARE(PixelProbe::mismatch(image, {10, 10}, QColor(203, 198, 200), 3), QString());
        QCOMPARE(PixelProbe::mismatch(image, {10, 10}, QColor(210, 200, 200), 3),
                 QStringLiteral("(10, 10) is #c8c8c8, expected #d2c8c8 within 3"));
        QVERIFY(!PixelProbe::mismatch(image, {40, 10}, QColor(200, 200, 200), 3).isEmpty());

        QImage painted(4, 4, QImage::Format_ARGB32_Premultiplied);
        painted.fill(Qt::white);
        QPainter painter(&painted);
        QColor fill(Qt::blue);
        fill.setAlpha(90);
        painter.fillRect(painted.rect(), fill);
        painter.end();
        QCOMPARE(
            PixelProbe::mismatch(painted, {1, 1}, PixelProbe::blend(Qt::blue, 90, Qt::white), 2),
            QString());
    }
};

QTEST_MAIN(TestGuiHarness)
#include "tst_testgui.moc"
