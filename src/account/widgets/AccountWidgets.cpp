#include "AccountWidgets.h"

#include "AuthClient.h"
#include "ElidedLabel.h"
#include "Limits.h"
#include "ShownText.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QScrollArea>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace OrvaAccount::AccountWidgets {

namespace {

constexpr int smallestPointSize = 7;

} // namespace

QFont smaller(QFont font, int by)
{
    font.setPointSize(std::max(font.pointSize() - by, smallestPointSize));
    return font;
}

QFont weighted(QFont font, QFont::Weight weight)
{
    font.setWeight(weight);
    return font;
}

QLabel* plainLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

ElidedLabel* serviceLabel(const QString& text, QWidget* parent)
{
    return new ElidedLabel(ShownText::bounded(text, Limits::maxRowTextChars), parent);
}

QLabel* leftOutNote(const QString& text, QWidget* parent)
{
    QLabel* label = plainLabel(text, parent);
    label->setWordWrap(true);
    label->setContentsMargins(12, 4, 0, 4);
    useSecondaryColour(label);
    return label;
}

void useSecondaryColour(QLabel* label)
{
    QPalette palette = label->palette();
    const QColor colour = QApplication::palette().color(QPalette::PlaceholderText);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::WindowText, colour);
    label->setPalette(palette);
    // The application's style sheet colours labels over their palette; it subdues these.
    label->setProperty("muted", true);
}

void useTextColour(QLabel* label, const char* colour)
{
    QPalette palette = label->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::WindowText, QColor(QLatin1String(colour)));
    label->setPalette(palette);
    // A style sheet of the label's own outranks the application's, which sets label colours.
    label->setStyleSheet(QStringLiteral("color: %1;").arg(QLatin1String(colour)));
}

QFrame* separator(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QHBoxLayout* indentedRow(int top, int bottom)
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(12, top, 0, bottom);
    return row;
}

QHBoxLayout* rowWidget(QWidget* parent, QVBoxLayout* into, int top, int bottom)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(12, top, 0, bottom);
    into->addWidget(row);
    return layout;
}

QLabel* errorNote(const QString& text, QWidget* parent)
{
    QLabel* label = plainLabel(text, parent);
    label->setWordWrap(true);
    label->setContentsMargins(12, 0, 0, 0);
    useTextColour(label, "#C62828");
    return label;
}

QVBoxLayout* pageLayout(QWidget* page, const QString& title)
{
    auto* outer = new QVBoxLayout(page);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(page);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* inner = new QWidget(scroll);
    auto* pageLayout = new QVBoxLayout(inner);
    pageLayout->setContentsMargins(24, 24, 24, 24);
    pageLayout->setSpacing(8);
    QLabel* titleLabel = plainLabel(title, inner);
    QFont font = weighted(titleLabel->font(), QFont::DemiBold);
    font.setPointSize(font.pointSize() + 4);
    titleLabel->setFont(font);
    pageLayout->addWidget(titleLabel);
    pageLayout->addSpacing(12);
    scroll->setWidget(inner);
    outer->addWidget(scroll);
    return pageLayout;
}

QWidget* sectionHeader(const QString& title, const QString& description)
{
    auto* header = new QWidget;
    auto* layout = new QVBoxLayout(header);
    layout->setContentsMargins(0, 0, 0, 8);
    // The title may be the service's (a group's name).
    QLabel* titleLabel = serviceLabel(title, header);
    QFont font = weighted(titleLabel->font(), QFont::Medium);
    font.setPointSize(font.pointSize() + 1);
    titleLabel->setFont(font);
    layout->addWidget(titleLabel);
    if (!description.isEmpty()) {
        QLabel* text = plainLabel(description, header);
        text->setWordWrap(true);
        useSecondaryColour(text);
        text->setFont(smaller(text->font(), 2));
        layout->addWidget(text);
    }
    return header;
}

QVBoxLayout* replaceContent(QVBoxLayout* pageLayout, QWidget*& content, int spacing)
{
    if (content) {
        pageLayout->removeWidget(content);
        content->deleteLater();
    }
    content = new QWidget(pageLayout->parentWidget());
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    pageLayout->insertWidget(2, content);
    return layout;
}

bool ask(QWidget* parent, const QString& title, const QString& text)
{
    QPointer<QMessageBox> box = new QMessageBox(QMessageBox::Question, title, text,
                                                QMessageBox::Yes | QMessageBox::No, parent);
    box->setTextFormat(Qt::PlainText);
    box->setDefaultButton(QMessageBox::No);
    QPointer<QWidget> self(parent);
    const int answer = box->exec();
    delete box;
    return self && answer == QMessageBox::Yes;
}

std::optional<QString> prompt(QWidget* parent, const QString& title, const QString& label,
                              bool password, const QString& prefill)
{
    QPointer<QInputDialog> dialog = new QInputDialog(parent);
    dialog->setWindowTitle(title);
    dialog->setLabelText(label);
    dialog->setTextEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
    // Qt's default of 32,767 characters would cut a longer prefill (a name from the service).
    if (auto* field = dialog->findChild<QLineEdit*>())
        field->setMaxLength(std::numeric_limits<int>::max());
    dialog->setTextValue(prefill);
    // While the field holds what it was given, the prefill is the answer, as it came.
    const QString shown = dialog->textValue();
    QPointer<QWidget> self(parent);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    QString text = dialog ? dialog->textValue() : QString();
    delete dialog;
    if (!self || !accepted)
        return std::nullopt;
    if (text == shown)
        text = prefill;
    return text;
}

void signIn(AuthClient* auth, QWidget* parent)
{
    QUrl unopened;
    {
        QObject listening;
        QObject::connect(auth, &AuthClient::loginPageNotOpened, &listening,
                         [&unopened](const QUrl& loginUrl) { unopened = loginUrl; });
        auth->login();
    }
    if (unopened.isEmpty())
        return;

    QPointer<QDialog> dialog = new QDialog(parent);
    dialog->setWindowTitle(QStringLiteral("Sign In"));
    dialog->setMinimumWidth(460);
    auto* layout = new QVBoxLayout(dialog);
    QLabel* text = plainLabel(QStringLiteral("Could not launch the system browser for Orvandellic "
                                             "sign-in. Open this address in a browser on this "
                                             "computer; this window closes by itself when you "
                                             "are done."),
                              dialog);
    text->setWordWrap(true);
    layout->addWidget(text);
    // A line of its own, read-only: the whole address is selected, ready to be copied, and
    // shown from its start.
    const QString page = unopened.toString(QUrl::FullyEncoded);
    auto* address = new QLineEdit(page, dialog);
    address->setObjectName(QStringLiteral("signInAddress"));
    address->setReadOnly(true);
    address->setSelection(static_cast<int>(page.size()), -static_cast<int>(page.size()));
    layout->addWidget(address);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);

    QPointer<AuthClient> client(auth);
    bool ended = false;
    {
        QObject waiting;
        const auto end = [&ended, dialog] {
            ended = true;
            if (dialog)
                dialog->accept();
        };
        QObject::connect(auth, &AuthClient::loginSucceeded, &waiting, end);
        QObject::connect(auth, &AuthClient::loginFailed, &waiting, end);
        dialog->exec();
    }
    delete dialog;
    if (!ended && client)
        client->cancelLogin();
}

} // namespace OrvaAccount::AccountWidgets
