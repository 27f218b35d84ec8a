#include "AccountStatusLine.h"

#include "AccountWidgets.h"

#include <QTimer>

namespace OrvaAccount {

namespace {

constexpr int errorClearMs = 4000;
constexpr int successClearMs = 3000;

} // namespace

AccountStatusLine::AccountStatusLine(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setObjectName(QStringLiteral("accountStatus"));
    setFixedHeight(24);
    // A message naming a long name is cut at the window's edge rather than widening it.
    setMinimumWidth(1);
    setFont(AccountWidgets::smaller(font(), 1));
}

void AccountStatusLine::showError(const QString& text)
{
    showStatus(text, QStringLiteral("color: #C62828; padding: 4px;"), errorClearMs);
}

void AccountStatusLine::showSuccess(const QString& text)
{
    showStatus(text, QStringLiteral("color: #2E7D32; padding: 4px;"), successClearMs);
}

void AccountStatusLine::showStatus(const QString& text, const QString& style, int clearAfterMs)
{
    setStyleSheet(style);
    setText(text);
    const int serial = ++m_serial;
    // A message clears only itself: a newer one outlives the older one's timer.
    QTimer::singleShot(clearAfterMs, this, [this, serial] {
        if (serial == m_serial)
            clear();
    });
}

} // namespace OrvaAccount
