#include "StoreWaitNote.h"

#include "AppState.h"

#include <QPointer>
#include <QPushButton>

StoreWaitNote::StoreWaitNote(AppState* appState, const QString& text, QWidget* parent)
    : QLabel(text, parent), m_appState(appState)
{
    setObjectName(QStringLiteral("storeWaitNote"));
    setWordWrap(true);
    hide();
}

void StoreWaitNote::saveWhenFree(QPushButton* ok, std::function<void()> save)
{
    if (m_waiting || !m_appState)
        return;
    m_waiting = true;
    show();
    ok->setEnabled(false);
    const QPointer<QPushButton> button(ok);
    connect(
        m_appState, &AppState::storeReleased, this,
        [this, button, save = std::move(save)] {
            if (!m_waiting)
                return;
            m_waiting = false;
            hide();
            if (button)
                button->setEnabled(true);
            save();
        },
        Qt::SingleShotConnection);
}

void StoreWaitNote::cancel()
{
    m_waiting = false;
}
