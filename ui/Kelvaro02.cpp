#include "Kelvaro02.h"

#include "Accessibility.h"
#include "OpenLink.h"
#include "PixelFonts.h"
#include "ProgramIcon.h"
#include "Version.h"
#include "ui_Kelvaro02.h"

TAboutBox::TAboutBox(QWidget* Owner)
    : QDialog(Owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      Ui(std::make_unique<Ui::AboutBox>()) {
    InstallAccessibility();
    Ui->setupUi(this);
    PixelFonts(this);
    Ui->Version->setText(
        QStringLiteral("Version %1.%2").arg(KelvaroVersionMajor).arg(KelvaroVersionMinor));
    setFixedSize(size());
    Ui->OKButton->setFocus();
    CentreOnScreen(this);
}

TAboutBox::~TAboutBox() = default;

// Closing only hides a dialog; the box deletes itself once the closing has run to its end.
void TAboutBox::FormClose() {
    deleteLater();
}

void TAboutBox::ELicenseLinkClick(const QString& Link) {
    OpenLink(Link);
}
