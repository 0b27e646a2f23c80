#pragma once
// A short help in the current language: the columns, the numbering of the strings, the playing
// keys and where the About box is. Modal, owned by the main window; it frees itself once closed.

#include <QDialog>
#include <memory>

namespace Ui {
class HelpBox;
}

class THelpBox : public QDialog {
    Q_OBJECT
public:
    explicit THelpBox(QWidget* Owner);
    ~THelpBox() override;

private slots:
    void FormClose();

private:
    std::unique_ptr<Ui::HelpBox> Ui;
};
