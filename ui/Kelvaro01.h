#pragma once
// The main window: the choices of tonos, mixture, start point and kithara tuning, the reading
// columns of the octave, the interval list and keyboard playing.

#include "model/Octave.h"
#include "model/Readings.h"
#include "sound/KeyPlayer.h"

#include <QWidget>
#include <memory>

namespace Ui {
class Systemata;
}
class QKeyEvent;
class TKeyStateSource;

class TSystemata : public QWidget, public IPlayingSeam {
    Q_OBJECT
public:
    explicit TSystemata(QWidget* Parent = nullptr);
    ~TSystemata() override;

    // Frequency in hertz of string L, 0..8, of the octave last shown.
    double GetFrequency(int32_t L) const;
    // The choices the controls hold, as the model reads them.
    TChoices CurrentChoices() const;
    double Frequency(int32_t L) const override { return GetFrequency(L); }
    bool FromMese() const override;
    bool Melodic() const override;

    TKeyPlayer& KeyPlayer() { return Player; }
    // The platform's key state unless a test puts another source in its place.
    void SetKeyStateSource(const TKeyStateSource* Source);

    // Key preview: every press and release in the window reaches these before the focused
    // control, which then handles the key as usual.
    void EPlayKeyDown(QKeyEvent* Event);
    void EPlayKeyUp(QKeyEvent* Event);

signals:
    // Raised at the end of every refresh.
    void Refreshed();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    void showEvent(QShowEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;

private slots:
    void CBTonosClick();
    void CBSyrinthaChange();
    void RGLangClick();
    void LBQeseiClick();
    void LBQeseiMouseDown();
    void LBQeseiMouseMove();
    void Label6Click();
    void CBInstrumenteClick();

private:
    void FormCreate();
    void FormDestroy();
    void ApplyLanguage();
    void UpdateDisplay();
    void SyncRows(QObject* Sender);

    std::unique_ptr<Ui::Systemata> Ui;
    TOctave Mhkh{};
    TReadings Readings;
    TKeyPlayer Player;
    const TKeyStateSource* KeyState;
    bool MarksToggled = false; // the refresh follows a mark or "all as ratios" the user toggled
};
