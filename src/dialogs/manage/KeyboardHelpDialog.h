#pragma once

#include <QDialog>

// The list of the main window's keyboard shortcuts, in the platform's own key names.
class KeyboardHelpDialog : public QDialog
{
    Q_OBJECT

public:
    explicit KeyboardHelpDialog(QWidget* parent = nullptr);
};
