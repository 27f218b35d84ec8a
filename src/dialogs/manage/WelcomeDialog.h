#pragma once

#include <QDialog>

class AppState;

// The first-start greeting. exec() returns Accepted from its default button "Add Account…" and
// Rejected from "Get Started" (and from closing the window).
class WelcomeDialog : public QDialog
{
    Q_OBJECT

public:
    explicit WelcomeDialog(AppState* state, QWidget* parent = nullptr);
};
