#pragma once

#include <QDialog>
#include <QString>

// Shown while a Google or Microsoft sign-in waits for the user in the browser. It only waits:
// the owner closes it with finish() when the sign-in has ended. Cancel (the button, Escape or
// closing the window) asks the owner to cancel the sign-in through cancelRequested, once.
class OAuthProgressDialog : public QDialog
{
    Q_OBJECT

public:
    // `provider` is the provider's name as the user knows it ("Google", "Microsoft").
    explicit OAuthProgressDialog(const QString& provider, QWidget* parent = nullptr);

    // Closes the dialog, accepted when the sign-in succeeded; emits nothing.
    void finish(bool succeeded);

    void reject() override;

Q_SIGNALS:
    void cancelRequested();

private:
    bool m_finished = false;
};
