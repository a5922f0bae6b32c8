#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class NewProfileDialog;
}

// "New Profile": the installation's profile templates to choose from. OK
// loads the chosen template once as a trial and closes only when it loads;
// without templates the dialog shows message 10114 and ends cancelled.
class CNewProfileDialog : public QDialog {
    Q_OBJECT

public:
    explicit CNewProfileDialog(QWidget* parent = nullptr);
    ~CNewProfileDialog() override;

    int exec() override;
    QString SelectedPath() const { return m_strPath; }

protected:
    void accept() override;

private:
    std::unique_ptr<Ui::NewProfileDialog> m_ui;
    QString m_strPath;
};
