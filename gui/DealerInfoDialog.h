#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class DealerInfoDialog;
}
class QPlainTextEdit;

// "Dealer Information": the dealer's own texts of the current language,
// shown in reports. Open() shows the dialog only when the texts can be read
// and fit; OK writes them back and stays open when the write fails.
class CDealerInfoDialog : public QDialog {
    Q_OBJECT

public:
    // Characters a field holds.
    static constexpr int kFieldLimit = 2048;

    explicit CDealerInfoDialog(QWidget* parent = nullptr);
    ~CDealerInfoDialog() override;

    // Reads the texts into the fields; false (with its message shown)
    // when the dialog must not open.
    bool Load();

protected:
    void accept() override;

private:
    std::unique_ptr<Ui::DealerInfoDialog> m_ui;
};
