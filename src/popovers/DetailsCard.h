#pragma once

#include <QFrame>
#include <QPointer>
#include <QString>

// The frame and closing rules the details cards share. A card floats as a plain child of its
// parent's window, with a rounded border and a shadow, and deletes itself on close; one too large
// for that window stands in a window of its own beside it. It closes on Escape and on a press
// anywhere else in its window; the press still reaches its target, and when an editing form opens
// (FormOpening). Placement is PopoverPlacement's.
class DetailsCard : public QFrame
{
    Q_OBJECT

public:
    ~DetailsCard() override;

    // Opens a link of a card's text: only http, https and mailto addresses open.
    static void openLink(const QString& link);
    // Closes the open card, if any. At most one card, of any kind, is open at a time: a new
    // one closes the one before it.
    static void closeActive();

protected:
    // `objectName` names the frame in its style sheet; `width` is the card's fixed width.
    DetailsCard(const QString& objectName, int width, QWidget* parent);

    // The window the card stands over, also when it is shown in a window of its own.
    QWidget* hostWindow() const;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    static QPointer<DetailsCard>& active();
};
