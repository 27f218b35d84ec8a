#include "RecurringEditScopeDialog.h"

#include "Limits.h"
#include "ShownText.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

RecurringEditScopeDialog::RecurringEditScopeDialog(const QString& eventTitle, QWidget* parent,
                                                   Mode mode)
    : QDialog(parent)
{
    const bool deleting = mode == Mode::Delete;
    setWindowTitle(deleting ? tr("Delete Recurring Event") : tr("Edit Recurring Event"));
    setModal(true);
    constexpr int dialogWidth = 400;
    constexpr int margin = 16;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(12);

    // The title comes from a server or another device: never read as rich text. The heading
    // wraps it to about two lines of the dialog's width, so neither a long title nor a long word
    // in it (a link) carries the dialog off the screen.
    const QString quote = deleting ? tr("Delete \"%1\"") : tr("Edit \"%1\"");
    auto* heading = new QLabel(this);
    heading->setTextFormat(Qt::PlainText);
    QFont headingFont = heading->font();
    headingFont.setWeight(QFont::Bold);
    headingFont.setPointSize(16);
    heading->setFont(headingFont);
    const QFontMetrics metrics(headingFont);
    const int headingWidth = dialogWidth - 2 * margin;
    heading->setText(quote.arg(metrics.elidedText(
        ShownText::bounded(eventTitle, Limits::maxRowTextChars), Qt::ElideRight,
        2 * headingWidth - metrics.horizontalAdvance(quote.arg(QString())))));
    heading->setWordWrap(true);
    layout->addWidget(heading);

    auto* question = new QLabel(deleting ? tr("This event repeats. Delete:")
                                         : tr("This event repeats. Apply your changes to:"),
                                this);
    question->setWordWrap(true);
    question->setProperty("muted", true);
    layout->addWidget(question);
    layout->addSpacing(8);

    const struct
    {
        QString text;
        QString toolTip;
        int scope;
    } editChoices[] =
        {
            {tr("This event only"),
             tr("Only this occurrence is changed; the rest of the series stays as it was."), 1},
            {tr("This and following events"),
             tr("This occurrence and every later one inherit the change. Past occurrences keep "
                "their "
                "original times."),
             2},
            {tr("All events in the series"),
             tr("The master event shifts; every occurrence — past and future — moves with it."), 3},
        },
      deleteChoices[] = {
          {tr("This event only"),
           tr("Only this occurrence is deleted; the rest of the series stays."), 1},
          {tr("This and following events"),
           tr("This occurrence and every later one are deleted. Earlier occurrences stay."), 2},
          {tr("All events in the series"), tr("Every occurrence — past and future — is deleted."),
           3},
      };
    const auto& choices = deleting ? deleteChoices : editChoices;
    for (const auto& choice : choices) {
        auto* button = new QPushButton(choice.text, this);
        button->setToolTip(choice.toolTip);
        button->setMinimumHeight(40);
        // The application style sheet's own minimum height would win over the one above.
        button->setStyleSheet(QStringLiteral("QPushButton { min-height: 26px; }"));
        button->setAutoDefault(false);
        const int value = choice.scope;
        connect(button, &QPushButton::clicked, this, [this, value] {
            scope = value;
            accept();
        });
        layout->addWidget(button);
    }

    layout->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    // Cancel is no primary action: drawn plain, like the three answers.
    buttons->button(QDialogButtonBox::Cancel)->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, [this] {
        scope = 0;
        reject();
    });
    layout->addWidget(buttons);
    // A key press alone never deletes: the focus starts on Cancel.
    if (deleting)
        buttons->button(QDialogButtonBox::Cancel)->setFocus();

    resize(dialogWidth, sizeHint().height());
}
