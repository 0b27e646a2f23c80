#pragma once
// The About box: icon, title, version, the maker's notice, a picture and the licence link.
// Modal, owned by the main window; it frees itself once it has closed.

#include <QDialog>
#include <memory>

namespace Ui {
class AboutBox;
}

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* Owner);
    ~TAboutBox() override;

private slots:
    void FormClose();
    void ELicenseLinkClick(const QString& Link);

private:
    std::unique_ptr<Ui::AboutBox> Ui;
};
