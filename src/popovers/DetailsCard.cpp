#include "DetailsCard.h"

#include <QPointer>

#include "FormOpening.h"
#include "Theme.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGraphicsDropShadowEffect>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QUrl>

DetailsCard::DetailsCard(const QString& objectName, int width, QWidget* parent) : QFrame(nullptr)
{
    if (parent)
        setParent(parent->window(), Qt::WindowFlags());
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(objectName);
    setStyleSheet(
        QStringLiteral("QFrame#%1 {background: %2;border: 1px solid %3;border-radius: %4px;}")
            .arg(objectName, Theme::surface().name(), Theme::border().name())
            .arg(10));
    setFixedWidth(width);
    setFocusPolicy(Qt::StrongFocus);

    auto* shadow = new QGraphicsDropShadowEffect(this);
    shadow->setBlurRadius(28);
    shadow->setOffset(0, 6);
    shadow->setColor(QColor(0, 0, 0, 80));
    setGraphicsEffect(shadow);

    if (active() && active() != this)
        active()->close();
    active() = this;
    // An editing form opening over the window takes the card's place.
    connect(FormOpening::instance(), &FormOpening::opening, this, &DetailsCard::close);
}

QPointer<DetailsCard>& DetailsCard::active()
{
    static QPointer<DetailsCard> card;
    return card;
}

QWidget* DetailsCard::hostWindow() const
{
    return isWindow() && parentWidget() ? parentWidget()->window() : window();
}

void DetailsCard::closeActive()
{
    if (active())
        active()->close();
}

DetailsCard::~DetailsCard()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

void DetailsCard::openLink(const QString& link)
{
    const QUrl url(link);
    const QString scheme = url.scheme().toLower();
    if (url.isValid() && (scheme == u"http" || scheme == u"https" || scheme == u"mailto"))
        QDesktopServices::openUrl(url);
}

bool DetailsCard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
        auto* target = static_cast<QWidget*>(watched);
        // A press the card's children ignore travels on to the card's ancestors: judge by where
        // the press is, not only by who receives it.
        const QPoint global = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        if (target != this && !isAncestorOf(target) && target->window() == hostWindow() &&
            !rect().contains(mapFromGlobal(global)))
            close();
    }
    return false;
}

void DetailsCard::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QFrame::keyPressEvent(event);
}

void DetailsCard::showEvent(QShowEvent* event)
{
    QCoreApplication::instance()->installEventFilter(this);
    raise();
    QFrame::showEvent(event);
}

void DetailsCard::hideEvent(QHideEvent* event)
{
    QCoreApplication::instance()->removeEventFilter(this);
    QFrame::hideEvent(event);
}
