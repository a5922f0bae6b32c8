#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class AboutDialog;
}

// The about box: the program's name and version, what it is for, the radio
// models of the family it programs, and its licence.
class CAboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDialog(QWidget* parent = nullptr);
    ~CAboutDialog() override;

private:
    std::unique_ptr<Ui::AboutDialog> m_ui;
};
